#include "assessment/debits.h"

#include "assessment/levies.h"
#include "assessment/levy_texts.h"
#include "db/catalog.h"
#include "db/counters.h"
#include "db/setting_keys.h"
#include "platform/base/dates.h"
#include "platform/base/text.h"

#include <algorithm>

namespace lirma::assessment {

using storage::Params;
using storage::Transaction;
using storage::Value;

namespace {

QString textOf(const Value& v) { return QString::fromStdString(v.toText()); }
std::string bind(const QString& s) { return s.toStdString(); }
Value dateValue(const QDate& d) { return d.isValid() ? Value(bind(base::FormatIsoDate(d))) : Value(); }
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

const QString kCumparare = QStringLiteral("Cumparare");
const QString kVanzare = QStringLiteral("Vanzare");
const QString kReducere = QStringLiteral("Reducere");
const QString kMajorare = QStringLiteral("Majorare");
const QString kTaxa = QStringLiteral("Taxa");

bool isTrade(const QString& category) { return category == kCumparare || category == kVanzare; }

std::vector<VehicleEntry> buildVehicleEntries()
{
    std::vector<VehicleEntry> v;
    v.reserve(137);
    const QString pag5 = QStringLiteral("PAG5");
    const QString cmc = yeartext::Cmc();
    auto cap = [&](const QString& text, const QString& column, const QString& table = QStringLiteral("PAG5")) {
        v.push_back({text, table, column, QString(), cmc});
    };
    auto count = [&](const QString& text, const QString& column, const QString& table = QStringLiteral("PAG5")) {
        v.push_back({text, table, QString(), column, cmc});
    };
    auto both = [&](const QString& text, const QString& capColumn, const QString& countColumn) {
        v.push_back({text, pag5, capColumn, countColumn, cmc});
    };
    for (int k = 1; k <= 4; ++k)
        cap(QStringLiteral("Alte autovehicule cu masa pana in 12 t (%1)").arg(k), QStringLiteral("ALTE%1").arg(k));
    for (int k = 1; k <= 4; ++k)
        both(QStringLiteral("Autobuze,autocare,microbuze (%1)").arg(k), QStringLiteral("ATB%1").arg(k),
             QStringLiteral("ATBNR%1").arg(k));
    const QString car = QStringLiteral("Autoturisme cap.cil. ");
    const struct {
        const char* band;
        const char* column;
    } bands[] = {
        {"  201 -   400 cmc", "AUTO15"}, {"  401 -   600 cmc", "AUTO14"}, {"  601 -   800 cmc", "AUTO13"},
        {"  801 - 1000 cmc", "AUTO12"},  {"1001 - 1200 cmc", "AUTO11"},  {"1201 - 1400 cmc", "AUTO1"},
        {"1401 - 1600 cmc", "AUTO2"},    {"1601 - 1800 cmc", "AUTO3"},    {"1801 - 2000 cmc", "AUTO4"},
        {"2001 - 2200 cmc", "AUTO5"},    {"2201 - 2400 cmc", "AUTO6"},    {"2401 - 2600 cmc", "AUTO7"},
        {"2601 - 2800 cmc", "AUTO8"},    {"2801 - 3000 cmc", "AUTO9"},    {"pana in  200 cmc", "AUTO16"},
    };
    for (const auto& b : bands)
        count(car + QLatin1String(b.band), QLatin1String(b.column));
    for (int k = 1; k <= 4; ++k)
        cap(QStringLiteral("Autoturisme cap.cil.peste 3000 cmc (%1)").arg(k), QStringLiteral("P3000%1").arg(k));
    const struct {
        const char* text;
        const char* column;
    } water[] = {
        {"Barca cu motor", "APA3"},
        {"Barca fara motor", "APA2"},
        {"Ceam,slep,barja 1500-3000to", "APA12"},
        {"Ceam,slep,barja pana la 1500to", "APA11"},
        {"Ceam,slep,barja peste 3000to", "APA13"},
        {"Luntre,barca,scuter,uz personal", "APA1"},
        {"Nave de sport si agrement", "APA4"},
        {"Remorcher pana la 2000CP", "APA7"},
        {"Remorcher pana la 4000CP", "APA8"},
        {"Remorcher pana la 500CP", "APA6"},
        {"Remorcher peste 4000CP", "APA9"},
    };
    for (const auto& w : water)
        count(QLatin1String(w.text), QLatin1String(w.column));
    const char* trailers[] = {"Remorci, rulote pana la 1 tona inclusiv", "Remorci, rulote peste 1 tona, pana la 3 tone",
                              "Remorci, rulote peste 3 tone, pana la 5 tone", "Remorci, rulote peste 5 tone"};
    for (int k = 1; k <= 4; ++k)
        count(QLatin1String(trailers[k - 1]), QStringLiteral("REM%1").arg(k));
    count(QStringLiteral("Scutere de apa"), QStringLiteral("APA5"));
    for (int k = 1; k <= 4; ++k)
        both(QStringLiteral("Tractoare inmatriculate (%1)").arg(k), QStringLiteral("TRAC%1").arg(k),
             QStringLiteral("TBUC%1").arg(k));
    v.push_back({QStringLiteral("Vapoare"), pag5, QStringLiteral("APA10"), QString(), yeartext::TotalTdw()});

    // Heavy vehicles: within each mass band the entry without pneumatic suspension ("B" column)
    // comes before the one with it ("A" column).
    const char* g[] = {"Vehicule 2 axe,12-13t,", "Vehicule 2 axe,13-14t,", "Vehicule 2 axe,14-15t,",
                       "Vehicule 2 axe,peste 15t,", "Vehicule 3 axe,15-17t,", "Vehicule 3 axe,17-19t,",
                       "Vehicule 3 axe,19-21t,", "Vehicule 3 axe,21-23t,", "Vehicule 3 axe,23-25t,",
                       "Vehicule 3 axe,peste 25t,", "Vehicule 4 axe,23-25t,", "Vehicule 4 axe,25-27t,",
                       "Vehicule 4 axe,27-29t,", "Vehicule 4 axe,29-31t,", "Vehicule 4 axe,peste 31t,"};
    const char* gc[] = {"Vehicule 2+1 axe,12-14t,",    "Vehicule 2+1 axe,14-16t,", "Vehicule 2+1 axe,16-18t,",
                        "Vehicule 2+1 axe,18-20t,",    "Vehicule 2+1 axe,20-22t,", "Vehicule 2+1 axe,22-23t,",
                        "Vehicule 2+1 axe,23-25t,",    "Vehicule 2+1 axe,peste 25t,", "Vehicule 2+2 axe,23-25t,",
                        "Vehicule 2+2 axe,25-26t,",    "Vehicule 2+2 axe,26-28t,", "Vehicule 2+2 axe,28-29t,",
                        "Vehicule 2+2 axe,29-31t,",    "Vehicule 2+2 axe,31-33t,", "Vehicule 2+2 axe,33-36t,",
                        "Vehicule 2+2 axe,peste 36t,", "Vehicule 2+3 axe,36-38t,", "Vehicule 2+3 axe,peste 38t,",
                        "Vehicule 3+2 axe,36-38t,",    "Vehicule 3+2 axe,38-40t,", "Vehicule 3+2 axe,peste 40t,",
                        "Vehicule 3+3 axe,36-38t,",    "Vehicule 3+3 axe,38-40t,", "Vehicule 3+3 axe,peste 40t,"};
    auto heavy = [&](const char* const* rows, const char* prefix, int from, int to) {
        for (int n = from; n <= to; ++n) {
            const QString row = QLatin1String(rows[n - 1]);
            count(row + QStringLiteral("fara susp.pneum."), QStringLiteral("%1%2B").arg(QLatin1String(prefix)).arg(n));
            count(row + QStringLiteral("susp.pneum."), QStringLiteral("%1%2A").arg(QLatin1String(prefix)).arg(n));
        }
    };
    heavy(g, "G", 1, 4);     // 2 axles
    heavy(gc, "GC", 1, 8);   // 2+1 axles
    heavy(gc, "GC", 9, 16);  // 2+2 axles
    heavy(gc, "GC", 17, 18); // 2+3 axles
    heavy(g, "G", 5, 10);    // 3 axles
    heavy(gc, "GC", 19, 21); // 3+2 axles
    heavy(gc, "GC", 22, 24); // 3+3 axles
    heavy(g, "G", 11, 15);   // 4 axles

    const QString pag6 = QStringLiteral("PAG6");
    for (int k = 1; k <= 5; ++k)
        cap(QStringLiteral("Vehicule neinmatriculate pana la 4800 cmc(%1)").arg(k), QStringLiteral("VN%1").arg(k), pag6);
    for (int k = 1; k <= 5; ++k)
        cap(QStringLiteral("Vehicule neinmatriculate peste 4800 cmc(%1)").arg(k), QStringLiteral("VN%1").arg(k + 5),
            pag6);
    count(QStringLiteral("Vehicule neinmatriculate cu cap.neevidentiata"), QStringLiteral("VN11"), pag6);
    return v;
}

DebitRow rowOf(const std::vector<Value>& r)
{
    // IDDEB, IDGOS, GRUPA, DOCJUS, NR, CATEG, DENUM, DINDATA, PENDATA, FISIER, 8 pairs, SUMAINI, SUMAC
    DebitRow d;
    d.iddeb = r[0].toInt();
    d.idgos = r[1].toInt();
    DebitRecord& rec = d.record;
    rec.group = textOf(r[2]);
    rec.explanation = textOf(r[3]);
    rec.number = r[4].toInt();
    rec.category = textOf(r[5]);
    rec.item = textOf(r[6]);
    rec.date = base::ParseIsoDate(textOf(r[7]));
    rec.dueDate = base::ParseIsoDate(textOf(r[8]));
    rec.table = textOf(r[9]);
    for (int i = 0; i < kDebitPairs; ++i) {
        rec.pairs[size_t(i)].column = textOf(r[size_t(10 + 2 * i)]);
        rec.pairs[size_t(i)].value = textOf(r[size_t(11 + 2 * i)]);
    }
    d.initial = r[26].toInt();
    d.due = r[27].toInt();
    rec.amount = d.initial;
    return d;
}

std::string selectColumns()
{
    std::string s = "IDDEB, IDGOS, GRUPA, DOCJUS, NR, CATEG, DENUM, DINDATA, PENDATA, FISIER";
    for (int i = 1; i <= kDebitPairs; ++i)
        s += ", CAMP" + std::to_string(i) + ", VAL" + std::to_string(i);
    return s + ", SUMAINI, SUMAC";
}

// GRUPA, DOCJUS, NR, CATEG, DINDATA, PENDATA, DENUM, FISIER, the pairs.
void appendRecord(Params& p, const DebitRecord& r)
{
    p.emplace_back(bind(r.group));
    p.emplace_back(bind(r.explanation));
    p.emplace_back(r.number);
    p.emplace_back(bind(r.category));
    p.push_back(dateValue(r.date));
    p.push_back(dateValue(r.dueDate));
    p.emplace_back(bind(r.item));
    p.emplace_back(bind(r.table));
    for (const DebitPair& pair : r.pairs) {
        p.emplace_back(bind(pair.column));
        p.emplace_back(bind(pair.value));
    }
}

std::string pairAssignments()
{
    std::string s;
    for (int i = 1; i <= kDebitPairs; ++i)
        s += ", CAMP" + std::to_string(i) + " = ?, VAL" + std::to_string(i) + " = ?";
    return s;
}

} // namespace

const QStringList& DebitGroups()
{
    static const QStringList groups = {qs(db::kGroupBuildings), qs(db::kGroupLandInside), qs(db::kGroupLandOutside),
                                       qs(db::kGroupVehicles)};
    return groups;
}

DebitPanel PanelOf(const QString& group)
{
    switch (base::GroupIndex(group)) {
    case 2: return DebitPanel::LandInside;
    case 3: return DebitPanel::LandOutside;
    case 4: return DebitPanel::Vehicles;
    default: return DebitPanel::Buildings;
    }
}

const QStringList& DebitCategories()
{
    static const QStringList categories = {kCumparare, kVanzare, kReducere, kMajorare, kTaxa};
    return categories;
}

bool LowersObligations(const QString& category) { return category == kVanzare || category == kReducere; }

QString BorderouKind(const QString& category)
{
    return category == kCumparare || category == kMajorare ? yeartext::Debits() : yeartext::WriteOffs();
}

const QStringList& InsideLandCategories()
{
    static const QStringList list = {
        QStringLiteral("Curti-constructii"), QStringLiteral("Teren arabil"), QStringLiteral("Pasune"),
        QStringLiteral("Faneata"),           QStringLiteral("Vie"),          QStringLiteral("Livada"),
        QStringLiteral("Neproductiv"),       QStringLiteral("Padure"),       QStringLiteral("Teren cu ape")};
    return list;
}

const QStringList& OutsideLandCategories()
{
    static const QStringList list = {QStringLiteral("Teren arabil"),
                                     QStringLiteral("Pasuni - fanete"),
                                     QStringLiteral("Vie pe rod"),
                                     QStringLiteral("Vie pana la intrarea pe rod"),
                                     QStringLiteral("Livada pe rod"),
                                     QStringLiteral("Livada pana la intrarea pe rod"),
                                     QStringLiteral("Fond forestier sau alt teren"),
                                     QStringLiteral("Teren de constructii"),
                                     QStringLiteral("Teren neproductiv"),
                                     QStringLiteral("Teren cu apa, fara amenajari piscicole"),
                                     QStringLiteral("Teren cu amenajari piscicole")};
    return list;
}

const QStringList& InsideZones()
{
    static const QStringList zones = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                      QStringLiteral("D"), QStringLiteral("E")};
    return zones;
}

