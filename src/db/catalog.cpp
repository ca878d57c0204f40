#include "db/catalog.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <system_error>

namespace lirma::db {

using storage::FieldDef;

namespace {

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x))
                   == std::tolower(static_cast<unsigned char>(y));
           });
}

FieldDef Id(std::string name) { return FieldDef::Decimal(std::move(name), 10, 0); }
FieldDef Amount(std::string name) { return FieldDef::Decimal(std::move(name), 6, 0); }

// Appends prefix + i + suffix for i = from..to, all of one type.
void addSeries(std::vector<FieldDef>& out, const std::string& prefix, int from, int to,
               const std::string& suffix, int width, int decimals)
{
    for (int i = from; i <= to; ++i)
        out.push_back(FieldDef::Decimal(prefix + std::to_string(i) + suffix, width, decimals));
}

std::vector<FieldDef> ini()
{
    return {FieldDef::Char("FORMA", 12), FieldDef::Char("NUME", 32), FieldDef::Char("VALOARE", 40)};
}

std::vector<FieldDef> codcl()
{
    return {Id("IDCOD"), FieldDef::Char("GRUPA", 60), FieldDef::Char("CODCLF", 24),
            FieldDef::Char("CODCLJ", 24), FieldDef::Char("TIP", 1)};
}

std::vector<FieldDef> defZone()
{
    return {Id("ID"), FieldDef::Char("LOCALIT", 32), FieldDef::Char("ZONA", 1), FieldDef::Char("RANG", 3)};
}

std::vector<FieldDef> gospodar()
{
    return {Id("IDGOS"),
            FieldDef::Char("SATUL", 32),
            FieldDef::Char("ROL", 9),
            FieldDef::Char("NUMEP", 40),
            FieldDef::Char("CNP", 13),
            FieldDef::Char("STRADA", 40),
            FieldDef::Char("ADRESA", 160),
            FieldDef::Char("MOST", 200),
            Amount("NRPERS"),
            FieldDef::Char("TIP", 8),
            Amount("SCCLAD"),
            Amount("SCCC"),
            Amount("SCTI"),
            Amount("SCAUTO"),
            Amount("SCTE"),
            FieldDef::Char("OBS", 240),
            FieldDef::Char("OBS2", 240),
            FieldDef::Char("NOTAX", 2),
            FieldDef::Char("INDOP", 6)};
}

// Land outside the built-up area: for n = 1..11 the five columns LnA..LnE.
std::vector<FieldDef> pag1()
{
    std::vector<FieldDef> f{Id("IDGOS")};
    for (int n = 1; n <= 11; ++n)
        for (char x : std::string_view("ABCDE"))
            f.push_back(FieldDef::Decimal("L" + std::to_string(n) + x, 8, 4));
    return f;
}

std::vector<FieldDef> pag2()
{
    return {Id("IDGOS"),
            Id("IDCLAD"),
            FieldDef::Char("ADRESA", 80),
            Id("IDMANUAL"),
            FieldDef::Char("MIXTA", 1),
            FieldDef::Char("APT8", 2),
            FieldDef::Char("TIPC", 1),
            FieldDef::Char("ACTAGR", 2),
            FieldDef::Date("DATAEVAL"),
            FieldDef::Decimal("VALOAREN", 10, 2),
            Amount("DESTINATIE"),
            FieldDef::Char("ZONA", 1),
            Amount("RANG"),
            FieldDef::Decimal("SUPRAFD", 10, 2),
            Amount("ANUL"),
            Amount("CODMAT"),
            FieldDef::Char("CUUTIL", 2),
            FieldDef::Decimal("VALOAREJR", 10, 2),
            FieldDef::Date("DATADOB"),
            FieldDef::Date("DATAIN"),
            FieldDef::Char("OBSIN", 120),
            FieldDef::Date("DATAVANZ"),
            FieldDef::Date("DATAOUT"),
            FieldDef::Char("OBSOUT", 120)};
}

