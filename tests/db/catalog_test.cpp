#include "db/catalog.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <unistd.h>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using lirma::db::Catalog;
using lirma::db::CreateMissingTables;
using lirma::db::CreationOrder;
using lirma::db::Table;
using lirma::db::UpgradeSchema;
using lirma::storage::Database;
using lirma::storage::FieldDef;
using lirma::storage::parseColumnList;

namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// What dbfread sees in a set of files: fields and rows per file name, without regard to case.
struct Dump {
    std::map<std::string, std::vector<FieldDef>> fieldsByFile;
    std::map<std::string, std::vector<std::vector<std::string>>> rowsByFile;

    bool has(const std::string& file) const { return fieldsByFile.count(lower(file)) == 1; }
    const std::vector<FieldDef>& fields(const std::string& file) const { return fieldsByFile.at(lower(file)); }
    const std::vector<std::vector<std::string>>& rows(const std::string& file) const
    {
        return rowsByFile.at(lower(file));
    }
};

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> out;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, '\t'))
        out.push_back(cell);
    if (!line.empty() && line.back() == '\t')
        out.emplace_back();
    return out;
}

Dump readWithDbfread(const std::vector<fs::path>& files)
{
    std::string cmd = "/usr/bin/python3 '" LIRMA_TEST_TOOLS_DIR "/dbf_tsv.py'";
    for (const fs::path& f : files)
        cmd += " '" + f.string() + "'";
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + cmd);
    std::string output;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
        output.append(buf, n);
    if (pclose(pipe) != 0)
        throw std::runtime_error("dbfread failed on: " + cmd);

    Dump dump;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> cells = splitTabs(line);
        if (cells.size() >= 6 && cells[0] == "F") {
            dump.fieldsByFile[lower(cells[1])].push_back(
                {cells[2], cells[3][0], std::stoi(cells[4]), std::stoi(cells[5])});
        } else if (cells.size() >= 2 && cells[0] == "R") {
            dump.rowsByFile[lower(cells[1])].emplace_back(cells.begin() + 2, cells.end());
        }
    }
    return dump;
}

std::string describe(const std::vector<FieldDef>& fields)
{
    std::string s;
    for (const FieldDef& f : fields)
        s += f.name + " " + f.type + "(" + std::to_string(f.width) + "," + std::to_string(f.decimals) + ") ";
    return s;
}

// The file of a table in `folder`, found without regard to case as the engine finds it.
fs::path onDisk(const fs::path& folder, const std::string& fileName)
{
    for (const auto& e : fs::directory_iterator(folder))
        if (lower(e.path().filename().string()) == lower(fileName))
            return e.path();
    return folder / fileName;
}

std::set<std::string> filesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() == ".dbf" || e.path().extension() == ".DBF")
            names.insert(e.path().filename().string());
    return names;
}

class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path()
            / ("lirma_catalog_" + std::to_string(::getpid()) + "_"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A counter like the settings file's: hands out next, next+1, ...
    lirma::db::IdSource counter(int64_t next = 1)
    {
        next_ = next;
        draws_ = 0;
        return [this] {
            ++draws_;
            return next_++;
        };
    }

    fs::path dir_;
    int64_t next_ = 1;
    int draws_ = 0;
};

TEST_F(CatalogTest, CatalogHoldsEveryTableOnceAndCreationOrderNamesThemAll)
{
    EXPECT_EQ(CreationOrder().size(), 27u);
    std::set<std::string> seen;
    for (const std::string& name : CreationOrder()) {
        EXPECT_NE(lirma::db::FindTable(name), nullptr) << name;
        EXPECT_TRUE(seen.insert(name).second) << "twice: " << name;
    }
    // Log.dbf is in the catalog but created on its first write, not at start-up.
    ASSERT_NE(lirma::db::FindTable("log"), nullptr);
    EXPECT_EQ(seen.count("Log.dbf"), 0u);
    EXPECT_EQ(Catalog().size(), 28u);
    for (const auto& t : Catalog()) {
        EXPECT_LE(t.fields.size(), 255u) << t.fileName;
        std::set<std::string> names;
        for (const FieldDef& f : t.fields) {
            EXPECT_LE(f.name.size(), 10u) << t.fileName << "." << f.name;
            EXPECT_TRUE(names.insert(f.name).second) << t.fileName << " repeats " << f.name;
        }
    }
}

