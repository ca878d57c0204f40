// Late-payment penalties worked by hand from the rates of each period: 2 % a month plus 0.1 % a
// day before 1 July 2010, 2 % a month up to 31 December 2015, 1 % a month after; months counted
// as calendar months (12 x years + months), the date clamped to 31 December of the fiscal year.
#include "collections/penalty.h"

#include <gtest/gtest.h>

using namespace lirma::collections;
using lirma::base::Decimal;

namespace {

struct PenaltyCase {
    const char* name;
    QDate due;
    QDate date;
    int64_t amount;
    int64_t expected;
    bool noPenalties = false;
};

} // namespace

TEST(ComputePenalty, WorkedCases)
{
    const std::vector<PenaltyCase> cases{
        // 1 month (March -> April) x 1 % x 1000 = 10.
        {"day after the first term", {2024, 3, 31}, {2024, 4, 1}, 1000, 10},
        // months(31.03, 15.05) = 2 -> 2 % x 1000 = 20.
        {"second month", {2024, 3, 31}, {2024, 5, 15}, 1000, 20},
        // Arrears due 31.12.2023: months = 12 x 1 + (1 - 12) = 1 -> 10.
        {"arrears in January", {2023, 12, 31}, {2024, 1, 10}, 1000, 10},
        // Inside a month: 10 May -> 5 June is one calendar month -> 10.
        {"due inside a month", {2024, 5, 10}, {2024, 6, 5}, 1000, 10},
        // 30.06.2015 -> 31.12.2015: 6 months x 2 % = 120; 31.12.2015 -> 15.01.2016: 1 x 1 % = 10.
        {"across 2015", {2015, 6, 30}, {2016, 1, 15}, 1000, 130},
        // 31.05.2010 -> 01.07.2010: 2 months x 2 % + 31 days x 0.1 % = 0.071 -> 71;
        // 01.07.2010 -> 31.12.2015: 65 months x 2 % = 1300; then 1 month x 1 % = 10. 1381.
        {"across 2010 and 2015", {2010, 5, 31}, {2016, 1, 15}, 1000, 1381},
        // Only the first period: 31.01.2010 -> 15.03.2010: 2 months x 2 % + 43 days x 0.1 %
        // (28 in February + 15) = 0.083 -> 83.
        {"before July 2010 only", {2010, 1, 31}, {2010, 3, 15}, 1000, 83},
        // 15.06 -> 01.07.2010: 1 month x 2 % + 16 days x 0.1 % = 0.036 -> 36; 01.07 -> 20.07 adds no month.
        {"days stop on 1 July 2010", {2010, 6, 15}, {2010, 7, 20}, 1000, 36},
        // 30.11 -> 31.12.2015: 1 month x 2 % = 20; no month after.
        {"up to 31 December 2015", {2015, 11, 30}, {2015, 12, 31}, 1000, 20},
        // ... and one day later a month at 1 % more: 30.
        {"on 1 January 2016", {2015, 11, 30}, {2016, 1, 1}, 1000, 30},
        // Due exactly 1 July 2010: the 2 % period only: July -> December 2010 = 5 months -> 100.
        {"due on 1 July 2010", {2010, 7, 1}, {2010, 12, 5}, 1000, 100},
        // Clamp: 15.02.2025 counts as 31.12.2024: months(31.03, 31.12) = 9 -> 90 (not 11 -> 110).
        {"after the year: clamped", {2024, 3, 31}, {2025, 2, 15}, 1000, 90},
        {"1 January next year: clamped", {2024, 3, 31}, {2025, 1, 1}, 1000, 90},
        {"31 December: not clamped", {2024, 3, 31}, {2024, 12, 31}, 1000, 90},
        // Due 01.01.2025 at 15.02.2025: the clamped date is before the due date -> 0.
        {"due after the clamped date", {2025, 1, 1}, {2025, 2, 15}, 1000, 0},
        // Ties away from zero: 250 x 1 % = 2.5 -> 3 (banker's rounding would give 2).
        {"tie after 2015", {2024, 3, 31}, {2024, 4, 1}, 250, 3},
        // 21.06 -> 01.07.2010: 1 month x 2 % + 10 days x 0.1 % = 0.03; 150 x 0.03 = 4.5 -> 5.
        {"tie before July 2010", {2010, 6, 21}, {2010, 7, 1}, 150, 5},
        // 49 x 1 % = 0.49 -> 0.
        {"below half a leu", {2024, 3, 31}, {2024, 4, 15}, 49, 0},
        // 50 x 1 % = 0.5 -> 1.
        {"half a leu", {2024, 3, 31}, {2024, 4, 15}, 50, 1},
        {"on the due date", {2024, 3, 31}, {2024, 3, 31}, 1000, 0},
        {"before the due date", {2024, 3, 31}, {2024, 3, 1}, 1000, 0},
        {"nothing due", {2024, 3, 31}, {2024, 6, 1}, 0, 0},
        {"negative amount", {2024, 3, 31}, {2024, 6, 1}, -1000, 0},
        {"no-penalty taxpayer", {2024, 3, 31}, {2024, 6, 1}, 1000, 0, true},
        {"no due date", {}, {2024, 6, 1}, 1000, 0},
    };
    for (const PenaltyCase& c : cases)
        EXPECT_EQ(ComputePenalty(c.noPenalties, c.due, c.date, Decimal(c.amount), 2024), c.expected) << c.name;
}

TEST(ComputePenalty, ClampFollowsTheFiscalYear)
{
    // With fiscal year 2025 the same date is not clamped: months(31.03.2024, 15.02.2025) = 11 -> 110.
    EXPECT_EQ(ComputePenalty(false, {2024, 3, 31}, {2025, 2, 15}, Decimal(1000), 2025), 110);
}

TEST(ComputePenalty, AmountWithDecimals)
{
    // 100.5 x 1 % = 1.005 -> 1; 150.5 x 1 % x 1 = 1.505 -> 2.
    EXPECT_EQ(ComputePenalty(false, {2024, 3, 31}, {2024, 4, 1}, *Decimal::parse("100.5"), 2024), 1);
    EXPECT_EQ(ComputePenalty(false, {2024, 3, 31}, {2024, 4, 1}, *Decimal::parse("150.5"), 2024), 2);
}
