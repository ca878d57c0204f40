#include "collections/balance_store.h"

#include "core/admin_fields.h"
#include "core/admin_values.h"
#include "db/settings.h"
#include "platform/base/dates.h"
#include "platform/base/decimal.h"
#include "platform/storage/storage.h"

#include <QFileInfo>

#include <stdexcept>

namespace lirma::collections {

using storage::FieldDef;
using storage::Params;
using storage::ResultSet;
using storage::Value;

namespace {

QString text(const ResultSet& rs, size_t row, std::string_view column)
{
    return QString::fromStdString(rs.at(row, column).toText());
}

// Whole lei; a real (a column written with decimals by another program) is rounded.
int64_t lei(const ResultSet& rs, size_t row, std::string_view column)
{
    const Value& v = rs.at(row, column);
    if (v.isReal()) {
        const auto d = base::Decimal::fromDouble(v.toReal());
        return d ? d->roundHalfAway() : 0;
    }
    return v.toInt();
}

QDate date(const ResultSet& rs, size_t row, std::string_view column)
{
    return base::ParseIsoDate(QString::fromStdString(rs.at(row, column).toText()));
}

Value textValue(const QString& s) { return Value(s.toStdString()); }
Value dateValue(const QDate& d) { return d.isValid() ? Value(base::FormatIsoDate(d).toStdString()) : Value(); }

FieldDef Id(const char* name) { return FieldDef::Decimal(name, 10, 0); }
FieldDef Amount(const char* name) { return FieldDef::Decimal(name, 6, 0); }

std::vector<Params> impoziteValues(const Balance& b)
{
    std::vector<Params> rows;
    for (const ImpoziteRow& r : b.impozite)
        rows.push_back({r.IDRES, textValue(r.GRUPA), r.SUMA, r.REST, r.REDUC, r.SCUTIRE, r.DATOR, r.DEPOZ, r.MAJOR,
                        textValue(r.TIP), r.CUR1, r.RAM1, r.MAJOR1, r.RED1, r.SCUT1, r.DEPLATA, r.ACHITAT});
    return rows;
}

std::vector<Params> taxeValues(const Balance& b)
{
    std::vector<Params> rows;
    for (const TaxeRow& r : b.taxe)
        rows.push_back({r.IDDAT, textValue(r.GRUPA), textValue(r.DENUM), textValue(r.DOCJUS), r.NR, textValue(r.TIP),
                        r.SUMA, dateValue(r.DINDATA), r.SUMA2, r.RESTINI, r.REST, r.REDUC, r.CUR1, r.REST1,
                        r.DEPLATA, r.ACHITAT});
    return rows;
}

std::vector<Params> debiteValues(const Balance& b)
{
    std::vector<Params> rows;
    for (const DebiteRow& r : b.debite)
        rows.push_back({r.IDDEB, textValue(r.GRUPA), textValue(r.DOCJUS), r.NR, textValue(r.CATEG),
                        textValue(r.DENUM), dateValue(r.DINDATA), dateValue(r.PENDATA), r.SUMAINI, r.SUMAC, r.MAJOR,
                        r.DEPLATA, r.ACHITAT});
    return rows;
}

std::vector<QStringList> cells(const std::vector<FieldDef>& layout, const std::vector<Params>& rows)
{
    std::vector<QStringList> out;
    for (const Params& row : rows) {
        QStringList line;
        for (size_t c = 0; c < layout.size(); ++c) {
            const QString t = QString::fromStdString(row[c].toText());
            line << (layout[c].type == 'D' ? base::FormatDate(base::ParseIsoDate(t)) : t);
        }
        out.push_back(line);
    }
    return out;
}

std::string insertStatement(const std::string& table, const std::vector<FieldDef>& layout)
{
    std::string columns, marks;
    for (const FieldDef& f : layout) {
        columns += (columns.empty() ? "" : ", ") + f.name;
        marks += marks.empty() ? "?" : ", ?";
    }
    return "INSERT INTO " + table + " (" + columns + ") VALUES (" + marks + ")";
}

} // namespace

std::optional<Taxpayer> ReadTaxpayer(storage::Database& db, int64_t idgos)
{
    const ResultSet rs = db.query(
        "SELECT SATUL, ROL, IDGOS, NUMEP, CNP, STRADA, ADRESA, TIP, SCCLAD, SCCC, SCAUTO, SCTI, SCTE, OBS, OBS2, "
        "NOTAX, INDOP, NRPERS, MOST FROM Gospodar WHERE IDGOS = ?",
        {idgos});
    if (rs.empty())
        return std::nullopt;
    Taxpayer t;
    t.IDGOS = rs.at(0, "IDGOS").toInt();
    t.SATUL = text(rs, 0, "SATUL");
    t.ROL = text(rs, 0, "ROL");
    t.NUMEP = text(rs, 0, "NUMEP");
    t.CNP = text(rs, 0, "CNP");
    t.STRADA = text(rs, 0, "STRADA");
    t.ADRESA = text(rs, 0, "ADRESA");
    t.TIP = text(rs, 0, "TIP");
    t.SCCLAD = lei(rs, 0, "SCCLAD");
    t.SCCC = lei(rs, 0, "SCCC");
    t.SCAUTO = lei(rs, 0, "SCAUTO");
    t.SCTI = lei(rs, 0, "SCTI");
    t.SCTE = lei(rs, 0, "SCTE");
    t.OBS = text(rs, 0, "OBS");
    t.OBS2 = text(rs, 0, "OBS2");
    t.NOTAX = text(rs, 0, "NOTAX");
    t.INDOP = text(rs, 0, "INDOP");
    t.NRPERS = lei(rs, 0, "NRPERS");
    t.MOST = text(rs, 0, "MOST");
    return t;
}

QStringList ReadDiscountHistory(storage::Database& db, int64_t idgos, int fiscalYear)
{
    const ResultSet rs = db.query("SELECT IDGOS, GRUPA, REDUCERE FROM Chitante "
                                  "WHERE DATAI >= ? AND REDUCERE > 0 AND IDGOS = ? ORDER BY GRUPA",
                                  {dateValue(QDate(fiscalYear, 1, 1)), idgos});
    QStringList groups;
    for (size_t i = 0; i < rs.size(); ++i)
        groups << text(rs, i, "GRUPA");
    groups.removeDuplicates();
    return groups;
}

BalanceInput ReadBalanceInput(storage::Database& db, int64_t idgos, int fiscalYear)
{
    BalanceInput in;
    const ResultSet sold = db.query("SELECT IDRES, GRUPA, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR, TIP "
                                    "FROM SoldCalc WHERE IDGOS = ? ORDER BY IDRES",
                                    {idgos});
    for (size_t i = 0; i < sold.size(); ++i) {
        SoldCalcRow r;
        r.IDRES = sold.at(i, "IDRES").toInt();
        r.GRUPA = text(sold, i, "GRUPA");
        r.SUMA = lei(sold, i, "SUMA");
        r.REST = lei(sold, i, "REST");
        r.REDUC = lei(sold, i, "REDUC");
        r.SCUTIRE = lei(sold, i, "SCUTIRE");
        r.DATOR = lei(sold, i, "DATOR");
        r.DEPOZ = lei(sold, i, "DEPOZ");
        r.MAJOR = lei(sold, i, "MAJOR");
        r.TIP = text(sold, i, "TIP");
        in.soldCalc.push_back(r);
    }
    const ResultSet dat = db.query("SELECT IDDAT, GRUPA, DENUM, DOCJUS, NR, TIP, SUMA, DINDATA, SUMA2, RESTINI, REST, "
                                   "REDUC FROM Datorii WHERE IDGOS = ? ORDER BY IDDAT",
                                   {idgos});
    for (size_t i = 0; i < dat.size(); ++i) {
        DatoriiRow r;
        r.IDDAT = dat.at(i, "IDDAT").toInt();
        r.GRUPA = text(dat, i, "GRUPA");
        r.DENUM = text(dat, i, "DENUM");
        r.DOCJUS = text(dat, i, "DOCJUS");
        r.NR = dat.at(i, "NR").toInt();
        r.TIP = text(dat, i, "TIP");
        r.SUMA = lei(dat, i, "SUMA");
        r.DINDATA = date(dat, i, "DINDATA");
        r.SUMA2 = lei(dat, i, "SUMA2");
        r.RESTINI = lei(dat, i, "RESTINI");
        r.REST = lei(dat, i, "REST");
        r.REDUC = lei(dat, i, "REDUC");
        in.datorii.push_back(r);
    }
    const ResultSet deb = db.query("SELECT IDDEB, GRUPA, DOCJUS, NR, CATEG, DENUM, DINDATA, PENDATA, SUMAINI, SUMAC "
                                   "FROM Debit WHERE IDGOS = ? ORDER BY IDDEB",
                                   {idgos});
    for (size_t i = 0; i < deb.size(); ++i) {
        DebitRow r;
        r.IDDEB = deb.at(i, "IDDEB").toInt();
        r.GRUPA = text(deb, i, "GRUPA");
        r.DOCJUS = text(deb, i, "DOCJUS");
        r.NR = deb.at(i, "NR").toInt();
        r.CATEG = text(deb, i, "CATEG");
        r.DENUM = text(deb, i, "DENUM");
        r.DINDATA = date(deb, i, "DINDATA");
        r.PENDATA = date(deb, i, "PENDATA");
        r.SUMAINI = lei(deb, i, "SUMAINI");
        r.SUMAC = lei(deb, i, "SUMAC");
        in.debit.push_back(r);
    }
    in.discountedGroups = ReadDiscountHistory(db, idgos, fiscalYear);
    return in;
}

BalanceOptions CollectionsOptions(const Taxpayer& taxpayer, const db::Settings& settings, int fiscalYear)
{
    BalanceOptions o;
    o.naturalPerson = taxpayer.naturalPerson();
    o.noPenalties = taxpayer.noPenalties();
    o.discounts = true;
    o.discountUnder50 = settings.isOn(db::keys::BONIF50);
    o.discountLegalPersons = settings.isOn(db::keys::REDUCERE_JURIDICE);
    o.fiscalYear = fiscalYear;
    return o;
}

AllocationOptions PaymentOptions(const Taxpayer& taxpayer, const QDate& date, const core::AdminValues& admin,
                                 int fiscalYear)
{
    AllocationOptions o;
    o.date = date;
    o.noPenalties = taxpayer.noPenalties();
    o.compensationDiscountPercent = admin.numberOrZero(QString::fromLatin1(core::admin_names::ERED));
    o.fiscalYear = fiscalYear;
    return o;
}

std::optional<CalcResult> CalcOm(storage::Database& db, const db::Settings& settings, int64_t idgos,
                                 const QDate& date, int fiscalYear)
{
    std::optional<Taxpayer> taxpayer = ReadTaxpayer(db, idgos);
    if (!taxpayer)
        return std::nullopt;
    CalcResult r;
    r.taxpayer = *taxpayer;
    r.input = ReadBalanceInput(db, idgos, fiscalYear);
    r.balance = ComputeBalance(r.input, date, CollectionsOptions(r.taxpayer, settings, fiscalYear));
    return r;
}

const std::vector<FieldDef>& ImpoziteLayout()
{
    static const std::vector<FieldDef> layout{
        Id("IDRES"),     FieldDef::Char("GRUPA", 60), Amount("SUMA"),  Amount("REST"),     Amount("REDUC"),
        Amount("SCUTIRE"), Amount("DATOR"),           Amount("DEPOZ"), Amount("MAJOR"),    FieldDef::Char("TIP", 1),
        Amount("CUR1"),  Amount("RAM1"),              Amount("MAJOR1"), Amount("RED1"),    Amount("SCUT1"),
        Amount("DEPLATA"), Amount("ACHITAT")};
    return layout;
}

const std::vector<FieldDef>& TaxeLayout()
{
    static const std::vector<FieldDef> layout{
        Id("IDDAT"),     FieldDef::Char("GRUPA", 60), FieldDef::Char("DENUM", 50), FieldDef::Char("DOCJUS", 50),
        Id("NR"),        FieldDef::Char("TIP", 1),    Amount("SUMA"),              FieldDef::Date("DINDATA"),
        Amount("SUMA2"), Amount("RESTINI"),           Amount("REST"),              Amount("REDUC"),
        Amount("CUR1"),  Amount("REST1"),             Amount("DEPLATA"),           Amount("ACHITAT")};
    return layout;
}

const std::vector<FieldDef>& DebiteLayout()
{
    static const std::vector<FieldDef> layout{
        Id("IDDEB"),       FieldDef::Char("GRUPA", 60),  FieldDef::Char("DOCJUS", 50), Id("NR"),
        FieldDef::Char("CATEG", 9), FieldDef::Char("DENUM", 50), FieldDef::Date("DINDATA"), FieldDef::Date("PENDATA"),
        Amount("SUMAINI"), Amount("SUMAC"),              Amount("MAJOR"),              Amount("DEPLATA"),
        Amount("ACHITAT")};
    return layout;
}

std::vector<QStringList> ImpoziteCells(const Balance& b) { return cells(ImpoziteLayout(), impoziteValues(b)); }
std::vector<QStringList> TaxeCells(const Balance& b) { return cells(TaxeLayout(), taxeValues(b)); }
std::vector<QStringList> DebiteCells(const Balance& b) { return cells(DebiteLayout(), debiteValues(b)); }

BalanceWorkTables::BalanceWorkTables(storage::Database& db, base::Folders folders)
    : db_(db), folders_(std::move(folders))
{
}

BalanceWorkTables::~BalanceWorkTables()
{
    try {
        drop();
    } catch (...) {
        // A work file that cannot be deleted now is reused by the next NextTempFile.
    }
}

std::string BalanceWorkTables::create(const QString& baseName, const std::vector<FieldDef>& layout)
{
    const QString path = base::NextTempFile(folders_, baseName, QStringLiteral(".dbf"));
    if (path.isEmpty())
        throw std::runtime_error("no free work file name for " + baseName.toStdString());
    const std::string fileName = QFileInfo(path).fileName().toStdString();
    db_.createTable(fileName, layout, folders_.temp.toStdString());
    return QFileInfo(path).completeBaseName().toStdString();
}

void BalanceWorkTables::drop()
{
    for (std::string* name : {&impozite_, &taxe_, &debite_}) {
        if (!name->empty() && db_.tableExists(*name))
            db_.dropTable(*name);
        name->clear();
    }
}

void BalanceWorkTables::write(const Balance& balance)
{
    drop();
    impozite_ = create(QStringLiteral("Impozite"), ImpoziteLayout());
    taxe_ = create(QStringLiteral("Taxe"), TaxeLayout());
    debite_ = create(QStringLiteral("Debite"), DebiteLayout());

    storage::Transaction tx(db_);
    const auto fill = [&](const std::string& table, const std::vector<FieldDef>& layout,
                          const std::vector<Params>& rows) {
        const std::string sql = insertStatement(table, layout);
        for (const Params& row : rows)
            db_.exec(sql, row);
    };
    fill(impozite_, ImpoziteLayout(), impoziteValues(balance));
    fill(taxe_, TaxeLayout(), taxeValues(balance));
    fill(debite_, DebiteLayout(), debiteValues(balance));
    tx.commit();
}

} // namespace lirma::collections