TEST_F(CatalogTest, CreatesEveryTableInOrderWithFileNamesAsSpelled)
{
    Database db(dir_);
    const auto result = CreateMissingTables(db, {}, counter());
    EXPECT_EQ(result.created, CreationOrder());

    // File names exactly as spelled, extension included ("DefZone.DBF").
    std::set<std::string> expected(CreationOrder().begin(), CreationOrder().end());
    EXPECT_EQ(filesIn(dir_), expected);
}

// Every created file, read by dbfread, has the catalog's columns in the catalog's order.
TEST_F(CatalogTest, EveryCreatedFileMatchesTheCatalogWhenReadByDbfread)
{
    {
        Database db(dir_);
        CreateMissingTables(db, {}, counter());
    }
    std::vector<fs::path> files;
    for (const std::string& name : CreationOrder())
        files.push_back(onDisk(dir_, name));
    const Dump dump = readWithDbfread(files);

    for (const std::string& name : CreationOrder()) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(dump.has(name));
        const auto& fromFile = dump.fields(name);
        const auto& catalog = Table(name).fields;
        ASSERT_EQ(fromFile.size(), catalog.size());
        for (size_t i = 0; i < catalog.size(); ++i) {
            EXPECT_EQ(fromFile[i].name, catalog[i].name) << "column " << i;
            EXPECT_EQ(fromFile[i].type, catalog[i].type) << catalog[i].name;
            EXPECT_EQ(fromFile[i].width, catalog[i].width) << catalog[i].name;
            EXPECT_EQ(fromFile[i].decimals, catalog[i].decimals) << catalog[i].name;
        }
    }
}

