#include "collections/payment_store.h"

#include "collections/collections_texts.h"
#include "core/activity_log.h"
#include "db/counters.h"
#include "db/setting_keys.h"
#include "db/settings.h"
#include "platform/base/dates.h"
#include "platform/base/text.h"
#include "platform/storage/storage.h"

#include <algorithm>
#include <stdexcept>

namespace lirma::collections {

using storage::Params;
using storage::ResultSet;
using storage::Value;

namespace {

Value textValue(const QString& s) { return Value(s.toStdString()); }

bool sameRows(const BalanceInput& a, const BalanceInput& b)
{
    auto sold = [](const SoldCalcRow& x, const SoldCalcRow& y) {
        return x.IDRES == y.IDRES && x.GRUPA == y.GRUPA && x.SUMA == y.SUMA && x.REST == y.REST &&
               x.REDUC == y.REDUC && x.SCUTIRE == y.SCUTIRE && x.DATOR == y.DATOR && x.DEPOZ == y.DEPOZ &&
               x.MAJOR == y.MAJOR && x.TIP == y.TIP;
    };
    auto dat = [](const DatoriiRow& x, const DatoriiRow& y) {
        return x.IDDAT == y.IDDAT && x.GRUPA == y.GRUPA && x.SUMA == y.SUMA && x.REST == y.REST &&
               x.REDUC == y.REDUC && x.SUMA2 == y.SUMA2 && x.RESTINI == y.RESTINI && x.DINDATA == y.DINDATA;
    };
    auto deb = [](const DebitRow& x, const DebitRow& y) {
        return x.IDDEB == y.IDDEB && x.SUMAC == y.SUMAC && x.SUMAINI == y.SUMAINI && x.PENDATA == y.PENDATA &&
               x.CATEG == y.CATEG;
    };
    return std::equal(a.soldCalc.begin(), a.soldCalc.end(), b.soldCalc.begin(), b.soldCalc.end(), sold) &&
           std::equal(a.datorii.begin(), a.datorii.end(), b.datorii.begin(), b.datorii.end(), dat) &&
           std::equal(a.debit.begin(), a.debit.end(), b.debit.begin(), b.debit.end(), deb) &&
           a.discountedGroups == b.discountedGroups;
}

PaymentResult refused(const QString& message, const QString& title)
{
    PaymentResult r;
    r.outcome = PaymentOutcome::Refused;
    r.message = message;
    r.title = title;
    return r;
}

int64_t whole(const QString& s, const char* what)
{
    bool ok = false;
    const int64_t v = s.trimmed().toLongLong(&ok);
    if (!ok)
        throw db::CounterError(std::string("counter ") + what + " is not a whole number");
    return v;
}

} // namespace

QString DocumentKindName(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Receipt: return texts::ReceiptDocument();
    case DocumentKind::Transfer: return texts::TransferDocument();
    case DocumentKind::Card: return texts::CardDocument();
    case DocumentKind::PaymentOrder: return texts::PaymentOrderKind();
    case DocumentKind::Note: return texts::NoteKind();
    }
    return {};
}

std::optional<DocumentKind> DocumentKindFromName(const QString& name)
{
    for (DocumentKind k : {DocumentKind::Receipt, DocumentKind::Transfer, DocumentKind::Card,
                           DocumentKind::PaymentOrder, DocumentKind::Note})
        if (DocumentKindName(k) == name)
            return k;
    return std::nullopt;
}

std::vector<DocumentKind> OfferedDocumentKinds(OperationKind kind)
{
    switch (kind) {
    case OperationKind::Receipt: return {DocumentKind::Receipt, DocumentKind::Transfer, DocumentKind::Card};
    case OperationKind::PaymentOrder: return {DocumentKind::PaymentOrder};
    case OperationKind::CompensationNote: return {DocumentKind::Note};
    }
    return {};
}

QStringList ReceiptColumns()
{
    return {"IDCHIT", "IDGOS", "IDANUL", "SERIA", "NR", "DATAI", "SATUL", "ROL", "GRUPA", "DENUM",
            "CODCLAS", "NUMEP", "CNP", "STRADA", "ADRESA", "TIPF", "PLATNUME", "INCANUME", "LEGITIMA",
            "RESTANTA", "MAJOREST", "DEPOZIT", "CURENT", "MAJOR", "REDUCERE", "TOTAL", "TIP"};
}

QStringList ReceiptCells(const StoredReceiptRow& r)
{
    auto n = [](int64_t v) { return QString::number(v); };
    return {n(r.IDCHIT), n(r.IDGOS), n(r.IDANUL), r.SERIA, n(r.NR), base::FormatDate(r.DATAI), r.SATUL, r.ROL,
            r.GRUPA, r.DENUM, r.CODCLAS, r.NUMEP, r.CNP, r.STRADA, r.ADRESA, r.TIPF, r.PLATNUME, r.INCANUME,
            r.LEGITIMA, n(r.RESTANTA), n(r.MAJOREST), n(r.DEPOZIT), n(r.CURENT), n(r.MAJOR), n(r.REDUCERE),
            n(r.TOTAL), r.TIP};
}