// Land inside the built-up area: CCA..CCF (square metres, wide enough for large yards),
// then for r = 1..8 the six columns ALrA..ALrF.
std::vector<FieldDef> pag4()
{
    std::vector<FieldDef> f{Id("IDGOS")};
    for (char x : std::string_view("ABCDEF"))
        f.push_back(FieldDef::Decimal(std::string("CC") + x, 10, 4));
    for (int r = 1; r <= 8; ++r)
        for (char x : std::string_view("ABCDEF"))
            f.push_back(FieldDef::Decimal("AL" + std::to_string(r) + x, 8, 4));
    return f;
}

std::vector<FieldDef> pag5()
{
    std::vector<FieldDef> f{Id("IDGOS")};
    addSeries(f, "AUTO", 1, 9, "", 6, 0);
    addSeries(f, "P3000", 1, 4, "", 6, 0);
    addSeries(f, "AUTO", 11, 16, "", 6, 0);
    addSeries(f, "ALTE", 1, 12, "", 6, 0);
    addSeries(f, "ATB", 1, 4, "", 6, 0);
    addSeries(f, "ATBNR", 1, 4, "", 6, 0);
    addSeries(f, "TRAC", 1, 4, "", 6, 0);
    addSeries(f, "TBUC", 1, 4, "", 6, 0);
    addSeries(f, "REM", 1, 4, "", 6, 0);
    addSeries(f, "G", 1, 15, "A", 6, 0);
    addSeries(f, "G", 1, 15, "B", 6, 0);
    addSeries(f, "GC", 1, 24, "A", 6, 0);
    addSeries(f, "GC", 1, 24, "B", 6, 0);
    addSeries(f, "APA", 1, 13, "", 6, 0);
    return f;
}

std::vector<FieldDef> autoDet()
{
    return {Id("IDGOS"),
            Id("IDDETA"),
            FieldDef::Char("NrDos", 18),
            FieldDef::Char("TipAuto", 100),
            FieldDef::Char("Marca", 18),
            FieldDef::Char("Combus", 18),
            Amount("AnulF"),
            Amount("Capacit"),
            FieldDef::Char("Serie", 24),
            FieldDef::Char("SerieM", 24),
            FieldDef::Char("OBS", 100),
            Amount("Tonaj"),
            Amount("DataIn"),
            Amount("DataOut"),
            Id("PVInNr"),
            Id("PVOutNr"),
            Amount("DataDob"),
            FieldDef::Char("ActD", 60),
            FieldDef::Char("NrActD", 40),
            Amount("DataInstr"),
            FieldDef::Char("ActV", 60),
            FieldDef::Char("NrActV", 40),
            FieldDef::Char("CertRad", 40),
            Amount("CertRadD"),
            FieldDef::Char("NumeNou", 80),
            FieldDef::Char("JudNou", 24),
            FieldDef::Char("LocNou", 40),
            FieldDef::Char("AdrNou", 80)};
}

std::vector<FieldDef> pag6()
{
    std::vector<FieldDef> f{Id("IDGOS")};
    addSeries(f, "VN", 1, 11, "", 6, 0);
    return f;
}

std::vector<FieldDef> pag7()
{
    std::vector<FieldDef> f{Id("IDGOS")};
    addSeries(f, "LIN", 1, 6, "", 6, 0);
    return f;
}

std::vector<FieldDef> pag8()
{
    std::vector<FieldDef> f{Id("IDGOS")};
    addSeries(f, "LIN", 1, 11, "", 6, 0);
    addSeries(f, "PEN", 1, 4, "", 6, 0);
    addSeries(f, "SOLD", 1, 4, "", 6, 0);
    return f;
}

// CANT holds capacity x count for buses and tractors, hence wider than 9999.9999.
std::vector<FieldDef> datorii()
{
    return {Id("IDDAT"),
            Id("IDGOS"),
            FieldDef::Date("DINDATA"),
            FieldDef::Char("SATUL", 32),
            FieldDef::Char("ROL", 9),
            FieldDef::Char("GRUPA", 60),
            FieldDef::Char("DENUM", 50),
            FieldDef::Char("DOCJUS", 50),
            Id("NR"),
            Amount("SUMA"),
            Amount("REST"),
            Amount("REDUC"),
            FieldDef::Char("UM", 8),
            FieldDef::Decimal("CANT", 12, 4),
            Amount("REDUCP"),
            Amount("SCUTIT"),
            FieldDef::Char("TIP", 1),
            Amount("SUMA2"),
            Amount("RESTINI")};
}

