#include "collections/allocation.h"

#include "collections/collections_texts.h"
#include "collections/penalty.h"
#include "platform/base/dates.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace lirma::collections {

using base::Decimal;

QString LineType(OperationKind kind)
{
    switch (kind) {
    case OperationKind::Receipt: return QStringLiteral("C");
    case OperationKind::PaymentOrder: return QStringLiteral("O");
    case OperationKind::CompensationNote: return QStringLiteral("N");
    }
    return {};
}

namespace {

QString documentOf(OperationKind kind)
{
    switch (kind) {
    case OperationKind::Receipt: return texts::ReceiptDocument();
    case OperationKind::PaymentOrder: return texts::OrderDocument();
    case OperationKind::CompensationNote: return texts::NoteDocument();
    }
    return {};
}

// q = h / r rounded to the nearest 0.0001, then q x amount in whole lei.
Decimal ratio(int64_t h, int64_t r) { return Decimal(h) / Decimal(r); }
int64_t share(const Decimal& q, int64_t amount) { return (q * Decimal(amount)).roundHalfAway(); }

class GroupAllocator {
public:
    GroupAllocator(const ImpoziteRow& row, OperationKind kind, bool debitsTouched, const AllocationOptions& o,
                   std::vector<ReceiptLine>& lines)
        : row_(row), kind_(kind), debitsTouched_(debitsTouched), o_(o), lines_(lines)
    {
        h_ = row.ACHITAT;
        v_ = row.SUMA;
        j_ = row.REST;
        f_ = row.RED1;
        z_ = row.DATOR;
        dp_ = row.DEPOZ;
        k_ = row.MAJOR;
    }

    GroupUpdate run()
    {
        allocate();
        GroupUpdate u;
        u.GRUPA = row_.GRUPA;
        u.IDRES = row_.IDRES;
        u.SUMA = v_;
        u.REST = j_;
        u.REDUC = row_.REDUC;
        u.DATOR = z_;
        u.DEPOZ = dp_;
        u.MAJOR = k_;
        u.SUMA0 = row_.SUMA;
        u.REST0 = row_.REST;
        u.REDUC0 = row_.REDUC;
        u.DATOR0 = row_.DATOR;
        u.DEPOZ0 = row_.DEPOZ;
        u.MAJOR0 = row_.MAJOR;
        return u;
    }

private:
    // Carried penalties of a no-penalty taxpayer are neither paid nor changed.
    int64_t carried() const { return o_.noPenalties ? 0 : k_; }

    ReceiptLine& line()
    {
        ReceiptLine l;
        l.GRUPA = row_.GRUPA;
        l.TIP = LineType(kind_);
        lines_.push_back(l);
        return lines_.back();
    }

    void allocate()
    {
        const bool note = kind_ == OperationKind::CompensationNote;
        if (note && h_ > 0)
            f_ = debitsTouched_
                     ? (o_.compensationDiscountPercent * Decimal(v_ - h_) / Decimal(100)).roundHalfAway()
                     : 0;

        setOffCredit();

        if (dp_ > 0 && h_ != 0) {
            line().DEPOZIT = h_;
            dp_ += h_;
            if (dp_ < 0) {
                // More taken out than the credit held: the rest is owed again on the year.
                j_ -= dp_;
                dp_ = 0;
            }
            return;
        }
        if (h_ == 0)
            return;
        if (h_ < 0 && note) {
            line().DEPOZIT = h_;
            j_ -= h_;
            dp_ = 0;
            return;
        }
        if (h_ > 0 || kind_ == OperationKind::PaymentOrder)
            payArrears();
        if (h_ > 0 && !currentYear())
            return;
        if (h_ > 0) {
            line().DEPOZIT = h_;
            dp_ += h_;
            h_ = 0;
        }
    }

    // The credit pays the arrears first, then the carried penalties, then the year.
    void setOffCredit()
    {
        const int64_t k = carried();
        if (dp_ > 0 && z_ + k > 0) {
            if (dp_ >= z_ + k) {
                dp_ -= z_ + k;
                z_ = 0;
                if (!o_.noPenalties)
                    k_ = 0;
            } else {
                const int64_t toArrears = std::clamp<int64_t>(z_, 0, dp_);
                z_ -= toArrears;
                dp_ -= toArrears;
                const int64_t toPenalties = std::clamp<int64_t>(k, 0, dp_);
                k_ -= toPenalties;
                dp_ -= toPenalties;
            }
        }
        if (dp_ > 0 && j_ > 0) {
            if (j_ - f_ <= dp_) {
                dp_ -= j_ - f_;
                j_ = 0;
            } else {
                j_ -= dp_;
                dp_ = 0;
            }
        }
    }