const QStringList& OutsideZones()
{
    static const QStringList zones = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                      QStringLiteral("D")};
    return zones;
}

const std::vector<VehicleEntry>& VehicleEntries()
{
    static const std::vector<VehicleEntry> entries = buildVehicleEntries();
    return entries;
}

QDate DueDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    return QDate(date.year(), date.month(), 1).addMonths(2);
}

QString FormatQuantity(const base::Decimal& quantity) { return quantity.toQString(); }

DebitProblem CheckDebit(DebitInput& input)
{
    const DebitPanel panel = PanelOf(input.group);
    const bool trade = isTrade(input.category);
    if (panel == DebitPanel::Buildings && trade)
        return DebitProblem::BuildingsTrade;
    input.explanation = base::CleanSpaces(input.explanation).left(kExplanationWidth);
    switch (panel) {
    case DebitPanel::LandInside:
        if (!trade)
            input.area = {};
        else if (input.area <= base::Decimal())
            return DebitProblem::NoArea;
        break;
    case DebitPanel::LandOutside:
        // Kept to four decimals by the type itself; no check.
        break;
    case DebitPanel::Vehicles: {
        if (!trade) {
            input.capacity = 0;
            input.count = 0;
            break;
        }
        const auto& entries = VehicleEntries();
        if (input.vehicle < 0 || input.vehicle >= int(entries.size()))
            input.vehicle = 0;
        const VehicleEntry& e = entries[size_t(input.vehicle)];
        if (!e.capacityColumn.isEmpty() && input.capacity <= 0)
            return DebitProblem::NoCapacity;
        if (!e.countColumn.isEmpty() && input.count <= 0)
            return DebitProblem::NoCount;
        break;
    }
    case DebitPanel::Buildings:
        break;
    }
    if (input.amount < 0)
        return DebitProblem::NegativeAmount;
    return DebitProblem::None;
}

