#include "register/asset_pages.h"

#include "db/catalog.h"
#include "db/setting_keys.h"
#include "platform/base/decimal.h"
#include "platform/base/edition.h"
#include "register/register_texts.h"

#include <stdexcept>

namespace lirma::reg {

using base::Decimal;
using storage::Params;
using storage::Transaction;
using storage::Value;

namespace {

void add(PageDef& d, const QString& field, const QString& column) { d.fields.push_back({field, column}); }
void same(PageDef& d, const QString& name) { add(d, name, name); }

PageDef pageDef(AssetPage page, const char* name, const char* caption, const char* nav, const char* table,
                const char* panel)
{
    PageDef d;
    d.page = page;
    d.name = QString::fromLatin1(name);
    d.caption = QString::fromLatin1(caption);
    d.navEntry = QString::fromLatin1(nav);
    d.table = QString::fromLatin1(table);
    d.panel = QString::fromLatin1(panel);
    return d;
}

std::vector<PageDef> buildDefs()
{
    std::vector<PageDef> defs;

    PageDef p1 = pageDef(AssetPage::Pag1, "Pag1", "Teren Extravilan", "   - teren extravilan", "Pag1", "Modi1");
    for (int n = 1; n <= 11; ++n)
        for (QChar x : QStringLiteral("ABCDE"))
            add(p1, QStringLiteral("EC%1Z%2").arg(n).arg(x), QStringLiteral("L%1%2").arg(n).arg(x));
    defs.push_back(p1);

    PageDef p4 = pageDef(AssetPage::Pag4, "Pag4", "Teren intravilan", "   - teren intravilan", "Pag4", "Modi4");
    for (QChar x : QStringLiteral("ABCDEF"))
        add(p4, QStringLiteral("ICC%1").arg(x), QStringLiteral("CC%1").arg(x));
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 6; ++c)
            add(p4, QStringLiteral("IA%1%2").arg(r).arg(c), QStringLiteral("AL%1%2").arg(r).arg(QChar(u'A' + c - 1)));
    defs.push_back(p4);

    PageDef p5 = pageDef(AssetPage::Pag5, "Pag5", "Mijloace de transport", "   - mijloace de transport", "Pag5",
                         "Modi5");
    // The bands up to 1200 cmc were added after AUTO1..AUTO9 and kept apart from their columns.
    for (int k = 23; k >= 18; --k)
        add(p5, QStringLiteral("AUTO%1").arg(k), QStringLiteral("AUTO%1").arg(k - 7));
    for (int k = 1; k <= 9; ++k)
        same(p5, QStringLiteral("AUTO%1").arg(k));
    for (int k = 1; k <= 4; ++k)
        same(p5, QStringLiteral("P3000%1").arg(k));
    for (int k = 1; k <= 12; ++k)
        add(p5, QStringLiteral("ALTEA%1").arg(k), QStringLiteral("ALTE%1").arg(k));
    for (int k = 1; k <= 4; ++k) {
        add(p5, QStringLiteral("TRACCAP%1").arg(k), QStringLiteral("TRAC%1").arg(k));
        add(p5, QStringLiteral("TRACBUC%1").arg(k), QStringLiteral("TBUC%1").arg(k));
    }
    for (int k = 1; k <= 4; ++k) {
        add(p5, QStringLiteral("ATBCAP%1").arg(k), QStringLiteral("ATB%1").arg(k));
        add(p5, QStringLiteral("ATBCANT%1").arg(k), QStringLiteral("ATBNR%1").arg(k));
    }
    for (int k = 1; k <= 4; ++k)
        add(p5, QStringLiteral("AUTO%1").arg(13 + k), QStringLiteral("REM%1").arg(k));
    defs.push_back(p5);

    PageDef p6 = pageDef(AssetPage::Pag6, "Pag6", "Impozit pe vehicule neinmatriculate",
                         "   - vehicule neinmatriculate", "Pag6", "Modi6");
    for (int k = 1; k <= 11; ++k)
        same(p6, QStringLiteral("VN%1").arg(k));
    defs.push_back(p6);