    void payArrears()
    {
        const int64_t k = carried();
        const int64_t p = z_ > 0 ? ComputePenalty(o_.noPenalties, QDate(o_.fiscalYear - 1, 12, 31), o_.date, z_,
                                                  o_.fiscalYear)
                                 : 0;
        const int64_t r = z_ + k + p;
        if (r <= 0)
            return;
        if (h_ >= r) {
            ReceiptLine& l = line();
            l.RESTANTA = z_;
            l.MAJOREST = k;
            l.MAJOR = p;
            h_ -= r;
            z_ = 0;
            if (!o_.noPenalties)
                k_ = 0;
            return;
        }
        const Decimal q = ratio(h_, r);
        int64_t restanta = share(q, z_);
        int64_t majorest = share(q, k);
        int64_t major = h_ - majorest - restanta;
        if (h_ > 0) {
            // The rounded quotient may leave the new penalty outside 0..p: the parts stay within
            // what is due, arrears first.
            if (major > p) {
                int64_t excess = major - p;
                const int64_t a = std::min(excess, z_ - restanta);
                restanta += a;
                excess -= a;
                majorest += std::min(excess, k - majorest);
            } else if (major < 0) {
                int64_t deficit = -major;
                const int64_t b = std::min(deficit, majorest);
                majorest -= b;
                deficit -= b;
                restanta -= std::min(deficit, restanta);
            }
            major = h_ - majorest - restanta;
        }
        ReceiptLine& l = line();
        l.RESTANTA = restanta;
        l.MAJOREST = majorest;
        l.MAJOR = major;
        z_ -= restanta;
        k_ -= majorest;
        h_ = 0;
    }

    // The current year; false when the row is done (nothing may go to the credit).
    bool currentYear()
    {
        if (j_ <= 0)
            return true;
        const QDate t1 = base::FirstTermDate(o_.fiscalYear);
        const QDate t2 = base::SecondTermDate(o_.fiscalYear);
        const QDate d = o_.date;
        const Instalments parts = SplitInstalments(v_, j_);

        if (d <= t1) {
            ReceiptLine& l = line();
            if (h_ >= j_ - f_) {
                l.CURENT = j_;
                l.REDUCERE = f_;
                l.DEPOZIT = h_ - j_ + f_;
                dp_ += l.DEPOZIT;
                j_ = 0;
            } else {
                // A partial payment gets no discount.
                l.CURENT = h_;
                j_ -= h_;
            }
            h_ = 0;
            return false;
        }
        if (d <= t2) {
            const int64_t p = ComputePenalty(o_.noPenalties, t1, d, parts.unpaid1, o_.fiscalYear);
            const int64_t r = j_ + p;
            ReceiptLine& l = line();
            if (h_ >= r) {
                l.CURENT = j_;
                l.MAJOR = p;
                l.DEPOZIT = h_ - r;
                dp_ += l.DEPOZIT;
                j_ = 0;
            } else {
                const int64_t b = parts.unpaid1 + p;
                const Decimal q = h_ >= b ? Decimal(1) : ratio(h_, b);
                l.MAJOR = share(q, p);
                l.CURENT = h_ - l.MAJOR;
                j_ -= l.CURENT;
            }
            h_ = 0;
            return false;
        }
        // After the second term: the first instalment, then the second.
        if (!instalment(t1, parts.unpaid1))
            return false;
        if (parts.unpaid2 <= 0)
            return true;
        return instalment(t2, parts.unpaid2);
    }

