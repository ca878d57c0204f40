#include "assessment/exact_decimal.h"

#include <string>

namespace lirma::assessment {

namespace {

using Wide = __int128;

// Far more places than any chain of the building tax needs (about twenty); beyond it the value
// is rounded so that a product never overflows.
constexpr int kMaxScale = 24;

[[noreturn]] void overflow() { throw base::DecimalOverflow("decimal overflow"); }

Wide pow10(int n)
{
    Wide p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

Wide absWide(Wide v) { return v < 0 ? -v : v; }

Wide divideHalfAway(Wide n, Wide d)
{
    Wide q = n / d;
    const Wide r = n % d;
    if (2 * absWide(r) >= d)
        q += n < 0 ? -1 : 1;
    return q;
}

Wide multiply(Wide a, Wide b)
{
    Wide r;
    if (__builtin_mul_overflow(a, b, &r))
        overflow();
    return r;
}

Wide add(Wide a, Wide b)
{
    Wide r;
    if (__builtin_add_overflow(a, b, &r))
        overflow();
    return r;
}

} // namespace

ExactDecimal::ExactDecimal(const base::Decimal& d) : units_(d.units()), scale_(base::Decimal::Places)
{
    normalize();
}

ExactDecimal ExactDecimal::fromUnits(__int128 units, int scale)
{
    ExactDecimal e;
    e.units_ = units;
    e.scale_ = scale;
    e.normalize();
    return e;
}

void ExactDecimal::normalize()
{
    while (scale_ < 0) {
        units_ = multiply(units_, 10);
        ++scale_;
    }
    while (scale_ > 0 && units_ % 10 == 0) {
        units_ /= 10;
        --scale_;
    }
    if (scale_ > kMaxScale) {
        units_ = divideHalfAway(units_, pow10(scale_ - kMaxScale));
        scale_ = kMaxScale;
        normalize();
    }
}

ExactDecimal ExactDecimal::operator*(const ExactDecimal& o) const
{
    // Shed places first when the product would not fit (only far beyond the needs of the tax).
    ExactDecimal a = *this;
    ExactDecimal b = o;
    Wide r;
    while (__builtin_mul_overflow(a.units_, b.units_, &r) && (a.scale_ > 0 || b.scale_ > 0)) {
        ExactDecimal& wider = a.scale_ >= b.scale_ ? a : b;
        wider.units_ = divideHalfAway(wider.units_, 10);
        --wider.scale_;
    }
    return fromUnits(multiply(a.units_, b.units_), a.scale_ + b.scale_);
}

ExactDecimal ExactDecimal::operator+(const ExactDecimal& o) const
{
    const int scale = scale_ > o.scale_ ? scale_ : o.scale_;
    return fromUnits(add(multiply(units_, pow10(scale - scale_)), multiply(o.units_, pow10(scale - o.scale_))),
                     scale);
}

ExactDecimal ExactDecimal::operator-(const ExactDecimal& o) const
{
    return *this + fromUnits(-o.units_, o.scale_);
}

int ExactDecimal::compare(const ExactDecimal& o) const
{
    const ExactDecimal d = *this - o;
    return (d.units_ > 0) - (d.units_ < 0);
}

Wide ExactDecimal::unitsAt(int places) const
{
    if (places >= scale_)
        return multiply(units_, pow10(places - scale_));
    return divideHalfAway(units_, pow10(scale_ - places));
}

base::Decimal ExactDecimal::rounded(int places) const
{
    if (places < 0 || places > base::Decimal::Places)
        throw base::DecimalError("unsupported number of decimals");
    const Wide units = multiply(unitsAt(places), pow10(base::Decimal::Places - places));
    if (units > INT64_MAX || units < -INT64_MAX)
        overflow();
    return base::Decimal::fromUnits(int64_t(units));
}

int64_t ExactDecimal::roundedLei() const
{
    const Wide lei = unitsAt(0);
    if (lei > base::Decimal::MaxLei || lei < -base::Decimal::MaxLei)
        overflow();
    return int64_t(lei);
}

QString ExactDecimal::text(int places) const
{
    const Wide units = unitsAt(places);
    Wide magnitude = absWide(units);
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude > 0);
    if (int(digits.size()) <= places)
        digits.insert(0, size_t(places + 1 - int(digits.size())), '0');
    if (places > 0)
        digits.insert(digits.size() - size_t(places), 1, '.');
    if (units < 0)
        digits.insert(0, 1, '-');
    return QString::fromStdString(digits);
}

} // namespace lirma::assessment