std::vector<FieldDef> soldCalc()
{
    return {Id("IDRES"),         Id("IDGOS"),      FieldDef::Char("SATUL", 32), FieldDef::Char("ROL", 9),
            FieldDef::Char("GRUPA", 60), Amount("SUMA"), Amount("REST"),       Amount("REDUC"),
            Amount("SCUTIRE"),   Amount("DATOR"),  Amount("DEPOZ"),           Amount("MAJOR"),
            Amount("DATORI"),    Amount("DEPOZI"), Amount("MAJORI"),          FieldDef::Char("TIP", 1)};
}

std::vector<FieldDef> debit()
{
    std::vector<FieldDef> f{Id("IDDEB"),
                            Id("IDGOS"),
                            FieldDef::Char("GRUPA", 60),
                            FieldDef::Char("DOCJUS", 50),
                            Id("NR"),
                            FieldDef::Char("CATEG", 9),
                            FieldDef::Char("DENUM", 50),
                            FieldDef::Date("DINDATA"),
                            FieldDef::Date("PENDATA"),
                            FieldDef::Char("FISIER", 8)};
    for (int i = 1; i <= 8; ++i) {
        f.push_back(FieldDef::Char("CAMP" + std::to_string(i), 6));
        f.push_back(FieldDef::Char("VAL" + std::to_string(i), 10));
    }
    f.push_back(Amount("SUMAINI"));
    f.push_back(Amount("SUMAC"));
    return f;
}

std::vector<FieldDef> chitante()
{
    return {Id("IDCHIT"),
            Id("IDGOS"),
            Id("IDANUL"),
            FieldDef::Char("SERIA", 10),
            Id("NR"),
            FieldDef::Date("DATAI"),
            FieldDef::Char("SATUL", 32),
            FieldDef::Char("ROL", 9),
            FieldDef::Char("GRUPA", 60),
            FieldDef::Char("DENUM", 50),
            FieldDef::Char("CODCLAS", 24),
            FieldDef::Char("NUMEP", 40),
            FieldDef::Char("CNP", 13),
            FieldDef::Char("STRADA", 40),
            FieldDef::Char("ADRESA", 160),
            FieldDef::Char("TIPF", 1),
            FieldDef::Char("PLATNUME", 40),
            FieldDef::Char("INCANUME", 32),
            FieldDef::Char("LEGITIMA", 32),
            Amount("RESTANTA"),
            Amount("MAJOREST"),
            Amount("DEPOZIT"),
            Amount("CURENT"),
            Amount("MAJOR"),
            Amount("REDUCERE"),
            Amount("TOTAL"),
            FieldDef::Char("TIP", 1)};
}

// Cancelled receipt lines: the receipt columns without IDANUL.
std::vector<FieldDef> chitAnul()
{
    std::vector<FieldDef> f = chitante();
    f.erase(std::remove_if(f.begin(), f.end(), [](const FieldDef& d) { return d.name == "IDANUL"; }),
            f.end());
    return f;
}

std::vector<FieldDef> undelDat()
{
    return {Id("IDANUL"), Id("IDGOS"),   Id("IDDAT"),    Amount("SUMA"),
            Amount("REST"), Amount("REDUC"), Amount("SUMA2"), Amount("RESTINI")};
}

std::vector<FieldDef> undelSold()
{
    return {Id("IDANUL"),      Id("IDGOS"),      Id("IDRES"),     Amount("SUMA"),   Amount("REST"),
            Amount("REDUC"),   Amount("SCUTIRE"), Amount("DATOR"), Amount("DEPOZ"),  Amount("MAJOR"),
            Amount("DATORI"),  Amount("DEPOZI"),  Amount("MAJORI")};
}