DebitRecord BuildDebit(const DebitInput& input)
{
    DebitRecord r;
    r.group = input.group;
    r.explanation = input.explanation;
    r.category = input.category;
    r.number = input.number;
    r.date = input.date;
    r.dueDate = DueDate(input.date);
    r.amount = LowersObligations(input.category) ? -input.amount : input.amount;
    switch (PanelOf(input.group)) {
    case DebitPanel::Buildings:
        r.item = yeartext::BuildingsItem();
        r.table = QStringLiteral("PAG2");
        break;
    case DebitPanel::LandInside: {
        const QStringList& cats = InsideLandCategories();
        const int k = std::clamp(input.landCategory, 0, int(cats.size()) - 1);
        r.item = cats[k];
        r.table = QStringLiteral("PAG4");
        r.pairs[0].column = k == 0 ? QStringLiteral("CC") + input.zone : QStringLiteral("AL%1").arg(k) + input.zone;
        r.pairs[0].value = FormatQuantity(input.area);
        break;
    }
    case DebitPanel::LandOutside: {
        const QStringList& cats = OutsideLandCategories();
        const int k = std::clamp(input.landCategory, 0, int(cats.size()) - 1);
        r.item = cats[k];
        r.table = QStringLiteral("PAG1");
        r.pairs[0].column = QStringLiteral("L%1").arg(k + 1) + input.zone;
        r.pairs[0].value = FormatQuantity(input.area);
        break;
    }
    case DebitPanel::Vehicles: {
        const auto& entries = VehicleEntries();
        const VehicleEntry& e = entries[size_t(std::clamp(input.vehicle, 0, int(entries.size()) - 1))];
        r.item = e.text;
        r.table = e.table;
        size_t i = 0;
        if (!e.capacityColumn.isEmpty())
            r.pairs[i++] = {e.capacityColumn, QString::number(input.capacity)};
        if (!e.countColumn.isEmpty())
            r.pairs[i++] = {e.countColumn, QString::number(input.count)};
        break;
    }
    }
    return r;
}

