// The building tax of one row of Pag2.dbf: its taxable value and its yearly tax, from the row, the
// owner's person type and the administrator's rates and coefficients. Pure: no table, file or
// window is touched, so the buildings grid, the yearly debts, the notices and the exports all
// call this same code. The calculation sheet is built by the same computation (building_sheet.h).
#pragma once

#include "core/admin_fields.h"
#include "platform/base/decimal.h"
#include "platform/base/edition.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <vector>

namespace lirma::core {
class AdminValues;
}
namespace lirma::storage {
struct ResultSet;
}

namespace lirma::assessment {

enum class PersonType { Fizica, Juridica };

// "FIZICA" is a natural person; any other TIP a legal person.
PersonType PersonTypeOf(const QString& tip);

// One row of Pag2.dbf, column for column.
struct BuildingRow {
    int64_t IDGOS = 0;
    int64_t IDCLAD = 0;
    QString ADRESA;
    int64_t IDMANUAL = 0;
    QString MIXTA;
    QString APT8 = QStringLiteral("NU");
    QString TIPC = QStringLiteral("R");
    QString ACTAGR = QStringLiteral("NU");
    QDate DATAEVAL;
    base::Decimal VALOAREN;
    int DESTINATIE = 1;
    QString ZONA = QStringLiteral("A");
    int RANG = 0;
    base::Decimal SUPRAFD;
    int ANUL = 0;
    int CODMAT = 0;
    QString CUUTIL = QStringLiteral("NU");
    base::Decimal VALOAREJR;
    QDate DATADOB;
    QDate DATAIN;
    QString OBSIN;
    QDate DATAVANZ;
    QDate DATAOUT;
    QString OBSOUT;
};

// The row `row` of a SELECT over Pag2.dbf (columns found by name; a missing or NULL column keeps
// the default above, a NULL date stays null).
BuildingRow BuildingRowFromResult(const storage::ResultSet& result, size_t row);

// The administrator values the building tax reads.
struct BuildingTaxSettings {
    base::Decimal cotaCRPF = base::Decimal::fromUnits(1000); // COTACRPF, percent: 0.1
    base::Decimal cotaCNPF = base::Decimal::fromUnits(4000); // COTACNPF: 0.4
    base::Decimal cotaCRPJ = base::Decimal::fromUnits(1000); // COTACRPJ: 0.1
    base::Decimal cotaCNPJ = base::Decimal::fromUnits(4000); // COTACNPJ: 0.4
    base::Decimal majHCL;                                    // MAJHCL, percent
    int evalPJAni = 5;                                       // EvalPJAni, years
    base::Decimal rataInf;                                   // RATAINF, percent
    bool indexResidentialFizica = false;                     // RATAINFPF
    bool indexNonResidentialFizica = false;                  // RATAINFPFN
    bool indexJuridica = false;                              // RATAINFPJ
    // Yearly rates, entry k for the fiscal year minus k.
    std::vector<core::InflationYear> inflationHistory = core::InflationHistory();

    // The values of the administrator store; a value that is no number keeps the default above.
    static BuildingTaxSettings FromAdmin(const core::AdminValues& values);
};

enum class BuildingUse {
    Residential,    // TIPC "R" or empty
    NonResidential, // "N"
    Other,          // anything else: neither value nor tax
};
BuildingUse BuildingUseOf(const QString& tipc);

struct BuildingTax {
    PersonType person = PersonType::Fizica;
    BuildingUse use = BuildingUse::Residential;
    // Inflation percentage applied (0 when indexing is off).
    base::Decimal inflationPercent;
    // The valuation is older than its period of validity (legal persons, non-residential of
    // natural persons); false where no valuation is read.
    bool valuationExpired = false;
    QDate valuationExpiry;
    // The rate applied, percent (the council's, or the one of the law that replaces it).
    base::Decimal ratePercent;
    // Taxable value, rounded to two decimals.
    base::Decimal taxableValue;
    // The tax of the year, four decimals, before rounding to lei; 0 for a building entered in
    // the fiscal year or later.
    base::Decimal tax;
    // The tax in whole lei: the exact tax rounded once, half away from zero (what the grid, the
    // debts and the documents show).
    int64_t taxLei = 0;
    // Entered in the records in the fiscal year or later: taxed from the next year.
    bool enteredThisYear = false;
};

// The tax of one building in the fiscal year.
BuildingTax ComputeBuildingTax(const BuildingRow& row, PersonType person, const BuildingTaxSettings& settings,
                               int fiscalYear = base::edition::FiscalYear);

// Value per square metre of Art. 457 (2) for the row's destination, material and utilities.
base::Decimal ValuePerSquareMetre(int destinatie, int codmat, const QString& cuutil);
// Zone and rank coefficient of Art. 457 (6), lowered by 0.10 for a block (APT8 "DA").
base::Decimal ZoneCoefficient(const QString& zona, int rang, bool inBlock);
// Age factor of Art. 457 (8).
base::Decimal AgeFactor(int yearFinished, int fiscalYear = base::edition::FiscalYear);

} // namespace lirma::assessment
