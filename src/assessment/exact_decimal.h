// An exact decimal for chains of products (area x value x inflation x coefficients x rate): the
// four places of Decimal are not enough for 1 + 19.6038 / 100, and rounding every step would
// round the result more than once. Products keep every decimal; results are rounded once, half
// away from zero, when they leave the computation.
#pragma once

#include "platform/base/decimal.h"

#include <QString>

#include <cstdint>

namespace lirma::assessment {

class ExactDecimal {
public:
    ExactDecimal() = default;
    ExactDecimal(int64_t whole) : units_(whole), scale_(0) {}
    ExactDecimal(const base::Decimal& d);

    // units / 10^scale.
    static ExactDecimal fromUnits(__int128 units, int scale);

    ExactDecimal operator*(const ExactDecimal& o) const;
    ExactDecimal operator+(const ExactDecimal& o) const;
    ExactDecimal operator-(const ExactDecimal& o) const;
    // Division by 100 is exact: it only moves the point.
    ExactDecimal percentOf() const { return fromUnits(units_, scale_ + 2); }
    // 1 + this / 100.
    ExactDecimal onePlusPercent() const { return ExactDecimal(1) + percentOf(); }

    // Rounded half away from zero to `places` (0..4) decimals.
    base::Decimal rounded(int places) const;
    // Whole lei, half away from zero.
    int64_t roundedLei() const;
    // With "." and exactly `places` decimals, rounded half away from zero.
    QString text(int places) const;

    bool isZero() const { return units_ == 0; }
    friend bool operator==(const ExactDecimal& a, const ExactDecimal& b) { return a.compare(b) == 0; }
    friend bool operator<(const ExactDecimal& a, const ExactDecimal& b) { return a.compare(b) < 0; }
    friend bool operator>(const ExactDecimal& a, const ExactDecimal& b) { return a.compare(b) > 0; }

private:
    int compare(const ExactDecimal& o) const;
    // The value rounded half away from zero to `places` decimals, as units of 10^-places.
    __int128 unitsAt(int places) const;
    void normalize();

    __int128 units_ = 0;
    int scale_ = 0;
};

} // namespace lirma::assessment