DebitInput InputOf(const DebitRow& row)
{
    const DebitRecord& r = row.record;
    DebitInput in;
    in.date = r.date;
    in.group = r.group;
    in.category = r.category;
    in.number = r.number;
    in.explanation = r.explanation;
    in.amount = r.category == kMajorare ? row.initial : (row.initial < 0 ? -row.initial : row.initial);
    const QString column = r.pairs[0].column;
    const QString value = r.pairs[0].value;
    auto quantity = [](const QString& text) { return base::Decimal::parse(QStringView(text)).value_or(base::Decimal()); };
    auto whole = [&](const QString& text) { return quantity(text).trunc(); };
    switch (PanelOf(r.group)) {
    case DebitPanel::Buildings:
        break;
    case DebitPanel::LandInside: {
        in.landCategory = std::max<int>(0, int(InsideLandCategories().indexOf(r.item)));
        if (column.startsWith(QLatin1String("CC")) && column.size() == 3) {
            in.landCategory = 0;
            in.zone = column.mid(2);
        } else if (column.startsWith(QLatin1String("AL")) && column.size() == 4 && column[2].isDigit()) {
            in.landCategory = column[2].digitValue();
            in.zone = column.mid(3);
        }
        in.area = quantity(value);
        break;
    }
    case DebitPanel::LandOutside: {
        in.landCategory = std::max<int>(0, int(OutsideLandCategories().indexOf(r.item)));
        if (column.startsWith(QLatin1Char('L')) && column.size() >= 3) {
            bool ok = false;
            const int k = column.mid(1, column.size() - 2).toInt(&ok);
            if (ok && k >= 1 && k <= int(OutsideLandCategories().size())) {
                in.landCategory = k - 1;
                in.zone = column.right(1);
            }
        }
        in.area = quantity(value);
        break;
    }
    case DebitPanel::Vehicles: {
        const auto& entries = VehicleEntries();
        in.vehicle = 0;
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].text == r.item) {
                in.vehicle = int(i);
                break;
            }
        const VehicleEntry& e = entries[size_t(in.vehicle)];
        if (!e.capacityColumn.isEmpty()) {
            in.capacity = whole(r.pairs[0].value);
            if (!e.countColumn.isEmpty())
                in.count = whole(r.pairs[1].value);
        } else if (!e.countColumn.isEmpty()) {
            in.count = whole(r.pairs[0].value);
        }
        break;
    }
    }
    return in;
}