// Layouts typed from the documentation, independently of the catalog's code, checked
// against what dbfread reads from the created files.
TEST_F(CatalogTest, HandTypedLayoutsMatchTheFilesOnDisk)
{
    struct Case {
        std::string file;
        std::string columns;
    };
    const std::vector<Case> cases = {
        {"DefZone.DBF", "ID DECIMAL(10,0), LOCALIT CHAR(32), ZONA CHAR(1), RANG CHAR(3)"},
        {"CODCL.dbf", "IDCOD DECIMAL(10,0), GRUPA CHAR(60), CODCLF CHAR(24), CODCLJ CHAR(24), TIP CHAR(1)"},
        {"Ini.dbf", "FORMA CHAR(12), NUME CHAR(32), VALOARE CHAR(40)"},
        {"Gospodar.dbf",
         "IDGOS DECIMAL(10,0), SATUL CHAR(32), ROL CHAR(9), NUMEP CHAR(40), CNP CHAR(13), STRADA CHAR(40), "
         "ADRESA CHAR(160), MOST CHAR(200), NRPERS DECIMAL(6,0), TIP CHAR(8), SCCLAD DECIMAL(6,0), "
         "SCCC DECIMAL(6,0), SCTI DECIMAL(6,0), SCAUTO DECIMAL(6,0), SCTE DECIMAL(6,0), OBS CHAR(240), "
         "OBS2 CHAR(240), NOTAX CHAR(2), INDOP CHAR(6)"},
        {"Pag2.dbf",
         "IDGOS DECIMAL(10,0), IDCLAD DECIMAL(10,0), ADRESA CHAR(80), IDMANUAL DECIMAL(10,0), MIXTA CHAR(1), "
         "APT8 CHAR(2), TIPC CHAR(1), ACTAGR CHAR(2), DATAEVAL DATE, VALOAREN DECIMAL(10,2), "
         "DESTINATIE DECIMAL(6,0), ZONA CHAR(1), RANG DECIMAL(6,0), SUPRAFD DECIMAL(10,2), ANUL DECIMAL(6,0), "
         "CODMAT DECIMAL(6,0), CUUTIL CHAR(2), VALOAREJR DECIMAL(10,2), DATADOB DATE, DATAIN DATE, "
         "OBSIN CHAR(120), DATAVANZ DATE, DATAOUT DATE, OBSOUT CHAR(120)"},
        {"AutoDet.dbf",
         "IDGOS DECIMAL(10,0), IDDETA DECIMAL(10,0), NrDos CHAR(18), TipAuto CHAR(100), Marca CHAR(18), "
         "Combus CHAR(18), AnulF DECIMAL(6,0), Capacit DECIMAL(6,0), Serie CHAR(24), SerieM CHAR(24), "
         "OBS CHAR(100), Tonaj DECIMAL(6,0), DataIn DECIMAL(6,0), DataOut DECIMAL(6,0), PVInNr DECIMAL(10,0), "
         "PVOutNr DECIMAL(10,0), DataDob DECIMAL(6,0), ActD CHAR(60), NrActD CHAR(40), DataInstr DECIMAL(6,0), "
         "ActV CHAR(60), NrActV CHAR(40), CertRad CHAR(40), CertRadD DECIMAL(6,0), NumeNou CHAR(80), "
         "JudNou CHAR(24), LocNou CHAR(40), AdrNou CHAR(80)"},
        {"Pag6.dbf",
         "IDGOS DECIMAL(10,0), VN1 DECIMAL(6,0), VN2 DECIMAL(6,0), VN3 DECIMAL(6,0), VN4 DECIMAL(6,0), "
         "VN5 DECIMAL(6,0), VN6 DECIMAL(6,0), VN7 DECIMAL(6,0), VN8 DECIMAL(6,0), VN9 DECIMAL(6,0), "
         "VN10 DECIMAL(6,0), VN11 DECIMAL(6,0)"},
        {"Datorii.dbf",
         "IDDAT DECIMAL(10,0), IDGOS DECIMAL(10,0), DINDATA DATE, SATUL CHAR(32), ROL CHAR(9), GRUPA CHAR(60), "
         "DENUM CHAR(50), DOCJUS CHAR(50), NR DECIMAL(10,0), SUMA DECIMAL(6,0), REST DECIMAL(6,0), "
         "REDUC DECIMAL(6,0), UM CHAR(8), CANT DECIMAL(12,4), REDUCP DECIMAL(6,0), SCUTIT DECIMAL(6,0), "
         "TIP CHAR(1), SUMA2 DECIMAL(6,0), RESTINI DECIMAL(6,0)"},
        {"Debit.dbf",
         "IDDEB DECIMAL(10,0), IDGOS DECIMAL(10,0), GRUPA CHAR(60), DOCJUS CHAR(50), NR DECIMAL(10,0), "
         "CATEG CHAR(9), DENUM CHAR(50), DINDATA DATE, PENDATA DATE, FISIER CHAR(8), "
         "CAMP1 CHAR(6), VAL1 CHAR(10), CAMP2 CHAR(6), VAL2 CHAR(10), CAMP3 CHAR(6), VAL3 CHAR(10), "
         "CAMP4 CHAR(6), VAL4 CHAR(10), CAMP5 CHAR(6), VAL5 CHAR(10), CAMP6 CHAR(6), VAL6 CHAR(10), "
         "CAMP7 CHAR(6), VAL7 CHAR(10), CAMP8 CHAR(6), VAL8 CHAR(10), SUMAINI DECIMAL(6,0), SUMAC DECIMAL(6,0)"},
        {"ChitAnul.dbf",
         "IDCHIT DECIMAL(10,0), IDGOS DECIMAL(10,0), SERIA CHAR(10), NR DECIMAL(10,0), DATAI DATE, "
         "SATUL CHAR(32), ROL CHAR(9), GRUPA CHAR(60), DENUM CHAR(50), CODCLAS CHAR(24), NUMEP CHAR(40), "
         "CNP CHAR(13), STRADA CHAR(40), ADRESA CHAR(160), TIPF CHAR(1), PLATNUME CHAR(40), INCANUME CHAR(32), "
         "LEGITIMA CHAR(32), RESTANTA DECIMAL(6,0), MAJOREST DECIMAL(6,0), DEPOZIT DECIMAL(6,0), "
         "CURENT DECIMAL(6,0), MAJOR DECIMAL(6,0), REDUCERE DECIMAL(6,0), TOTAL DECIMAL(6,0), TIP CHAR(1)"},
        {"UndelSold.dbf",
         "IDANUL DECIMAL(10,0), IDGOS DECIMAL(10,0), IDRES DECIMAL(10,0), SUMA DECIMAL(6,0), REST DECIMAL(6,0), "
         "REDUC DECIMAL(6,0), SCUTIRE DECIMAL(6,0), DATOR DECIMAL(6,0), DEPOZ DECIMAL(6,0), MAJOR DECIMAL(6,0), "
         "DATORI DECIMAL(6,0), DEPOZI DECIMAL(6,0), MAJORI DECIMAL(6,0)"},
        {"RegCasa.dbf",
         "IDRC DECIMAL(10,0), DATAI DATE, DOCJUS CHAR(50), NR DECIMAL(10,0), INCANUME CHAR(32), "
         "PLATIT DECIMAL(8,0), INCASAT DECIMAL(8,0)"},
        {"CONFIRM.dbf",
         "IDCONF DECIMAL(10,0), IDGOS DECIMAL(10,0), NRCONF DECIMAL(10,0), DATACONF DATE, BORDNR DECIMAL(10,0), "
         "BORDATA DATE, ROL CHAR(9), CODCL CHAR(24), NUMEDEST CHAR(40), ADRDEST CHAR(40), LOCDEST CHAR(32), "
         "ADRNR DECIMAL(10,0), ADRDATA DATE, SUMA DECIMAL(6,0), NATCL CHAR(60), NUMEP CHAR(40), "
         "STRADA CHAR(40), ADRESA CHAR(160), SATUL CHAR(32)"},
        {"Somatii.dbf",
         "IDSOM DECIMAL(10,0), IDGOS DECIMAL(10,0), NR DECIMAL(10,0), DINDATA DATE, SUMA DECIMAL(10,0), "
         "DATACONF DECIMAL(6,0), TIPCONF CHAR(12), ANULAT CHAR(2), OBS CHAR(32), ROL CHAR(9), NUMEP CHAR(40), "
         "CNP CHAR(13), STRADA CHAR(40), ADRESA CHAR(160), TIP CHAR(8), OPERAT CHAR(32)"},
        {"Popriri.dbf",
         "IDPOP DECIMAL(10,0), IDGOS DECIMAL(10,0), NRTITLU DECIMAL(10,0), DINDATA DATE, TIP CHAR(10), "
         "TERT CHAR(40), SEDIU CHAR(100), SUMA DECIMAL(10,0), OPERAT CHAR(32)"},
    };
    {
        Database db(dir_);
        CreateMissingTables(db, {}, counter());
    }
    std::vector<fs::path> files;
    for (const Case& c : cases)
        files.push_back(onDisk(dir_, c.file));
    const Dump dump = readWithDbfread(files);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(dump.has(c.file));
        EXPECT_EQ(describe(dump.fields(c.file)), describe(parseColumnList(c.columns)));
    }
}

