// What the land, vehicle, building and other-tax computations produce: one debt item per taxed
// category, with its quantity, amount, early-payment discount and the lei exempted; the rules of
// exemption and discount the computations share; the administrator values they read; and a page
// row of the asset tables read by column name.
#pragma once

#include "assessment/building_tax.h"
#include "platform/base/decimal.h"
#include "platform/storage/storage.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace lirma::core {
class AdminValues;
}
namespace lirma::db {
class Settings;
}

namespace lirma::assessment {

// The ScVeterani column a row's exempted lei are added to.
enum class ExemptionGroup { None, Buildings, Yards, LandInside, Vehicles, LandOutside };

struct TaxItem {
    enum class Kind {
        Year,    // a row of the year: amount, discount, unit and quantity
        Arrears, // an arrears row: only the arrears carried from earlier years
    };
    Kind kind = Kind::Year;
    QString grupa;
    QString denum;
    QString um;
    base::Decimal quantity;
    // After the exemption. Land and buildings: whole lei; vehicles and other taxes: four decimals.
    base::Decimal amount;
    // Early-payment discount, before it is brought to whole lei.
    base::Decimal discount;
    base::Decimal discountPercent;
    // Whole lei exempted from this row, and where they are counted.
    int64_t exempted = 0;
    ExemptionGroup exemption = ExemptionGroup::None;
    // Arrears rows: the arrears entered on the arrears page, whole lei.
    int64_t arrears = 0;

    // What the row's columns receive: fractions rounded half away from zero.
    int64_t amountLei() const { return base::RoundHalfAway(amount); }
    int64_t discountLei() const { return base::RoundHalfAway(discount); }
    int64_t discountPercentLei() const { return base::RoundHalfAway(discountPercent); }
};

// The sum of the whole-lei amounts of the year rows.
int64_t TotalLei(const std::vector<TaxItem>& items);

// Exemption percentages of the taxpayer (Gospodar SCCLAD, SCCC, SCTI, SCAUTO, SCTE).
struct Exemptions {
    base::Decimal buildings; // SCCLAD
    base::Decimal yards;     // SCCC
    base::Decimal inside;    // SCTI
    base::Decimal vehicles;  // SCAUTO
    base::Decimal outside;   // SCTE
};

// What the computations need to know of the taxpayer.
struct TaxpayerTerms {
    PersonType person = PersonType::Fizica;
    Exemptions exemptions;
};

// Administrator values of the land pages.
struct LandRates {
    base::Decimal outside[11][5]; // EC<n>Z<x>, lei / ha
    base::Decimal yards[6];       // ICCA .. ICCF, lei / m2
    base::Decimal inside[8][6];   // IA<r><c>, lei / ha
    // Column headings: zone + " " + rank (TEZ/TER, TIZ/TIR).
    QString outsideHeadings[5];
    QString insideHeadings[6];
};

// Administrator values of the vehicle pages.
struct VehicleRates {
    base::Decimal autoRate[24]; // AUTO1 .. AUTO23 by n (index 0 unused)
    base::Decimal heavy[15][2]; // G<n>A, G<n>B
    base::Decimal train[24][2]; // GC<n>A, GC<n>B
    base::Decimal vessel[13];   // APA1 .. APA13
    base::Decimal unregistered[3]; // VN1 (lei/200 cmc up to 4800), VN2 (over 4800), VN3 (lei per piece)
};

// Every value the yearly assessment reads from the administrator store and the settings file.
struct AssessmentSettings {
    LandRates land;
    VehicleRates vehicles;
    base::Decimal otherTaxes[6]; // Alte1 .. Alte6, lei per unit
    // Discount percentages: ERED (extra-muros), IIRED (intra-muros), NumericEdit3 (vehicles),
    // REDC (buildings, settings file).
    base::Decimal ered = 10;
    base::Decimal iired = 10;
    base::Decimal vehicleDiscount = 10;
    base::Decimal redc = 10;
    bool reducereJuridice = false; // REDUCERE_JURIDICE: legal persons get the discount too
    bool faraMajorari = false;     // FARAMAJORARI: taxpayers marked NOTAX carry no penalties
    BuildingTaxSettings building;
    QString uat; // "U.A.T." (PrimariaLab), printed on the vehicle sheet

    // The administrator values of this run and the options of the shared settings file. A value
    // that is no number counts as 0 (a discount percentage keeps its design value 10).
    static AssessmentSettings Load(const core::AdminValues& values, const db::Settings& settings);
};

// Whether the person gets the early-payment discount: a legal person only with REDUCERE_JURIDICE.
bool DiscountGranted(PersonType person, bool reducereJuridice);

// Lei exempted from an amount: Trunc(amount x percent / 100), computed exactly. A percentage of
// 100 or more exempts the whole amount, fraction included; a negative one exempts nothing.
struct Exempted {
    int64_t lei = 0;       // counted in ScVeterani
    base::Decimal rest;    // the amount left to pay
};
Exempted ApplyExemption(const base::Decimal& amount, const base::Decimal& percent);

// Discount of a land or building row: RoundHalfAway(amount x percent / 100), lowered by 1 when it
// is above a tenth of the amount.
int64_t WholeDiscount(int64_t amount, const base::Decimal& percent);
// Discount of a vehicle row: amount x percent / 100 kept to four decimals, lowered by 1 leu when it
// is above a tenth of the amount.
base::Decimal FourPlaceDiscount(const base::Decimal& amount, const base::Decimal& percent);
// Discount of a yearly balance: RoundHalfAway(total x percent / 100), replaced by Trunc(total / 10)
// when it is above a tenth of the total. A total of 0 or less gets none.
int64_t BalanceDiscount(int64_t total, const base::Decimal& percent);

// One row of an asset table (Pag1, Pag4 ...) read by column name, without regard to case. Absent
// columns and NULL values read as 0. Rows read from the same column list share one index of their
// names, so reading thousands of rows costs no more than their values.
class PageRow {
public:
    PageRow() = default;
    // The row `row` of a SELECT; an empty result gives a row of zeros.
    static PageRow FromResult(const storage::ResultSet& result, size_t row = 0);

    base::Decimal value(const QString& column) const;
    // Whole numbers (counts, capacities): the fraction dropped.
    int64_t whole(const QString& column) const { return value(column).trunc(); }
    void set(const QString& column, const base::Decimal& v);

private:
    using Index = QHash<QString, int>; // upper-cased column name -> position
    int find(const QString& column) const;

    std::shared_ptr<const Index> index_;
    std::vector<base::Decimal> values_;
};

// A numeric SQL value as a decimal: integers exactly, reals through their shortest text, NULL and
// anything unreadable as 0.
base::Decimal DecimalOf(const storage::Value& value);

} // namespace lirma::assessment
