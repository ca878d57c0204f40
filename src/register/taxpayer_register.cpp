#include "register/taxpayer_register.h"

#include "db/data_folder.h"
#include "db/setting_keys.h"
#include "platform/base/text.h"
#include "platform/codepage/cp1250.h"
#include "register/asset_pages.h"
#include "register/personal_code.h"
#include "register/register_texts.h"

#include <algorithm>
#include <set>

namespace lirma::reg {

using storage::Params;
using storage::Transaction;
using storage::Value;

namespace {

QString textOf(const Value& v) { return QString::fromStdString(v.toText()); }
Value bind(const QString& s) { return Value(s.toStdString()); }

bool allDigits(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// Roles made of digits compare as numbers and come first; the rest compare as text.
int compareRoles(const QString& a, const QString& b)
{
    const bool na = allDigits(a) && a.size() <= 18, nb = allDigits(b) && b.size() <= 18;
    if (na && nb) {
        const qlonglong x = a.toLongLong(), y = b.toLongLong();
        if (x != y)
            return x < y ? -1 : 1;
        return a.compare(b);
    }
    if (na != nb)
        return na ? -1 : 1;
    return a.compare(b);
}

template <class T> int cmp(const T& a, const T& b) { return a < b ? -1 : (b < a ? 1 : 0); }

int compareColumn(const Taxpayer& a, const Taxpayer& b, GridColumn c)
{
    switch (c) {
    case GridColumn::Satul: return a.satul.compare(b.satul);
    case GridColumn::Rol: return compareRoles(a.rol, b.rol);
    case GridColumn::Numep: return a.numep.compare(b.numep);
    case GridColumn::Tip: return a.tip.compare(b.tip);
    case GridColumn::NrPers: return cmp(a.nrpers, b.nrpers);
    case GridColumn::Cnp: return a.cnp.compare(b.cnp);
    case GridColumn::Strada: return a.strada.compare(b.strada);
    case GridColumn::Adresa: return a.adresa.compare(b.adresa);
    case GridColumn::ScClad: return cmp(a.scclad, b.scclad);
    case GridColumn::ScCC: return cmp(a.sccc, b.sccc);
    case GridColumn::ScTE: return cmp(a.scte, b.scte);
    case GridColumn::ScTI: return cmp(a.scti, b.scti);
    case GridColumn::ScAuto: return cmp(a.scauto, b.scauto);
    case GridColumn::Count: break;
    }
    return 0;
}

// The list's own order: village, name, role; IDGOS keeps equal rows in a fixed order.
int compareDefault(const Taxpayer& a, const Taxpayer& b)
{
    if (int c = a.satul.compare(b.satul))
        return c;
    if (int c = a.numep.compare(b.numep))
        return c;
    if (int c = compareRoles(a.rol, b.rol))
        return c;
    return cmp(a.idgos, b.idgos);
}

int64_t wholeOf(const QString& s)
{
    bool ok = false;
    const qlonglong v = s.trimmed().toLongLong(&ok);
    return ok ? v : 0;
}

// Line breaks and tabs of a memo become spaces: the columns hold one line.
QString oneLine(QString s)
{
    for (QChar& c : s)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return s;
}

QStringList distinctColumn(storage::Database& db, const char* sql)
{
    QStringList out;
    for (const auto& row : db.query(sql).rows) {
        const QString v = textOf(row[0]);
        if (!base::TrimText(v).isEmpty())
            out.push_back(v);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

} // namespace

QString Taxpayer::remarks() const { return JoinRemarks(obs, obs2); }

std::pair<QString, QString> SplitRemarks(const QString& remarks)
{
    const QString cleaned = base::CleanSpaces(oneLine(remarks)).left(kRemarksMax);
    return {cleaned.left(kRemarkPartWidth), cleaned.mid(kRemarkPartWidth)};
}

QString JoinRemarks(const QString& obs, const QString& obs2)
{
    if (obs2.isEmpty())
        return obs;
    if (obs.isEmpty())
        return obs2;
    // A full OBS ended in a space the table did not keep.
    if (obs.size() < kRemarkPartWidth)
        return obs + QLatin1Char(' ') + obs2;
    return obs + obs2;
}

QString StoredForm(const QString& s)
{
    return QString::fromStdString(codepage::utf8FromCp1250(codepage::cp1250FromUtf8(s.toStdString())));
}

QString GridField(GridColumn column)
{
    static const char* const names[] = {"SATUL",  "ROL",    "NUMEP", "TIP",  "NRPERS", "CNP",   "STRADA",
                                        "ADRESA", "SCCLAD", "SCCC",  "SCTE", "SCTI",   "SCAUTO"};
    const int i = int(column);
    return i >= 0 && i < kGridColumnCount ? QString::fromLatin1(names[i]) : QString();
}

TaxpayerRegister::TaxpayerRegister(storage::Database& db, db::Counters& counters) : db_(db), counters_(counters) {}

namespace {

// The grid's columns, in the order readTaxpayer reads them.
constexpr const char* kListColumns = "IDGOS, SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, NRPERS, TIP, SCCLAD, SCCC, SCTI, "
                                     "SCAUTO, SCTE";
constexpr const char* kDetailColumns = ", MOST, OBS, OBS2, NOTAX, INDOP";

Taxpayer readTaxpayer(const std::vector<Value>& r)
{
    Taxpayer t;
    t.idgos = r[0].toInt();
    t.satul = textOf(r[1]);
    t.rol = textOf(r[2]);
    t.numep = textOf(r[3]);
    t.cnp = textOf(r[4]);
    t.strada = textOf(r[5]);
    t.adresa = textOf(r[6]);
    t.nrpers = r[7].toInt();
    t.tip = textOf(r[8]);
    t.scclad = r[9].toInt();
    t.sccc = r[10].toInt();
    t.scti = r[11].toInt();
    t.scauto = r[12].toInt();
    t.scte = r[13].toInt();
    if (r.size() > 14) {
        t.most = textOf(r[14]);
        t.obs = textOf(r[15]);
        t.obs2 = textOf(r[16]);
        t.notax = textOf(r[17]);
        t.indop = textOf(r[18]);
        t.detailed = true;
    }
    return t;
}

} // namespace

void TaxpayerRegister::Reload()
{
    // The long texts are read per taxpayer (Fetch): the list of a large register reads faster without them.
    const storage::ResultSet rs = db_.query(std::string("SELECT ") + kListColumns + " FROM Gospodar");
    std::vector<Taxpayer> rows;
    rows.reserve(rs.rows.size());
    for (const auto& r : rs.rows)
        rows.push_back(readTaxpayer(r));
    all_ = std::move(rows);
    loaded_ = true;
    applyOrder();
}

std::optional<Taxpayer> TaxpayerRegister::Fetch(int64_t idgos)
{
    const storage::ResultSet rs =
        db_.query(std::string("SELECT ") + kListColumns + kDetailColumns + " FROM Gospodar WHERE IDGOS = ?", {idgos});
    if (rs.empty())
        return std::nullopt;
    return readTaxpayer(rs.rows[0]);
}

void TaxpayerRegister::SetFilter(const QString& village, const QString& role, const QString& name)
{
    village_ = (village.isEmpty() || village == db::AnyVillage()) ? QString() : StoredForm(village);
    role_ = StoredForm(base::TrimText(role));
    // The name as typed (a trailing space keeps "ION " apart from "IONESCU").
    QString n = name;
    while (!n.isEmpty() && n.front().isSpace())
        n.remove(0, 1);
    name_ = base::TrimText(n).isEmpty() ? QString() : StoredForm(n);
    applyFilter();
}

void TaxpayerRegister::SortBy(GridColumn column)
{
    sort_ = column;
    applyOrder();
}

void TaxpayerRegister::applyOrder()
{
    if (sort_) {
        const GridColumn c = *sort_;
        std::sort(all_.begin(), all_.end(), [c](const Taxpayer& a, const Taxpayer& b) {
            if (int r = compareColumn(a, b, c))
                return r < 0;
            return compareDefault(a, b) < 0;
        });
    } else {
        std::sort(all_.begin(), all_.end(),
                  [](const Taxpayer& a, const Taxpayer& b) { return compareDefault(a, b) < 0; });
    }
    applyFilter();
}

void TaxpayerRegister::applyFilter()
{
    visible_.clear();
    visible_.reserve(all_.size());
    for (size_t i = 0; i < all_.size(); ++i) {
        const Taxpayer& t = all_[i];
        if (!village_.isEmpty() && t.satul != village_)
            continue;
        if (!role_.isEmpty() && t.rol != role_)
            continue;
        if (!name_.isEmpty() && !t.numep.startsWith(name_))
            continue;
        visible_.push_back(int(i));
    }
}

int TaxpayerRegister::rowOf(int64_t idgos) const
{
    for (size_t r = 0; r < visible_.size(); ++r)
        if (all_[size_t(visible_[r])].idgos == idgos)
            return int(r);
    return -1;
}

const Taxpayer* TaxpayerRegister::find(int64_t idgos) const
{
    for (const Taxpayer& t : all_)
        if (t.idgos == idgos)
            return &t;
    return nullptr;
}

QStringList TaxpayerRegister::Streets() { return distinctColumn(db_, "SELECT DISTINCT STRADA FROM Gospodar"); }

QStringList TaxpayerRegister::Operators() { return distinctColumn(db_, "SELECT DISTINCT INDOP FROM Gospodar"); }

QString TaxpayerRegister::SuggestRole()
{
    qlonglong best = 0;
    for (const auto& row : db_.query("SELECT ROL FROM Gospodar").rows) {
        const QString rol = base::TrimText(textOf(row[0]));
        // Only role numbers made of digits take part; 18 digits always fit.
        if (allDigits(rol) && rol.size() <= 18)
            best = std::max(best, rol.toLongLong());
    }
    return QString::number(best + 1);
}

bool TaxpayerRegister::Validate(TaxpayerInput& in, std::optional<int64_t> editedId, const FieldWidget& widgetOf,
                                InputField* focus)
{
    auto upperClean = [](const QString& s, int width) { return base::CleanSpaces(s).toUpper().left(width); };
    in.street = upperClean(in.street, kStreetWidth);
    in.address = upperClean(in.address, kAddressWidth);
    in.heirs = base::CleanSpaces(oneLine(in.heirs)).left(kHeirsWidth);
    in.remarks = base::CleanSpaces(oneLine(in.remarks)).left(kRemarksMax);
    in.village = upperClean(in.village, kVillageWidth);
    in.indop = upperClean(in.indop, kOperatorWidth);
    in.role = upperClean(in.role, kRoleWidth);
    in.name = upperClean(in.name, kNameWidth);
    in.code = base::TrimText(in.code);
    in.persons = QString::number(wholeOf(in.persons));

    auto refuse = [&](InputField field, const QString& message) {
        ui::ShowProblem(message, widgetOf ? widgetOf(field) : nullptr);
        if (focus)
            *focus = field;
        return false;
    };
    if (in.village.isEmpty())
        return refuse(InputField::Village, text::MissingVillage());
    if (in.role.isEmpty())
        return refuse(InputField::Role, text::BadRole());
    if (!in.code.isEmpty() && !CnpCorect(in.code) && !base::ValidFiscalCode(in.code))
        return refuse(InputField::Code, text::BadCode());
    if (in.name.isEmpty())
        return refuse(InputField::Name, text::MissingName());

    const int64_t except = editedId.value_or(-1);
    const int64_t sameRole =
        db_.scalar("SELECT COUNT(*) FROM Gospodar WHERE ROL = ? AND IDGOS <> ?", {bind(StoredForm(in.role)), except})
            .toInt();
    if (sameRole > 0
        && ui::ShowMessage(text::DuplicateRoleTitle(), text::DuplicateRoleText(), ui::BtnDa | ui::BtnNu, ui::KindAtentie)
               != ui::ReplyDa) {
        if (focus)
            *focus = InputField::Role;
        return false;
    }
    if (!in.code.isEmpty()) {
        const storage::ResultSet other = db_.query(
            "SELECT ROL, NUMEP FROM Gospodar WHERE CNP = ? AND IDGOS <> ? ORDER BY IDGOS", {bind(in.code), except});
        if (!other.empty()
            && ui::ShowMessage(text::DuplicateCodeTitle(), text::DuplicateCodeText(textOf(other.rows[0][0]), textOf(other.rows[0][1])),
                               ui::BtnDa | ui::BtnNu, ui::KindAtentie)
                   != ui::ReplyDa) {
            if (focus)
                *focus = InputField::Code;
            return false;
        }
    }
    return true;
}

// SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, NRPERS, MOST, TIP, SCCLAD, SCCC, SCAUTO, SCTI, SCTE, OBS, OBS2,
// NOTAX, INDOP
Params TaxpayerRegister::rowParams(const TaxpayerInput& in) const
{
    const auto [obs, obs2] = SplitRemarks(in.remarks);
    const QString notax = in.noPenalty.isEmpty() ? text::Nu() : in.noPenalty;
    return {bind(in.village),          bind(in.role),          bind(in.name),          bind(in.code),
            bind(in.street),           bind(in.address),       wholeOf(in.persons),    bind(in.heirs),
            bind(in.type),             wholeOf(in.scclad),     wholeOf(in.sccc),       wholeOf(in.scauto),
            wholeOf(in.scti),          wholeOf(in.scte),       bind(obs),              bind(obs2),
            bind(notax),               bind(in.indop)};
}

int64_t TaxpayerRegister::Add(const TaxpayerInput& input)
{
    Transaction tx(db_);
    // Drawn inside the transaction that stores it (the counter re-seeding relies on it).
    const int64_t idgos = counters_.NextId(db::keys::IDGOS).toLongLong();
    Params p{idgos};
    const Params row = rowParams(input);
    p.insert(p.end(), row.begin(), row.end());
    db_.exec("INSERT INTO Gospodar (IDGOS, SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, NRPERS, MOST, TIP, SCCLAD, "
             "SCCC, SCAUTO, SCTI, SCTE, OBS, OBS2, NOTAX, INDOP) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
             p);
    for (const QString& table : PageTables())
        InsertZeroRow(db_, table, idgos);
    tx.commit();
    return idgos;
}

void TaxpayerRegister::Modify(int64_t idgos, const TaxpayerInput& input)
{
    Transaction tx(db_);
    const storage::ResultSet old = db_.query("SELECT SATUL, ROL FROM Gospodar WHERE IDGOS = ?", {idgos});
    Params p = rowParams(input);
    p.emplace_back(idgos);
    db_.exec("UPDATE Gospodar SET SATUL = ?, ROL = ?, NUMEP = ?, CNP = ?, STRADA = ?, ADRESA = ?, NRPERS = ?, "
             "MOST = ?, TIP = ?, SCCLAD = ?, SCCC = ?, SCAUTO = ?, SCTI = ?, SCTE = ?, OBS = ?, OBS2 = ?, "
             "NOTAX = ?, INDOP = ? WHERE IDGOS = ?",
             p);
    const bool moved = old.empty() || textOf(old.rows[0][0]) != StoredForm(input.village)
                    || textOf(old.rows[0][1]) != StoredForm(input.role);
    if (moved) {
        // The debt and balance rows carry the village and role of their own taxpayer only.
        for (const char* table : {"Datorii", "SoldCalc"}) {
            if (db_.tableExists(table))
                db_.exec(std::string("UPDATE ") + table + " SET SATUL = ?, ROL = ? WHERE IDGOS = ?",
                         {bind(input.village), bind(input.role), idgos});
        }
    }
    tx.commit();
}

bool TaxpayerRegister::ConfirmDelete(const Taxpayer& t)
{
    const int yesNo = ui::BtnDa | ui::BtnNu;
    if (ui::ShowMessage(text::DeleteTitle(), text::DeleteQuestion1(t.rol, t.satul), yesNo, ui::KindConfirmare)
        != ui::ReplyDa)
        return false;
    if (ui::ShowMessage(text::DeleteTitle(), text::DeleteQuestion2(), yesNo, ui::KindAtentie) != ui::ReplyDa)
        return false;
    if (ui::ShowMessage(text::DeleteTitle(), text::DeleteQuestion3(), yesNo, ui::KindAtentie) != ui::ReplyDa)
        return false;
    if (ui::ShowMessage(text::DeleteTitle(), text::DeleteQuestion4(), yesNo, ui::KindAtentie) != ui::ReplyDa) {
        ui::ShowMessage(text::DeleteBackTitle(), text::DeleteBackText(), ui::BtnOk, ui::KindInformatie);
        return false;
    }
    return true;
}

const QStringList& TaxpayerRegister::DeletedTables()
{
    static const QStringList tables = {
        "Pag1",      "Pag2",       "Pag4",     "Pag5",       "Pag6",        "Pag7",   "Pag8",
        "Datorii",   "SoldCalc",   "Debit",    "Chitante",   "UndelDat",    "UndelSold", "UndelDebit",
        "Instiintari", "SomDet",   "Somatii",  "ScVeterani", "AutoDet",     "Gospodar"};
    return tables;
}

void TaxpayerRegister::Delete(int64_t idgos, ui::Progress* progress)
{
    const QStringList& tables = DeletedTables();
    if (progress) {
        progress->setText(text::DeleteProgress());
        progress->setMaximum(100);
        progress->Begin();
    }
    struct EndProgress {
        ui::Progress* p;
        ~EndProgress()
        {
            if (p)
                p->End();
        }
    } end{progress};
    Transaction tx(db_);
    const int last = int(tables.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        if (progress)
            progress->setPosition(i * 95 / last);
        const std::string table = tables[i].toStdString();
        if (db_.tableExists(table))
            db_.exec("DELETE FROM " + table + " WHERE IDGOS = ?", {idgos});
    }
    tx.commit();
}

} // namespace lirma::reg