// The generated families: column count and the columns at the edges of each run.
TEST_F(CatalogTest, GeneratedColumnFamiliesHaveTheDocumentedShape)
{
    struct Case {
        std::string file;
        size_t count; // including IDGOS
        std::map<size_t, std::string> at; // position -> "NAME N w d"
    };
    const std::vector<Case> cases = {
        {"Pag1.dbf", 56, {{1, "L1A N 8 4"}, {5, "L1E N 8 4"}, {6, "L2A N 8 4"}, {55, "L11E N 8 4"}}},
        {"Pag4.dbf", 55,
         {{1, "CCA N 10 4"}, {6, "CCF N 10 4"}, {7, "AL1A N 8 4"}, {12, "AL1F N 8 4"}, {13, "AL2A N 8 4"},
          {54, "AL8F N 8 4"}}},
        {"Pag5.dbf", 143,
         {{1, "AUTO1 N 6 0"}, {9, "AUTO9 N 6 0"}, {10, "P30001 N 6 0"}, {13, "P30004 N 6 0"},
          {14, "AUTO11 N 6 0"}, {19, "AUTO16 N 6 0"}, {20, "ALTE1 N 6 0"}, {31, "ALTE12 N 6 0"},
          {32, "ATB1 N 6 0"}, {36, "ATBNR1 N 6 0"}, {40, "TRAC1 N 6 0"}, {44, "TBUC1 N 6 0"},
          {48, "REM1 N 6 0"}, {51, "REM4 N 6 0"}, {52, "G1A N 6 0"}, {66, "G15A N 6 0"}, {67, "G1B N 6 0"},
          {81, "G15B N 6 0"}, {82, "GC1A N 6 0"}, {105, "GC24A N 6 0"}, {106, "GC1B N 6 0"},
          {129, "GC24B N 6 0"}, {130, "APA1 N 6 0"}, {142, "APA13 N 6 0"}}},
        {"Pag7.dbf", 7, {{1, "LIN1 N 6 0"}, {6, "LIN6 N 6 0"}}},
        {"Pag8.dbf", 20,
         {{1, "LIN1 N 6 0"}, {11, "LIN11 N 6 0"}, {12, "PEN1 N 6 0"}, {15, "PEN4 N 6 0"}, {16, "SOLD1 N 6 0"},
          {19, "SOLD4 N 6 0"}}},
    };
    {
        Database db(dir_);
        CreateMissingTables(db, {}, counter());
    }
    std::vector<fs::path> files;
    for (const Case& c : cases)
        files.push_back(onDisk(dir_, c.file));
    const Dump dump = readWithDbfread(files);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const auto& fields = dump.fields(c.file);
        ASSERT_EQ(fields.size(), c.count);
        EXPECT_EQ(fields[0].name, "IDGOS");
        for (const auto& [pos, text] : c.at) {
            const FieldDef& f = fields.at(pos);
            EXPECT_EQ(f.name + " " + f.type + " " + std::to_string(f.width) + " " + std::to_string(f.decimals),
                      text);
        }
    }
}

