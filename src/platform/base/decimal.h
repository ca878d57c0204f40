// Fixed-point decimal for quantities, rates and intermediate results.
//
// A value is a 64-bit integer count of ten-thousandths. Four places is the
// precision the computations of the system are defined with (areas and
// capacities are stored with four decimals, intermediate results are kept
// with four decimals, quotients are "rounded to the nearest 0.0001"), so
// every intermediate result is the same value the rules describe, and
// about 9.2e14 lei of range is far beyond any amount of a commune.
//
// There is no binary floating point inside. Every result that does not fit
// throws DecimalOverflow instead of wrapping; division by zero throws
// DecimalError. Rounding is always half away from zero.
#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <concepts>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace lirma::base {

class DecimalError : public std::domain_error {
public:
    using std::domain_error::domain_error;
};

class DecimalOverflow : public DecimalError {
public:
    using DecimalError::DecimalError;
};

class Decimal {
public:
    static constexpr int Places = 4;
    static constexpr int64_t Scale = 10000;
    // Largest whole number of lei that fits.
    static constexpr int64_t MaxLei = INT64_MAX / Scale;

    constexpr Decimal() = default;

    // Whole lei; any integer type, so that `x * 100` and `x == 0` read naturally.
    // Floating point is deliberately not accepted.
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    Decimal(T lei) : units_(unitsOfLei(lei)) {}
    Decimal(double) = delete;
    Decimal(float) = delete;

    static Decimal fromLei(int64_t lei) { return Decimal(lei); }
    // A count of ten-thousandths: fromUnits(10029) is 1.0029.
    static Decimal fromUnits(int64_t units);

    // "-12.5", "0.35", " 7 ", ".5", "3.": an optional sign, digits and at most one
    // "." (no other separator, no exponent); surrounding whitespace is ignored.
    // More than four decimals are rounded half away from zero.
    // nullopt for empty or malformed text and for values that do not fit.
    static std::optional<Decimal> parse(std::string_view text);
    static std::optional<Decimal> parse(QStringView text);

    // For reals arriving from the SQL layer: takes the shortest decimal text
    // that reproduces the double (0.35 stays 0.35) and rounds it to four places.
    // nullopt for NaN, infinities and values that do not fit.
    static std::optional<Decimal> fromDouble(double value);
    // For binding a value as a real parameter (the nearest double).
    double toDouble() const;

    int64_t units() const { return units_; }
    bool isZero() const { return units_ == 0; }
    bool isNegative() const { return units_ < 0; }
    int sign() const { return (units_ > 0) - (units_ < 0); }
    Decimal abs() const;

    // Whole lei, halves away from zero: 2.5 -> 3, -2.5 -> -3.
    int64_t roundHalfAway() const;
    // Whole lei with the fraction dropped (toward zero): 2.9 -> 2, -2.9 -> -2.
    int64_t trunc() const;
    // Rounded half away from zero to `places` decimals (0..4).
    Decimal roundTo(int places) const;

    // With "." and exactly `places` decimals (rounded half away from zero when
    // fewer than four): toString(4) of 122.5 is "122.5000", toString(0) is "123".
    std::string toString(int places) const;
    // Without trailing zeros: "122.5", "123", "-0.0001".
    std::string toString() const;
    QString toQString(int places) const { return QString::fromStdString(toString(places)); }
    QString toQString() const { return QString::fromStdString(toString()); }

    Decimal operator-() const;
    Decimal& operator+=(const Decimal& o);
    Decimal& operator-=(const Decimal& o);
    Decimal& operator*=(const Decimal& o);
    Decimal& operator/=(const Decimal& o);

    friend Decimal operator+(Decimal a, const Decimal& b) { return a += b; }
    friend Decimal operator-(Decimal a, const Decimal& b) { return a -= b; }
    // Exact product rounded half away from zero to four places.
    friend Decimal operator*(Decimal a, const Decimal& b) { return a *= b; }
    // Quotient rounded half away from zero to four places.
    friend Decimal operator/(Decimal a, const Decimal& b) { return a /= b; }

    friend bool operator==(const Decimal&, const Decimal&) = default;
    friend std::strong_ordering operator<=>(const Decimal&, const Decimal&) = default;

private:
    static int64_t checkedLei(int64_t lei);
    template <std::integral T> static int64_t unitsOfLei(T lei)
    {
        if constexpr (std::is_unsigned_v<T>) {
            if (static_cast<uint64_t>(lei) > static_cast<uint64_t>(MaxLei))
                throw DecimalOverflow("decimal overflow");
        }
        return checkedLei(static_cast<int64_t>(lei));
    }
    int64_t units_ = 0;
};

// Whole lei, halves away from zero (350 m2 at 0.35 lei: 122.5 -> 123).
inline int64_t RoundHalfAway(const Decimal& value) { return value.roundHalfAway(); }

} // namespace lirma::base