Debits::Debits(storage::Database& db, db::Counters& counters) : db_(db), counters_(counters) {}

std::vector<DebitRow> Debits::List(int64_t idgos)
{
    const storage::ResultSet rs = db_.query(
        "SELECT " + selectColumns() + " FROM Debit WHERE IDGOS = ? ORDER BY IDGOS, GRUPA, DINDATA, IDDEB", {idgos});
    std::vector<DebitRow> rows;
    rows.reserve(rs.size());
    for (const auto& r : rs.rows)
        rows.push_back(rowOf(r));
    return rows;
}

std::optional<DebitRow> Debits::Find(int64_t iddeb)
{
    const storage::ResultSet rs = db_.query("SELECT " + selectColumns() + " FROM Debit WHERE IDDEB = ?", {iddeb});
    if (rs.empty())
        return std::nullopt;
    return rowOf(rs.rows[0]);
}

int64_t Debits::Add(int64_t idgos, const DebitRecord& record)
{
    std::string columns = "IDDEB, IDGOS, GRUPA, DOCJUS, NR, CATEG, DINDATA, PENDATA, DENUM, FISIER";
    for (int i = 1; i <= kDebitPairs; ++i)
        columns += ", CAMP" + std::to_string(i) + ", VAL" + std::to_string(i);
    columns += ", SUMAINI, SUMAC";
    std::string marks = "?";
    for (int i = 1; i < 10 + 2 * kDebitPairs + 2; ++i)
        marks += ", ?";

    Transaction tx(db_);
    // Drawn inside the transaction that stores it (the counter re-seeding relies on it).
    const int64_t iddeb = counters_.NextId(db::keys::IDDEB).toLongLong();
    Params p{iddeb, idgos};
    appendRecord(p, record);
    p.emplace_back(record.amount);
    p.emplace_back(record.amount);
    db_.exec("INSERT INTO Debit (" + columns + ") VALUES (" + marks + ")", p);
    tx.commit();
    return iddeb;
}