    // Pays one overdue instalment with its penalty; false when the amount ran out on it.
    bool instalment(const QDate& term, int64_t unpaid)
    {
        const int64_t p = unpaid > 0 ? ComputePenalty(o_.noPenalties, term, o_.date, unpaid, o_.fiscalYear) : 0;
        const int64_t r = unpaid + p;
        if (h_ >= r) {
            if (r != 0) { // nothing was overdue on it: no empty line
                ReceiptLine& l = line();
                l.CURENT = unpaid;
                l.MAJOR = p;
            }
            h_ -= r;
            j_ -= unpaid;
            return true;
        }
        const Decimal q = ratio(h_, r);
        ReceiptLine& l = line();
        l.MAJOR = share(q, p);
        l.CURENT = h_ - l.MAJOR;
        j_ -= l.CURENT;
        h_ = 0;
        return false;
    }

    const ImpoziteRow& row_;
    OperationKind kind_;
    bool debitsTouched_;
    const AllocationOptions& o_;
    std::vector<ReceiptLine>& lines_;
    int64_t h_ = 0, v_ = 0, j_ = 0, f_ = 0, z_ = 0, dp_ = 0, k_ = 0;
};

LevyUpdate allocateLevy(const TaxeRow& row, OperationKind kind, std::vector<ReceiptLine>& lines)
{
    const int64_t h = row.ACHITAT;
    int64_t v = row.SUMA;
    int64_t j = row.REST;
    const int64_t g = h - j;
    ReceiptLine l;
    l.GRUPA = row.GRUPA;
    l.DOCJUS = documentOf(kind);
    l.DENUM = row.DOCJUS;
    l.TIP = LineType(kind);
    if (g >= 0) {
        l.RESTANTA = j;
        j = 0;
    }
    if (g < 0) {
        if (h >= 0)
            l.RESTANTA = h;
        else if (row.REDUC > 0)
            l.REDUCERE = -h;
        else
            l.CURENT = h;
        // Money moved off an overpaid levy by a compensation note is owed again on the year.
        if (kind == OperationKind::CompensationNote && j <= 0)
            v -= h;
        else
            j -= h;
    }
    if (g > 0) {
        const int64_t e = g - v;
        if (e >= 0) {
            l.CURENT = v;
            l.DEPOZIT = e;
            v = -e; // an overpaid levy keeps a negative SUMA
        } else {
            l.CURENT = g;
            v -= g;
        }
    }
    lines.push_back(l);
    return {row.IDDAT, v, j};
}

DebitUpdate allocateDebit(const DebiteRow& row, OperationKind kind, std::vector<ReceiptLine>& lines)
{
    const int64_t h = row.ACHITAT;
    int64_t j = row.SUMAC;
    const int64_t k = row.MAJOR;
    const int64_t g = h - j - k;
    ReceiptLine l;
    l.GRUPA = row.GRUPA;
    l.DOCJUS = documentOf(kind);
    l.DENUM = row.DOCJUS;
    l.TIP = LineType(kind);
    if (h < 0) {
        l.CURENT = h;
        j -= h;
    } else if (g >= 0) {
        l.MAJOR = k;
        l.CURENT = h - k;
        j = -g; // an overpaid debit keeps a negative SUMAC
    } else {
        const Decimal q = ratio(h, j + k);
        l.CURENT = share(q, j);
        l.MAJOR = h - l.CURENT;
        j -= l.CURENT;
    }
    lines.push_back(l);
    return {row.IDDEB, j};
}

} // namespace

std::optional<OperationKind> ClassifyAmounts(const Balance& b, QString* message)
{
    int64_t pos = 0, neg = 0;
    const auto add = [&](int64_t h) {
        if (h > 0)
            pos += h;
        else
            neg -= h;
    };
    for (const auto& r : b.impozite)
        add(r.ACHITAT);
    for (const auto& r : b.taxe)
        add(r.ACHITAT);
    for (const auto& r : b.debite)
        add(r.ACHITAT);
    const auto refuse = [&](const QString& text) -> std::optional<OperationKind> {
        if (message)
            *message = text;
        return std::nullopt;
    };
    if (pos + neg == 0)
        return refuse(texts::NothingEntered());
    if (pos != 0 && neg != 0)
        return pos == neg ? std::optional(OperationKind::CompensationNote) : refuse(texts::NoteNotBalanced());
    return neg != 0 ? OperationKind::PaymentOrder : OperationKind::Receipt;
}