QHash<QString, QString> ClassificationCodes(storage::Database& db, bool naturalPerson)
{
    QHash<QString, QString> codes;
    const ResultSet rs = db.query(naturalPerson ? "SELECT GRUPA, CODCLF AS CODCL FROM CODCL ORDER BY GRUPA"
                                                : "SELECT GRUPA, CODCLJ AS CODCL FROM CODCL ORDER BY GRUPA");
    for (size_t i = 0; i < rs.size(); ++i) {
        const QString g = QString::fromStdString(rs.at(i, "GRUPA").toText());
        if (!codes.contains(g))
            codes.insert(g, QString::fromStdString(rs.at(i, "CODCL").toText()));
    }
    return codes;
}

PaymentStore::PaymentStore(storage::Database& db, db::Counters& counters, const db::Settings& settings,
                           core::ActivityLog* log)
    : db_(db), counters_(counters), settings_(settings), log_(log)
{
}

PaymentResult PaymentStore::Store(const CalcResult& computed, const Allocation& allocation,
                                  const std::vector<ReceiptLine>& confirmed, const PaymentRequest& request,
                                  int fiscalYear)
{
    const Taxpayer& t = computed.taxpayer;
    const bool receipt = request.document == DocumentKind::Receipt;

    // The checks of "&OPEREAZA", in their order.
    if (const auto nothing = NothingToOperate(confirmed))
        return refused(*nothing, texts::OperationTitle());
    const QString closed = settings_.read(db::keys::ANINCHIS).trimmed();
    bool closedOk = false;
    const int closedYear = closed.toInt(&closedOk);
    if (closedOk && closedYear >= request.documentDate.year())
        return refused(texts::YearClosed(closed), texts::StoreTitle());
    if (!receipt && request.typedNumber <= 0)
        return refused(texts::WrongNumber(), texts::StoreTitle());
    const QString payer = base::CleanSpaces(request.payer);
    if (payer.isEmpty())
        return refused(texts::NoPayer(), texts::StoreTitle());
    std::vector<ReceiptLine> lines = confirmed;
    std::stable_sort(lines.begin(), lines.end(), [](const ReceiptLine& a, const ReceiptLine& b) {
        if (a.DENUM != b.DENUM)
            return a.DENUM < b.DENUM;
        if (a.GRUPA != b.GRUPA)
            return a.GRUPA < b.GRUPA;
        return a.TIP < b.TIP;
    });
    for (const ReceiptLine& l : lines)
        if (l.CODCLAS.trimmed().isEmpty())
            return refused(texts::NoClassificationCode(l.GRUPA), texts::StoreTitle());
    // A typed amount may never vanish.
    if (LinesTotal(lines) != allocation.value)
        return refused(texts::LinesDoNotAddUp(LinesTotal(lines), allocation.value), texts::OperationTitle());

    // Transfers carry the typed number and their own series; orders and notes the typed number.
    for (ReceiptLine& l : lines) {
        if (request.document == DocumentKind::Transfer || request.document == DocumentKind::Card) {
            l.DOCJUS = texts::TransferDocument();
            l.SERIA = request.document == DocumentKind::Transfer ? texts::TransferSeries() : texts::CardSeries();
            l.NR = request.typedNumber;
            l.TIP = QStringLiteral("V");
        } else if (!receipt && l.NR == 0) {
            l.NR = request.typedNumber;
        }
    }

    storage::Transaction tx(db_);
    // The rows the computation started from, read again under the write lock.
    if (!sameRows(ReadBalanceInput(db_, t.IDGOS, fiscalYear), computed.input)) {
        PaymentResult r;
        r.outcome = PaymentOutcome::Changed;
        r.message = texts::BalanceChanged();
        r.title = texts::OperationTitle();
        return r;
    }

    const bool anyReceiptLine =
        std::any_of(lines.begin(), lines.end(), [](const ReceiptLine& l) { return l.TIP == QLatin1String("C"); });
    const QString series = settings_.read(db::keys::SERIA, request.user).trimmed();
    int64_t receiptNumber = 0;
    if (anyReceiptLine) {
        // Drawn now, under the counter's lock; the duplicate check looks at the number drawn.
        receiptNumber = whole(counters_.NextId(db::keys::CHIT, request.user), "CHIT");
        const ResultSet dup = db_.query("SELECT ROL FROM Chitante WHERE SERIA = ? AND NR = ?",
                                        {textValue(series), receiptNumber});
        if (!dup.empty())
            return refused(texts::DuplicateReceipt(QString::fromStdString(dup.at(0, "ROL").toText())),
                           texts::DuplicateTitle());
    }

    const int64_t idanul = whole(counters_.NextId(db::keys::IDANUL), "IDANUL");
    // Snapshots of every row about to change.
    for (const GroupUpdate& g : allocation.groups)
        db_.exec("INSERT INTO UndelSold (IDANUL, IDGOS, IDRES, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR, "
                 "DATORI, DEPOZI, MAJORI) SELECT ?, IDGOS, IDRES, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR, "
                 "DATORI, DEPOZI, MAJORI FROM SoldCalc WHERE IDGOS = ? AND IDRES = ?",
                 {idanul, t.IDGOS, g.IDRES});
    for (const LevyUpdate& l : allocation.levies)
        db_.exec("INSERT INTO UndelDat (IDANUL, IDGOS, IDDAT, SUMA, REST, REDUC, SUMA2, RESTINI) "
                 "SELECT ?, IDGOS, IDDAT, SUMA, REST, REDUC, SUMA2, RESTINI FROM Datorii WHERE IDGOS = ? AND IDDAT = ?",
                 {idanul, t.IDGOS, l.IDDAT});
    for (const DebitUpdate& d : allocation.debits)
        db_.exec("INSERT INTO UndelDebit (IDANUL, IDGOS, IDDEB, SUMAINI, SUMAC) "
                 "SELECT ?, IDGOS, IDDEB, SUMAINI, SUMAC FROM Debit WHERE IDGOS = ? AND IDDEB = ?",
                 {idanul, t.IDGOS, d.IDDEB});
    step("snapshots");

    for (const GroupUpdate& g : allocation.groups) {
        db_.exec("UPDATE SoldCalc SET SUMA = ?, REST = ?, REDUC = ?, DATOR = ?, DEPOZ = ?, MAJOR = ? WHERE IDRES = ?",
                 {g.SUMA, g.REST, g.REDUC, g.DATOR, g.DEPOZ, g.MAJOR, g.IDRES});
        step("balance");
    }
    for (const LevyUpdate& l : allocation.levies) {
        db_.exec("UPDATE Datorii SET SUMA = ?, REST = ? WHERE IDDAT = ?", {l.SUMA, l.REST, l.IDDAT});
        step("balance");
    }
    for (const DebitUpdate& d : allocation.debits) {
        db_.exec("UPDATE Debit SET SUMAC = ? WHERE IDDEB = ?", {d.SUMAC, d.IDDEB});
        step("balance");
    }

    const int64_t idchit = whole(counters_.NextId(db::keys::IDCHIT), "IDCHIT");
    PaymentResult result;
    result.outcome = PaymentOutcome::Stored;
    result.IDANUL = idanul;
    result.IDCHIT = idchit;
    result.number = receiptNumber ? receiptNumber : request.typedNumber;
    int64_t storedTotal = 0;
    for (const ReceiptLine& l : lines) {
        StoredReceiptRow r;
        r.IDCHIT = idchit;
        r.IDGOS = t.IDGOS;
        r.IDANUL = idanul;
        if (l.TIP == QLatin1String("C")) {
            r.SERIA = series;
            r.NR = receiptNumber;
        } else if (l.TIP == QLatin1String("V")) {
            r.SERIA = l.SERIA;
            r.NR = request.typedNumber;
        } else {
            r.SERIA = QStringLiteral(" - ");
            r.NR = request.typedNumber;
        }
        r.DATAI = request.documentDate;
        r.SATUL = t.SATUL;
        r.ROL = t.ROL;
        r.GRUPA = l.GRUPA;
        r.DENUM = l.DENUM;
        r.CODCLAS = l.CODCLAS;
        r.NUMEP = t.NUMEP;
        r.CNP = t.CNP;
        r.STRADA = t.STRADA;
        r.ADRESA = t.ADRESA;
        r.TIPF = t.naturalPerson() ? QStringLiteral("F") : QStringLiteral("J");
        r.PLATNUME = payer;
        r.INCANUME = request.user;
        r.LEGITIMA = request.badge;
        r.RESTANTA = l.RESTANTA;
        r.MAJOREST = l.MAJOREST;
        r.DEPOZIT = l.DEPOZIT;
        r.CURENT = l.CURENT;
        r.MAJOR = l.MAJOR;
        r.REDUCERE = l.REDUCERE;
        r.TOTAL = l.computedTotal();
        r.TIP = l.TIP;
        storedTotal += r.TOTAL;
        db_.exec("INSERT INTO Chitante (IDCHIT, IDGOS, IDANUL, SERIA, NR, DATAI, SATUL, ROL, GRUPA, DENUM, CODCLAS, "
                 "NUMEP, CNP, STRADA, ADRESA, TIPF, PLATNUME, INCANUME, LEGITIMA, RESTANTA, MAJOREST, DEPOZIT, "
                 "CURENT, MAJOR, REDUCERE, TOTAL, TIP) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                 "?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {r.IDCHIT, r.IDGOS, r.IDANUL, textValue(r.SERIA), r.NR,
                  textValue(base::FormatIsoDate(r.DATAI)), textValue(r.SATUL), textValue(r.ROL), textValue(r.GRUPA),
                  textValue(r.DENUM), textValue(r.CODCLAS), textValue(r.NUMEP), textValue(r.CNP),
                  textValue(r.STRADA), textValue(r.ADRESA), textValue(r.TIPF), textValue(r.PLATNUME),
                  textValue(r.INCANUME), textValue(r.LEGITIMA), r.RESTANTA, r.MAJOREST, r.DEPOZIT, r.CURENT,
                  r.MAJOR, r.REDUCERE, r.TOTAL, textValue(r.TIP)});
        result.rows.push_back(r);
        step("receipt");
    }
    if (storedTotal != allocation.value)
        return refused(texts::LinesDoNotAddUp(storedTotal, allocation.value), texts::OperationTitle());

    if (log_) {
        const QString last = result.rows.back().TIP;
        const QString doc = last == QLatin1String("C") ? QStringLiteral("Chitanta") : last;
        log_->LogAction(t.ROL, QStringLiteral("Operat ") + doc + QStringLiteral(" nr.") + QString::number(result.number));
    }
    tx.commit();
    return result;
}