    PageDef p7 = pageDef(AssetPage::Pag7, "Pag7", "Alte taxe", "   - alte taxe", "Pag7", "Modi7");
    for (int k = 1; k <= 6; ++k)
        add(p7, QStringLiteral("Alte%1").arg(k), QStringLiteral("LIN%1").arg(k));
    defs.push_back(p7);

    PageDef p8 = pageDef(AssetPage::Pag8, "Pag8", "Autovechicule transport marfa peste 12 tone / bucati",
                         "   - auto.transp.peste 12 tone", "Pag5", "Modi8");
    for (int n = 1; n <= 15; ++n) {
        same(p8, QStringLiteral("G%1A").arg(n));
        same(p8, QStringLiteral("G%1B").arg(n));
    }
    defs.push_back(p8);

    PageDef p9 = pageDef(AssetPage::Pag9, "Pag9", "Combinatii autovehicule peste 12 tone / bucati",
                         "   - auto combinatii peste 12 t", "Pag5", "Modi9");
    for (int n = 1; n <= 24; ++n) {
        same(p9, QStringLiteral("GC%1A").arg(n));
        same(p9, QStringLiteral("GC%1B").arg(n));
    }
    defs.push_back(p9);

    PageDef p10 = pageDef(AssetPage::Pag10, "Pag10", "Mijloace de transport pe apa", "   - mijloace transport pe apa",
                          "Pag5", "Modi10");
    for (int n = 1; n <= 13; ++n)
        same(p10, QStringLiteral("APA%1").arg(n));
    defs.push_back(p10);

    PageDef p11 = pageDef(AssetPage::Pag11, "Pag11", "Restante din evidentele anterioare", "   - Restante", "Pag8",
                          "Modi11");
    for (int k = 1; k <= 4; ++k) {
        add(p11, QStringLiteral("NumericEdit%1").arg(11 + k), QStringLiteral("LIN%1").arg(k));
        add(p11, QStringLiteral("Pen%1").arg(11 + k), QStringLiteral("PEN%1").arg(k));
        add(p11, QStringLiteral("Sold%1").arg(k), QStringLiteral("SOLD%1").arg(k));
    }
    for (int k = 17; k <= 23; ++k)
        add(p11, QStringLiteral("NumericEdit%1").arg(k), QStringLiteral("LIN%1").arg(k - 12));
    p11.amounts = true;
    defs.push_back(p11);
    return defs;
}

QString valueText(const Value& v, int decimals)
{
    if (v.isNull())
        return QStringLiteral("0");
    if (decimals == 0 || v.isInt())
        return QString::number(v.toInt());
    const std::optional<Decimal> d = Decimal::fromDouble(v.toReal());
    return d ? d->toQString() : QStringLiteral("0");
}

// Digits after the decimal point, trailing zeros not counted ("2.50" has 1).
int typedDecimals(const QString& t)
{
    const int dot = t.indexOf(u'.');
    if (dot < 0)
        return 0;
    int n = int(t.size()) - dot - 1;
    while (n > 0 && t[dot + n] == u'0')
        --n;
    return n;
}

Decimal powerOfTen(int n)
{
    Decimal d(1);
    for (int i = 0; i < n; ++i)
        d *= Decimal(10);
    return d;
}

bool isCapacityOver3000(const QString& field) { return field.startsWith(QStringLiteral("P3000")); }

} // namespace

int PageDef::fieldIndex(const QString& field) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const std::vector<PageDef>& AssetPageDefs()
{
    static const std::vector<PageDef> defs = buildDefs();
    return defs;
}

const PageDef& PageDefOf(AssetPage page) { return AssetPageDefs()[size_t(page)]; }

const QStringList& PageTables()
{
    static const QStringList tables = {"Pag1", "Pag4", "Pag5", "Pag6", "Pag7", "Pag8"};
    return tables;
}

