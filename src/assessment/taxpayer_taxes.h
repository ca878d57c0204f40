// All the taxes of one taxpayer from his stored asset pages: the rows the yearly debts write, in
// their order, and the arrears of the four yearly groups. The pages are read from the tables,
// never from a window, so the register's figures, the yearly debts and later the lists and
// certificates all compute from the same stored rows.
#pragma once

#include "assessment/building_tax.h"
#include "assessment/tax_items.h"
#include "platform/storage/storage.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace lirma::assessment {

// The Gospodar.dbf columns the assessment reads.
struct TaxpayerRecord {
    int64_t idgos = 0;
    QString satul, rol, numep, tip, notax;
    TaxpayerTerms terms;
};

// The stored asset pages of one taxpayer. A page without a row reads as zeros.
struct TaxpayerAssets {
    TaxpayerRecord taxpayer;
    PageRow pag1, pag4, pag5, pag6, pag7, pag8;
    std::vector<BuildingRow> buildings; // Pag2.dbf, by IDMANUAL
};

// Reads the taxpayer and his pages (inside the caller's transaction when there is one); nullopt
// when Gospodar.dbf has no such taxpayer.
std::optional<TaxpayerAssets> ReadTaxpayerAssets(storage::Database& db, int64_t idgos);

// The row "Cladiri" of "Impozit pe cladiri": the sum of the rounded taxes of every building row,
// unit "buc", quantity = number of rows, the SCCLAD exemption and the REDC discount.
TaxItem BuildingsItem(const std::vector<BuildingRow>& buildings, const TaxpayerTerms& terms,
                      const AssessmentSettings& settings, int fiscalYear = base::edition::FiscalYear);

// "Alte taxe": six rows, amount = Alte<n> x quantity LIN<n> (four decimals), group and name the
// label, unit "buc", no exemption, no discount.
std::vector<TaxItem> OtherTaxItems(const PageRow& pag7, const AssessmentSettings& settings);

// Arrears of the seven other taxes (Pag8 LIN5 .. LIN11), rounded to lei: arrears rows.
std::vector<TaxItem> OtherArrearsItems(const PageRow& pag8);

// Every row of the yearly debts, in the order they are written: extra-muros land (11), buildings,
// intra-muros land (9), vehicles, other taxes (6), arrears of other taxes (7).
std::vector<TaxItem> TaxpayerItems(const TaxpayerAssets& assets, const AssessmentSettings& settings,
                                   int fiscalYear = base::edition::FiscalYear);

// Arrears, credit and penalties of one yearly group from the arrears page, rounded to lei.
struct YearlyArrears {
    QString grupa;
    int64_t arrears = 0;   // "Restanta" (LIN1 .. LIN4)
    int64_t credit = 0;    // "Plus" (SOLD1 .. SOLD4)
    int64_t penalties = 0; // "Majorari" (PEN1 .. PEN4); 0 when the taxpayer carries none
};
// The four yearly groups in the row order of the page: extra-muros land, buildings, intra-muros
// land, vehicles. `noPenalties`: FARAMAJORARI is "DA" and the taxpayer's NOTAX is "DA".
std::vector<YearlyArrears> YearlyArrearsOf(const PageRow& pag8, bool noPenalties);

} // namespace lirma::assessment