std::optional<PaymentResult> Pay(storage::Database& db, db::Counters& counters, const db::Settings& settings,
                                 const core::AdminValues& admin, core::ActivityLog* log, int64_t idgos,
                                 const QDate& date, bool all, const std::vector<TypedAmount>& amounts,
                                 PaymentRequest request, int fiscalYear, PaymentStore::StepHook hook)
{
    std::optional<CalcResult> calc = CalcOm(db, settings, idgos, date, fiscalYear);
    if (!calc)
        return std::nullopt;
    Balance& b = calc->balance;
    if (all) {
        for (auto& r : b.impozite)
            r.ACHITAT = r.DEPLATA;
        for (auto& r : b.taxe)
            r.ACHITAT = r.DEPLATA;
        for (auto& r : b.debite)
            r.ACHITAT = r.DEPLATA;
    }
    for (const TypedAmount& a : amounts) {
        bool found = false;
        auto put = [&](auto& rows, auto id, auto store) {
            for (auto& r : rows)
                if (id(r) == a.id) {
                    r.ACHITAT = store(a.amount, r.DEPLATA);
                    found = true;
                }
        };
        auto keep = [](int64_t typed, int64_t) { return typed; };
        switch (a.table) {
        case TypedAmount::Table::Impozite:
            put(b.impozite, [](const ImpoziteRow& r) { return r.IDRES; }, StoredTaxOrDebitAmount);
            break;
        case TypedAmount::Table::Taxe: put(b.taxe, [](const TaxeRow& r) { return r.IDDAT; }, keep); break;
        case TypedAmount::Table::Debite:
            put(b.debite, [](const DebiteRow& r) { return r.IDDEB; }, StoredTaxOrDebitAmount);
            break;
        }
        if (!found)
            throw std::invalid_argument("no row " + std::to_string(a.id) + " in the taxpayer's balance");
    }

    const AllocationResult ar = AllocatePayment(b, PaymentOptions(calc->taxpayer, date, admin, fiscalYear));
    if (!ar.allocation)
        return refused(ar.message, ar.title);
    const Allocation& alloc = *ar.allocation;
    const QString series = settings.read(db::keys::SERIA, request.user).trimmed();
    const int64_t peek = counters.PeekId(db::keys::CHIT, request.user).trimmed().toLongLong();
    std::vector<ReceiptLine> lines =
        FinalLines(alloc.lines, ClassificationCodes(db, calc->taxpayer.naturalPerson()), series, peek);
    if (alloc.kind != OperationKind::CompensationNote)
        lines = MergeLines(lines);
    if (request.payer.isNull() && alloc.kind != OperationKind::CompensationNote)
        request.payer = calc->taxpayer.NUMEP;
    if (alloc.kind == OperationKind::CompensationNote)
        request.payer = calc->taxpayer.NUMEP;
    const auto offered = OfferedDocumentKinds(alloc.kind);
    if (std::find(offered.begin(), offered.end(), request.document) == offered.end())
        request.document = offered.front();
    if (!request.documentDate.isValid())
        request.documentDate = date;

    PaymentStore store(db, counters, settings, log);
    store.setStepHook(std::move(hook));
    return store.Store(*calc, alloc, lines, request, fiscalYear);
}

} // namespace lirma::collections