void InsertZeroRow(storage::Database& db, const QString& table, int64_t idgos)
{
    const storage::TableInfo info = db.tableInfo(table.toStdString());
    std::string columns, marks;
    Params params;
    for (const storage::FieldDef& f : info.fields) {
        if (!columns.empty()) {
            columns += ", ";
            marks += ", ";
        }
        columns += f.name;
        marks += "?";
        if (QString::fromStdString(f.name).compare(QStringLiteral("IDGOS"), Qt::CaseInsensitive) == 0)
            params.emplace_back(idgos);
        else if (f.type == 'N' || f.type == 'F')
            params.emplace_back(0);
        else if (f.type == 'C')
            params.emplace_back("");
        else
            params.emplace_back(nullptr);
    }
    db.exec("INSERT INTO " + info.name + " (" + columns + ") VALUES (" + marks + ")", params);
}

const QStringList& OtherTaxLabels()
{
    static const QStringList labels = {
        QString::fromLatin1(db::kGroupConcessions.data(), qsizetype(db::kGroupConcessions.size())),
        QString::fromLatin1(db::kGroupLighting.data(), qsizetype(db::kGroupLighting.size())),
        QString::fromLatin1(db::kGroupSanitation.data(), qsizetype(db::kGroupSanitation.size())),
        QString::fromLatin1(db::kGroupFireService.data(), qsizetype(db::kGroupFireService.size())),
        QString::fromLatin1(db::kGroupGuard.data(), qsizetype(db::kGroupGuard.size())),
        QString::fromLatin1(db::kGroupSlowVehicles.data(), qsizetype(db::kGroupSlowVehicles.size()))};
    return labels;
}

const QStringList& ArrearsLabels()
{
    auto g = [](std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); };
    static const QStringList labels = {"Teren extravilan",       "Cladiri",
                                       "Teren intravilan",       "Mijloace de transport",
                                       g(db::kGroupSlowVehicles), g(db::kGroupPasture),
                                       g(db::kGroupConcessions), g(db::kGroupLighting),
                                       g(db::kGroupSanitation),  g(db::kGroupFireService),
                                       g(db::kGroupGuard)};
    return labels;
}

AssetPages::AssetPages(storage::Database& db, db::Settings& settings) : db_(db), settings_(settings) {}

const std::vector<AssetPages::Column>& AssetPages::columnsOf(const PageDef& def)
{
    auto it = columns_.find(int(def.page));
    if (it != columns_.end())
        return it->second;
    // The file's own layout: an older database may still hold narrower columns.
    const storage::TableInfo info = db_.tableInfo(def.table.toStdString());
    std::vector<Column> cols;
    for (const PageField& f : def.fields) {
        const storage::FieldDef* found = nullptr;
        for (const storage::FieldDef& fd : info.fields)
            if (QString::fromStdString(fd.name).compare(f.column, Qt::CaseInsensitive) == 0)
                found = &fd;
        if (!found)
            throw storage::StorageError("Table " + info.name + " has no column " + f.column.toStdString());
        cols.push_back({QString::fromStdString(found->name), found->width, found->decimals});
    }
    return columns_.emplace(int(def.page), std::move(cols)).first->second;
}

QStringList AssetPages::Load(AssetPage page, int64_t idgos)
{
    const PageDef& def = PageDefOf(page);
    const std::vector<Column>& cols = columnsOf(def);
    std::string select;
    for (const Column& c : cols)
        select += (select.empty() ? "" : ", ") + c.name.toStdString();
    const std::string sql = "SELECT " + select + " FROM " + def.table.toStdString() + " WHERE IDGOS = ?";
    storage::ResultSet rs = db_.query(sql, {idgos});
    if (rs.empty()) {
        Transaction tx(db_);
        // Another workstation may have created it since the read above.
        rs = db_.query(sql, {idgos});
        if (rs.empty()) {
            InsertZeroRow(db_, def.table, idgos);
            tx.commit();
            return QStringList(int(cols.size()), QStringLiteral("0"));
        }
    }
    QStringList values;
    for (size_t i = 0; i < cols.size(); ++i)
        values.push_back(valueText(rs.rows[0][i], cols[i].decimals));
    return values;
}