Debits::Outcome Debits::Modify(int64_t iddeb, const DebitRecord& record)
{
    Params p;
    appendRecord(p, record);
    p.emplace_back(record.amount);
    p.emplace_back(record.amount);
    p.emplace_back(iddeb);
    // The right-hand sides see the row as it was: SUMAC moves by the change of SUMAINI.
    const int64_t changed = db_.exec("UPDATE Debit SET GRUPA = ?, DOCJUS = ?, NR = ?, CATEG = ?, DINDATA = ?, "
                                     "PENDATA = ?, DENUM = ?, FISIER = ?"
                                         + pairAssignments()
                                         + ", SUMAC = COALESCE(SUMAC, 0) + (? - COALESCE(SUMAINI, 0)), SUMAINI = ? "
                                           "WHERE IDDEB = ?",
                                     p);
    return changed > 0 ? Outcome::Done : Outcome::Missing;
}

Debits::Outcome Debits::Delete(int64_t iddeb)
{
    Transaction tx(db_);
    const std::optional<DebitRow> now = Find(iddeb);
    if (!now)
        return Outcome::Missing;
    // A debit that lowers the obligations may go whatever was done with it.
    if (now->initial > 0 && now->collected())
        return Outcome::Collected;
    db_.exec("DELETE FROM Debit WHERE IDDEB = ?", {iddeb});
    tx.commit();
    return Outcome::Done;
}

} // namespace lirma::assessment