AllocationResult AllocatePayment(const Balance& balance, const AllocationOptions& options)
{
    AllocationResult result;
    QString message;
    const std::optional<OperationKind> kind = ClassifyAmounts(balance, &message);
    if (!kind) {
        result.message = message;
        result.title = texts::OperationTitle();
        return result;
    }
    const bool debitsTouched =
        std::any_of(balance.debite.begin(), balance.debite.end(), [](const DebiteRow& r) { return r.ACHITAT != 0; });

    Allocation a;
    a.kind = *kind;
    a.value = ReceiptValue(balance);
    for (const ImpoziteRow& row : balance.impozite)
        a.groups.push_back(GroupAllocator(row, *kind, debitsTouched, options, a.lines).run());
    for (const TaxeRow& row : balance.taxe)
        if (row.ACHITAT != 0)
            a.levies.push_back(allocateLevy(row, *kind, a.lines));
    for (const DebiteRow& row : balance.debite)
        if (row.ACHITAT != 0)
            a.debits.push_back(allocateDebit(row, *kind, a.lines));
    for (ReceiptLine& l : a.lines)
        l.TOTAL = l.computedTotal();

    // A typed amount may never vanish.
    const int64_t total = LinesTotal(a.lines);
    if (total != a.value) {
        result.message = texts::LinesDoNotAddUp(total, a.value);
        result.title = texts::OperationTitle();
        return result;
    }
    result.allocation = std::move(a);
    return result;
}

std::vector<ReceiptLine> FinalLines(std::vector<ReceiptLine> lines, const QHash<QString, QString>& codes,
                                    const QString& series, int64_t nextReceiptNumber)
{
    std::stable_sort(lines.begin(), lines.end(), [](const ReceiptLine& x, const ReceiptLine& y) {
        return std::tie(x.GRUPA, x.DENUM, x.TIP) < std::tie(y.GRUPA, y.DENUM, y.TIP);
    });
    for (ReceiptLine& l : lines) {
        if (l.TIP == QLatin1String("C")) {
            l.DOCJUS = texts::ReceiptDocument();
            l.SERIA = series;
            l.NR = nextReceiptNumber;
        } else if (l.TIP == QLatin1String("N")) {
            l.DOCJUS = texts::FinalNoteDocument();
            l.SERIA.clear();
            l.NR = 0;
        } else {
            l.DOCJUS = texts::FinalOrderDocument();
            l.SERIA.clear();
            l.NR = 0;
        }
        l.CODCLAS = codes.value(l.GRUPA);
        l.TOTAL = l.computedTotal();
    }
    return lines;
}

std::vector<ReceiptLine> MergeLines(const std::vector<ReceiptLine>& lines)
{
    using Key = std::tuple<QString, QString, QString, int64_t, QString, QString, QString>;
    std::map<Key, ReceiptLine> merged;
    for (const ReceiptLine& l : lines) {
        const Key key{l.GRUPA, l.DOCJUS, l.SERIA, l.NR, l.DENUM, l.CODCLAS, l.TIP};
        auto [it, inserted] = merged.try_emplace(key, l);
        if (inserted)
            continue;
        ReceiptLine& m = it->second;
        m.RESTANTA += l.RESTANTA;
        m.MAJOREST += l.MAJOREST;
        m.DEPOZIT += l.DEPOZIT;
        m.CURENT += l.CURENT;
        m.MAJOR += l.MAJOR;
        m.REDUCERE += l.REDUCERE;
        m.TOTAL += l.TOTAL;
    }
    std::vector<ReceiptLine> out;
    for (auto& [key, l] : merged)
        out.push_back(l);
    return out;
}

std::optional<QString> NothingToOperate(const std::vector<ReceiptLine>& lines)
{
    const auto first = std::min_element(lines.begin(), lines.end(), [](const ReceiptLine& x, const ReceiptLine& y) {
        return std::tie(x.DENUM, x.GRUPA) < std::tie(y.DENUM, y.GRUPA);
    });
    if (first == lines.end() || first->GRUPA.trimmed().isEmpty())
        return texts::NothingToOperate();
    return std::nullopt;
}

int64_t LinesTotal(const std::vector<ReceiptLine>& lines)
{
    int64_t sum = 0;
    for (const ReceiptLine& l : lines)
        sum += l.TOTAL;
    return sum;
}

} // namespace lirma::collections