std::vector<FieldDef> undelDebit()
{
    return {Id("IDANUL"), Id("IDGOS"), Id("IDDEB"), Amount("SUMAINI"), Amount("SUMAC")};
}

std::vector<FieldDef> regCasa()
{
    return {Id("IDRC"),
            FieldDef::Date("DATAI"),
            FieldDef::Char("DOCJUS", 50),
            Id("NR"),
            FieldDef::Char("INCANUME", 32),
            FieldDef::Decimal("PLATIT", 8, 0),
            FieldDef::Decimal("INCASAT", 8, 0)};
}

std::vector<FieldDef> confirm()
{
    return {Id("IDCONF"),
            Id("IDGOS"),
            Id("NRCONF"),
            FieldDef::Date("DATACONF"),
            Id("BORDNR"),
            FieldDef::Date("BORDATA"),
            FieldDef::Char("ROL", 9),
            FieldDef::Char("CODCL", 24),
            FieldDef::Char("NUMEDEST", 40),
            FieldDef::Char("ADRDEST", 40),
            FieldDef::Char("LOCDEST", 32),
            Id("ADRNR"),
            FieldDef::Date("ADRDATA"),
            Amount("SUMA"),
            FieldDef::Char("NATCL", 60),
            FieldDef::Char("NUMEP", 40),
            FieldDef::Char("STRADA", 40),
            FieldDef::Char("ADRESA", 160),
            FieldDef::Char("SATUL", 32)};
}

std::vector<FieldDef> somatii()
{
    return {Id("IDSOM"),
            Id("IDGOS"),
            Id("NR"),
            FieldDef::Date("DINDATA"),
            FieldDef::Decimal("SUMA", 10, 0),
            Amount("DATACONF"),
            FieldDef::Char("TIPCONF", 12),
            FieldDef::Char("ANULAT", 2),
            FieldDef::Char("OBS", 32),
            FieldDef::Char("ROL", 9),
            FieldDef::Char("NUMEP", 40),
            FieldDef::Char("CNP", 13),
            FieldDef::Char("STRADA", 40),
            FieldDef::Char("ADRESA", 160),
            FieldDef::Char("TIP", 8),
            FieldDef::Char("OPERAT", 32)};
}

std::vector<FieldDef> somDet()
{
    return {Id("IDSOM"),
            Id("IDGOS"),
            FieldDef::Char("GRUPA", 60),
            Amount("TERMEN"),
            FieldDef::Decimal("RAMASITA", 10, 0),
            FieldDef::Decimal("CURENT", 10, 0),
            FieldDef::Decimal("ACCESORII", 10, 0),
            FieldDef::Char("DOCJUS", 50)};
}

std::vector<FieldDef> instiintari()
{
    return {Id("IDINS"),
            Id("IDGOS"),
            Id("NR"),
            FieldDef::Date("DINDATA"),
            FieldDef::Decimal("SUMA", 10, 0),
            FieldDef::Char("ROL", 9),
            FieldDef::Char("NUMEP", 40),
            FieldDef::Char("CNP", 13),
            FieldDef::Char("STRADA", 40),
            FieldDef::Char("ADRESA", 160),
            FieldDef::Char("OPERAT", 32)};
}

std::vector<FieldDef> scVeterani()
{
    return {Id("IDSCUT"),       Id("IDGOS"),    Amount("SCCLAD"), Amount("SCCC"),
            Amount("SCTI"),     Amount("SCAUTO"), Amount("SCTE")};
}

std::vector<FieldDef> popriri()
{
    return {Id("IDPOP"),
            Id("IDGOS"),
            Id("NRTITLU"),
            FieldDef::Date("DINDATA"),
            FieldDef::Char("TIP", 10),
            FieldDef::Char("TERT", 40),
            FieldDef::Char("SEDIU", 100),
            FieldDef::Decimal("SUMA", 10, 0),
            FieldDef::Char("OPERAT", 32)};
}

