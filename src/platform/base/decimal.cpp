#include "platform/base/decimal.h"

#include <charconv>
#include <cmath>

namespace lirma::base {

namespace {

using Wide = __int128;

constexpr int64_t Limit = INT64_MAX; // INT64_MIN is kept out so that negation is always safe

[[noreturn]] void overflow() { throw DecimalOverflow("decimal overflow"); }

int64_t narrow(Wide v)
{
    if (v > Limit || v < -Limit)
        overflow();
    return static_cast<int64_t>(v);
}

Wide absWide(Wide v) { return v < 0 ? -v : v; }

// n / d rounded half away from zero; d != 0.
Wide divideHalfAway(Wide n, Wide d)
{
    Wide q = n / d;
    Wide r = n % d;
    if (2 * absWide(r) >= absWide(d))
        q += ((n < 0) != (d < 0)) ? -1 : 1;
    return q;
}

int64_t powerOfTen(int n)
{
    int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

} // namespace

int64_t Decimal::checkedLei(int64_t lei)
{
    if (lei > MaxLei || lei < -MaxLei)
        overflow();
    return lei * Scale;
}

Decimal Decimal::fromUnits(int64_t units)
{
    Decimal d;
    d.units_ = narrow(units);
    return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    text = text.substr(b, e - b);

    bool negative = false;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    // The magnitude is gathered in ten-thousandths; the cap keeps it far below
    // the 128-bit limit while still detecting every value that cannot fit.
    constexpr Wide Cap = Wide(Limit) * 10;
    Wide magnitude = 0;
    int digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > Cap)
            return std::nullopt;
    }
    magnitude *= Scale;

    if (i < text.size() && text[i] == '.') {
        ++i;
        int64_t weight = Scale / 10;
        for (int place = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits, ++place) {
            const int digit = text[i] - '0';
            if (place < Places)
                magnitude += digit * weight, weight /= 10;
            else if (place == Places && digit >= 5)
                magnitude += 1; // the fifth decimal decides: half or more goes away from zero
        }
    }
    if (i != text.size() || digits == 0)
        return std::nullopt;
    if (magnitude > Limit)
        return std::nullopt;
    return fromUnits(static_cast<int64_t>(negative ? -magnitude : magnitude));
}

std::optional<Decimal> Decimal::parse(QStringView text)
{
    // Only ASCII can be a valid number; anything else fails the parse below.
    std::string ascii;
    ascii.reserve(text.size());
    for (QChar c : text)
        ascii.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '?');
    return parse(std::string_view(ascii));
}

std::optional<Decimal> Decimal::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    char buffer[512];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc())
        return std::nullopt;
    return parse(std::string_view(buffer, end - buffer));
}

double Decimal::toDouble() const
{
    const std::string text = toString(Places);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

Decimal Decimal::abs() const { return units_ < 0 ? -*this : *this; }

int64_t Decimal::roundHalfAway() const { return static_cast<int64_t>(divideHalfAway(units_, Scale)); }

int64_t Decimal::trunc() const { return units_ / Scale; }

Decimal Decimal::roundTo(int places) const
{
    if (places < 0)
        throw DecimalError("negative number of decimals");
    if (places >= Places)
        return *this;
    const int64_t step = powerOfTen(Places - places);
    return fromUnits(narrow(divideHalfAway(units_, step) * step));
}

std::string Decimal::toString(int places) const
{
    if (places < 0)
        throw DecimalError("negative number of decimals");
    const int shown = places < Places ? places : Places;
    const int64_t units = roundTo(shown).units_;
    const uint64_t magnitude = units < 0 ? uint64_t(-units) : uint64_t(units);

    std::string text = units < 0 ? "-" : "";
    text += std::to_string(magnitude / Scale);
    if (places > 0) {
        std::string fraction = std::to_string(magnitude % Scale);
        fraction.insert(0, Places - fraction.size(), '0');
        fraction.resize(shown);
        fraction.append(places - shown, '0');
        text += '.';
        text += fraction;
    }
    return text;
}

std::string Decimal::toString() const
{
    std::string text = toString(Places);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

Decimal Decimal::operator-() const { return fromUnits(-units_); }

Decimal& Decimal::operator+=(const Decimal& o)
{
    units_ = narrow(Wide(units_) + o.units_);
    return *this;
}

Decimal& Decimal::operator-=(const Decimal& o)
{
    units_ = narrow(Wide(units_) - o.units_);
    return *this;
}

Decimal& Decimal::operator*=(const Decimal& o)
{
    units_ = narrow(divideHalfAway(Wide(units_) * o.units_, Scale));
    return *this;
}

Decimal& Decimal::operator/=(const Decimal& o)
{
    if (o.units_ == 0)
        throw DecimalError("division by zero");
    units_ = narrow(divideHalfAway(Wide(units_) * Scale, o.units_));
    return *this;
}

} // namespace lirma::base