TEST_F(CatalogTest, CodclIsSeededWithTwelveGroupsDrawingIdsFromTheCounter)
{
    {
        Database db(dir_);
        const auto result = CreateMissingTables(db, {}, counter(40));
        EXPECT_EQ(result.codclRowsSeeded, 12);
        EXPECT_EQ(draws_, 12);
    }
    const Dump dump = readWithDbfread({dir_ / "CODCL.dbf"});
    const std::vector<std::vector<std::string>> expected = {
        {"40", "Impozit pe cladiri", "", "", "I"},
        {"41", "Impozit pe teren intravilan", "", "", "I"},
        {"42", "Impozit pe mijloace de transport", "", "", "I"},
        {"43", "Impozit pe teren extravilan", "", "", "I"},
        {"44", "Salubritate", "", "", "T"},
        {"45", "Concesionari", "", "", "T"},
        {"46", "Iluminat", "", "", "T"},
        {"47", "PSI", "", "", "T"},
        {"48", "Paza", "", "", "T"},
        {"49", "Taxa pe pasune", "", "", "T"},
        {"50", "Vehicule lente", "", "", "T"},
        {"51", "Vehicule neinmatriculate", "", "", "T"},
    };
    EXPECT_EQ(dump.rows("CODCL.dbf"), expected);
}

TEST_F(CatalogTest, SecondRunCreatesOnlyWhatIsMissingAndKeepsData)
{
    Database db(dir_);
    CreateMissingTables(db, {}, counter());
    db.exec("INSERT INTO Gospodar (IDGOS, SATUL, ROL, NUMEP) VALUES (?, ?, ?, ?)", {7, "SAT", "12", "POP ION"});
    fs::remove(dir_ / "Pag7.dbf");
    // Found without regard to case: a table copied from elsewhere under upper case.
    fs::rename(dir_ / "Datorii.dbf", dir_ / "DATORII.DBF");

    Database again(dir_);
    const auto result = CreateMissingTables(again, {}, counter(100));
    EXPECT_EQ(result.created, std::vector<std::string>{"Pag7.dbf"});
    EXPECT_EQ(result.codclRowsSeeded, 0);
    EXPECT_EQ(draws_, 0);
    EXPECT_FALSE(fs::exists(dir_ / "Datorii.dbf"));
    EXPECT_EQ(again.scalar("SELECT COUNT(*) FROM CODCL").toInt(), 12);
    EXPECT_EQ(again.scalar("SELECT NUMEP FROM Gospodar WHERE IDGOS = ?", {7}).toText(), "POP ION");
}

TEST_F(CatalogTest, FailedSeedingLeavesNoEmptyCodclBehind)
{
    {
        Database db(dir_);
        int calls = 0;
        auto failing = [&calls]() -> int64_t {
            if (++calls == 3)
                throw std::runtime_error("counter cannot be stored");
            return calls;
        };
        EXPECT_THROW(CreateMissingTables(db, {}, failing), std::runtime_error);
    }
    EXPECT_TRUE(fs::exists(dir_ / "Ini.dbf"));
    EXPECT_FALSE(fs::exists(dir_ / "CODCL.dbf"));
    EXPECT_FALSE(fs::exists(dir_ / "Gospodar.dbf")); // creation stopped at the failure

    Database db(dir_);
    const auto result = CreateMissingTables(db, {}, counter(1));
    EXPECT_EQ(result.created.front(), "CODCL.dbf");
    EXPECT_EQ(result.created.size(), 26u);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM CODCL").toInt(), 12);
}