std::vector<FieldDef> log()
{
    return {FieldDef::Date("DATAA"), FieldDef::Char("ORA", 12), FieldDef::Char("UTILIZATOR", 20),
            FieldDef::Char("ROL", 9), FieldDef::Char("ACTIUNE", 120)};
}

std::vector<TableDef> buildCatalog()
{
    // Creation order first; Log.dbf last, since it is created on its first write.
    return {
        {"Ini.dbf", ini()},
        {"CODCL.dbf", codcl()},
        {"DefZone.DBF", defZone()},
        {"Gospodar.dbf", gospodar()},
        {"Pag1.dbf", pag1()},
        {"Pag2.dbf", pag2()},
        {"Pag4.dbf", pag4()},
        {"Pag5.dbf", pag5()},
        {"AutoDet.dbf", autoDet()},
        {"Pag6.dbf", pag6()},
        {"Pag7.dbf", pag7()},
        {"Pag8.dbf", pag8()},
        {"Datorii.dbf", datorii()},
        {"SoldCalc.dbf", soldCalc()},
        {"Debit.dbf", debit()},
        {"Chitante.dbf", chitante()},
        {"UndelDat.dbf", undelDat()},
        {"UndelSold.dbf", undelSold()},
        {"UndelDebit.dbf", undelDebit()},
        {"ChitAnul.dbf", chitAnul()},
        {"RegCasa.dbf", regCasa()},
        {"CONFIRM.dbf", confirm()},
        {"Somatii.dbf", somatii()},
        {"SomDet.dbf", somDet()},
        {"Instiintari.dbf", instiintari()},
        {"ScVeterani.dbf", scVeterani()},
        {"Popriri.dbf", popriri()},
        {"Log.dbf", log()},
    };
}

// True when `folder` holds a file named `fileName`, compared without regard to case.
bool fileExistsNoCase(const std::filesystem::path& folder, std::string_view fileName)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (equalNoCase(entry.path().filename().string(), fileName))
            return true;
    }
    if (ec)
        throw storage::StorageError("Cannot list folder " + folder.string() + ": " + ec.message());
    return false;
}

} // namespace

std::string TableDef::sqlName() const
{
    return std::filesystem::path(fileName).stem().string();
}

int TableDef::fieldIndex(std::string_view name) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (equalNoCase(fields[i].name, name))
            return static_cast<int>(i);
    return -1;
}

const std::vector<TableDef>& Catalog()
{
    static const std::vector<TableDef> catalog = buildCatalog();
    return catalog;
}

const TableDef* FindTable(std::string_view name)
{
    for (const TableDef& t : Catalog())
        if (equalNoCase(t.fileName, name) || equalNoCase(t.sqlName(), name))
            return &t;
    return nullptr;
}

const TableDef& Table(std::string_view name)
{
    if (const TableDef* t = FindTable(name))
        return *t;
    throw std::out_of_range("Unknown table " + std::string(name));
}

const std::vector<std::string>& CreationOrder()
{
    static const std::vector<std::string> order = {
        "Ini.dbf",      "CODCL.dbf",      "DefZone.DBF",    "Gospodar.dbf",   "Pag1.dbf",
        "Pag2.dbf",     "Pag4.dbf",       "Pag5.dbf",       "AutoDet.dbf",    "Pag6.dbf",
        "Pag7.dbf",     "Pag8.dbf",       "Datorii.dbf",    "SoldCalc.dbf",   "Debit.dbf",
        "Chitante.dbf", "UndelDat.dbf",   "UndelSold.dbf",  "UndelDebit.dbf", "ChitAnul.dbf",
        "RegCasa.dbf",  "CONFIRM.dbf",    "Somatii.dbf",    "SomDet.dbf",     "Instiintari.dbf",
        "ScVeterani.dbf", "Popriri.dbf"};
    return order;
}