std::optional<PageProblem> AssetPages::Check(AssetPage page, const QStringList& values)
{
    const PageDef& def = PageDefOf(page);
    const std::vector<Column>& cols = columnsOf(def);
    for (size_t i = 0; i < cols.size() && i < size_t(values.size()); ++i) {
        const Column& col = cols[i];
        const QString t = values[int(i)].trimmed();
        if (t.isEmpty())
            continue;
        const std::optional<Decimal> v = Decimal::parse(t);
        if (!v)
            return PageProblem{int(i), text::NotANumber()};
        if (typedDecimals(t) > col.decimals)
            return PageProblem{int(i), col.decimals == 0 ? text::NotWhole() : text::TooManyDecimals(col.decimals)};
        if (v->isNegative() && !def.amounts)
            return PageProblem{int(i), text::Negative()};
        const int intDigits = col.width - col.decimals - (col.decimals > 0 ? 1 : 0);
        const Decimal ulp = Decimal::fromUnits(powerOfTen(Decimal::Places - col.decimals).trunc());
        const Decimal max = powerOfTen(intDigits) - ulp;
        const Decimal min = -(powerOfTen(intDigits - 1) - ulp); // the sign takes one place
        if (*v > max)
            return PageProblem{int(i), text::OutOfRange(max.toQString(col.decimals))};
        if (*v < min)
            return PageProblem{int(i), text::BelowRange(min.toQString(col.decimals))};
        if (isCapacityOver3000(def.fields[i].field) && *v > Decimal(0) && *v < Decimal(3000))
            return PageProblem{int(i), text::CapacityOver3000()};
    }
    return std::nullopt;
}

std::optional<PageProblem> AssetPages::CheckArrears(const QStringList& values) const
{
    const PageDef& def = PageDefOf(AssetPage::Pag11);
    auto value = [&](const QString& field) {
        const int i = def.fieldIndex(field);
        return i >= 0 && i < values.size() ? Decimal::parse(values[i].trimmed()).value_or(Decimal()) : Decimal();
    };
    for (int k = 1; k <= 4; ++k) {
        const QString plus = QStringLiteral("Sold%1").arg(k);
        const Decimal owed = value(QStringLiteral("NumericEdit%1").arg(11 + k)) + value(QStringLiteral("Pen%1").arg(11 + k));
        if (value(plus) > Decimal(0) && owed > Decimal(0))
            return PageProblem{def.fieldIndex(plus), text::CreditAndArrears()};
    }
    return std::nullopt;
}

bool AssetPages::YearLocked() const
{
    return settings_.isOn(db::keys::ADMINBLOCAT, QString::number(base::edition::FiscalYear));
}

AssetPages::SaveOutcome AssetPages::Save(AssetPage page, int64_t idgos, const QStringList& values, PageProblem* problem)
{
    const PageDef& def = PageDefOf(page);
    const std::vector<Column>& cols = columnsOf(def);
    if (values.size() != qsizetype(cols.size()))
        throw std::invalid_argument("page values do not match the page's fields");
    std::optional<PageProblem> found = Check(page, values);
    if (!found && YearLocked())
        return SaveOutcome::Locked;
    if (!found && page == AssetPage::Pag11)
        found = CheckArrears(values);
    if (found) {
        if (problem)
            *problem = *found;
        return SaveOutcome::Refused;
    }

    std::string set;
    Params params;
    for (size_t i = 0; i < cols.size(); ++i) {
        set += (set.empty() ? "" : ", ") + cols[i].name.toStdString() + " = ?";
        const Decimal v = Decimal::parse(values[int(i)].trimmed()).value_or(Decimal());
        if (cols[i].decimals == 0)
            params.emplace_back(v.trunc());
        else
            params.emplace_back(v.toString(cols[i].decimals)); // the exact decimal, no binary rounding
    }
    params.emplace_back(idgos);
    const std::string table = def.table.toStdString();
    Transaction tx(db_);
    if (db_.scalar("SELECT COUNT(*) FROM " + table + " WHERE IDGOS = ?", {idgos}).toInt() == 0)
        InsertZeroRow(db_, def.table, idgos);
    db_.exec("UPDATE " + table + " SET " + set + " WHERE IDGOS = ?", params);
    tx.commit();
    return SaveOutcome::Saved;
}

} // namespace lirma::reg