// A database of an older edition: narrow amount, yard and quantity columns holding values
// at the limit of their old width.
TEST_F(CatalogTest, UpgradeWidensOldColumnsOnceAndKeepsValues)
{
    {
        Database db(dir_);
        db.createTable("RegCasa",
                       parseColumnList("IDRC DECIMAL(10,0), DATAI DATE, DOCJUS CHAR(50), NR DECIMAL(10,0), "
                                       "INCANUME CHAR(32), PLATIT DECIMAL(6,0), INCASAT DECIMAL(6,0)"));
        std::vector<FieldDef> pag4{FieldDef::Decimal("IDGOS", 10, 0)};
        for (const FieldDef& f : Table("Pag4").fields)
            if (f.name != "IDGOS")
                pag4.push_back(FieldDef::Decimal(f.name, 8, 4));
        db.createTable("Pag4", pag4);
        std::vector<FieldDef> datorii = Table("Datorii").fields;
        datorii[Table("Datorii").fieldIndex("CANT")] = FieldDef::Decimal("CANT", 9, 4);
        db.createTable("Datorii", datorii);

        db.exec("INSERT INTO RegCasa (IDRC, DOCJUS, PLATIT, INCASAT) VALUES (1, 'DISPOZITIE', 999999, 12)");
        db.exec("INSERT INTO Pag4 (IDGOS, CCA, CCF, AL8F) VALUES (3, 999.9999, 12.5, 1.25)");
        db.exec("INSERT INTO Datorii (IDDAT, IDGOS, CANT) VALUES (9, 3, 9999.9999)");
        CreateMissingTables(db, {}, counter());
    }
    {
        Database db(dir_);
        const auto result = UpgradeSchema(db);
        EXPECT_TRUE(result.failed.empty());
        EXPECT_EQ(result.widened,
                  (std::vector<std::string>{"RegCasa.PLATIT", "RegCasa.INCASAT", "Pag4.CCA", "Pag4.CCB",
                                            "Pag4.CCC", "Pag4.CCD", "Pag4.CCE", "Pag4.CCF", "Datorii.CANT"}));
        // What did not fit before fits now.
        db.exec("INSERT INTO RegCasa (IDRC, PLATIT, INCASAT) VALUES (2, 12345678, 99999999)");
        db.exec("INSERT INTO Pag4 (IDGOS, CCA) VALUES (4, 99999.9999)");
        db.exec("INSERT INTO Datorii (IDDAT, IDGOS, CANT) VALUES (10, 4, 1234567.1234)");
    }
    {
        Database db(dir_);
        const auto again = UpgradeSchema(db);
        EXPECT_TRUE(again.widened.empty());
        EXPECT_TRUE(again.failed.empty());
    }

    const Dump dump = readWithDbfread({dir_ / "RegCasa.dbf", dir_ / "Pag4.dbf", dir_ / "Datorii.dbf"});
    for (const std::string file : {"RegCasa.dbf", "Pag4.dbf", "Datorii.dbf"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(describe(dump.fields(file)), describe(Table(file).fields));
    }
    const auto& regCasa = dump.rows("RegCasa.dbf");
    ASSERT_EQ(regCasa.size(), 2u);
    EXPECT_EQ(regCasa[0][2], "DISPOZITIE");
    EXPECT_EQ(regCasa[0][5], "999999");
    EXPECT_EQ(regCasa[0][6], "12");
    EXPECT_EQ(regCasa[1][5], "12345678");
    const auto& pag4 = dump.rows("Pag4.dbf");
    ASSERT_EQ(pag4.size(), 2u);
    EXPECT_EQ(pag4[0][1], "999.9999");
    EXPECT_EQ(pag4[0][6], "12.5");
    EXPECT_EQ(pag4[0][54], "1.25");
    EXPECT_EQ(pag4[1][1], "99999.9999");
    const auto& datorii = dump.rows("Datorii.dbf");
    ASSERT_EQ(datorii.size(), 2u);
    EXPECT_EQ(datorii[0][13], "9999.9999");
    EXPECT_EQ(datorii[1][13], "1234567.1234");
}

TEST_F(CatalogTest, UpgradeOfAFreshDatabaseChangesNothing)
{
    Database db(dir_);
    CreateMissingTables(db, {}, counter());
    const auto before = fs::last_write_time(dir_ / "RegCasa.dbf");
    const auto result = UpgradeSchema(db);
    EXPECT_TRUE(result.widened.empty());
    EXPECT_TRUE(result.failed.empty());
    EXPECT_EQ(fs::last_write_time(dir_ / "RegCasa.dbf"), before);
}

} // namespace