const std::vector<CodclSeedRow>& CodclSeedRows()
{
    static const std::vector<CodclSeedRow> rows = {
        {kGroupBuildings, 'I'},   {kGroupLandInside, 'I'},   {kGroupVehicles, 'I'},
        {kGroupLandOutside, 'I'}, {kGroupSanitation, 'T'},   {kGroupConcessions, 'T'},
        {kGroupLighting, 'T'},    {kGroupFireService, 'T'},  {kGroupGuard, 'T'},
        {kGroupPasture, 'T'},     {kGroupSlowVehicles, 'T'}, {kGroupUnregisteredVehicles, 'T'}};
    return rows;
}

namespace {

int seedCodcl(storage::Database& db, const std::string& sqlName, const IdSource& nextIdCod)
{
    // Draw every identifier before taking the folder's write lock: a draw takes the
    // settings file's lock, and a failed draw must stop us before anything is inserted.
    std::vector<int64_t> ids;
    for (size_t i = 0; i < CodclSeedRows().size(); ++i)
        ids.push_back(nextIdCod());

    const std::string sql =
        "INSERT INTO " + sqlName + " (IDCOD, GRUPA, CODCLF, CODCLJ, TIP) VALUES (?, ?, ?, ?, ?)";
    storage::Transaction tx(db);
    for (size_t i = 0; i < ids.size(); ++i) {
        const CodclSeedRow& row = CodclSeedRows()[i];
        db.exec(sql, {ids[i], row.grupa, "", "", std::string(1, row.tip)});
    }
    tx.commit();
    return static_cast<int>(ids.size());
}

} // namespace

CreateResult CreateMissingTables(storage::Database& db, const std::filesystem::path& folder,
                                 const IdSource& nextIdCod)
{
    const std::filesystem::path where = folder.empty() ? db.dataFolder() : folder;
    CreateResult result;
    for (const std::string& fileName : CreationOrder()) {
        if (fileExistsNoCase(where, fileName))
            continue;
        const TableDef& table = Table(fileName);
        // The engine names the file after the SQL name with the extension ".dbf".
        try {
            db.createTable(table.fileName, table.fields, folder);
        } catch (const storage::StorageError&) {
            // Another workstation starting at the same moment created it first: that
            // counts as created (and seeded, by that workstation).
            if (fileExistsNoCase(where, fileName))
                continue;
            throw;
        }
        result.created.push_back(table.fileName);

        if (equalNoCase(fileName, "CODCL.dbf")) {
            try {
                result.codclRowsSeeded = seedCodcl(db, table.sqlName(), nextIdCod);
            } catch (...) {
                // An empty CODCL.dbf would never be seeded again: remove it so that the
                // next start creates and seeds it afresh.
                try {
                    db.dropTable(table.sqlName());
                } catch (...) {
                }
                throw;
            }
        }
    }
    return result;
}

const std::vector<ColumnUpgrade>& ColumnUpgrades()
{
    static const std::vector<ColumnUpgrade> upgrades = [] {
        std::vector<ColumnUpgrade> u;
        for (std::string_view name : {"PLATIT", "INCASAT"})
            u.push_back({"RegCasa", name, 8, 0});
        for (std::string_view name : {"CCA", "CCB", "CCC", "CCD", "CCE", "CCF"})
            u.push_back({"Pag4", name, 10, 4});
        u.push_back({"Datorii", "CANT", 12, 4});
        return u;
    }();
    return upgrades;
}

UpgradeResult UpgradeSchema(storage::Database& db)
{
    UpgradeResult result;
    for (const ColumnUpgrade& up : ColumnUpgrades()) {
        const std::string column = std::string(up.table) + "." + std::string(up.field);
        try {
            const std::string table(up.table);
            if (!db.tableExists(table))
                continue;
            const storage::TableInfo info = db.tableInfo(table);
            auto it = std::find_if(info.fields.begin(), info.fields.end(),
                                   [&](const storage::FieldDef& f) { return equalNoCase(f.name, up.field); });
            if (it == info.fields.end() || it->type != 'N' || it->width >= up.width)
                continue;
            db.widenColumn(table, it->name, up.width, up.decimals);
            result.widened.push_back(column);
        } catch (const std::exception& e) {
            result.failed.emplace_back(column, e.what());
        }
    }
    return result;
}

} // namespace lirma::db
