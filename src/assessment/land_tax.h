// The land tax: land outside the built-up area (Pag1, hectares, eleven categories by five
// classification columns) and inside it (Pag4: yards in square metres and eight other uses in
// hectares, by six columns). Pure: the areas, the taxpayer and the administrator's rates in, one
// debt item per category out.
#pragma once

#include "assessment/tax_items.h"

#include <vector>

namespace lirma::assessment {

// Pag1.dbf: L<n><x>, n = 1..11, x = A..E.
struct OutsideLand {
    base::Decimal area[11][5];
    static OutsideLand FromRow(const PageRow& pag1);
};

// Pag4.dbf: CCA .. CCF (m2) and AL<r><x>, r = 1..8, x = A..F (ha).
struct InsideLand {
    base::Decimal yards[6];
    base::Decimal area[8][6];
    static InsideLand FromRow(const PageRow& pag4);
};

// The product of an area and its rate, kept to four decimals.
base::Decimal CellTax(const base::Decimal& area, const base::Decimal& rate);

// The eleven rows "Impozit pe teren extravilan", in category order, each with its amount
// (RoundHalfAway of the sum of its cells, less the SCTE exemption), unit "ha", quantity = the
// category's area, and the ERED discount.
std::vector<TaxItem> OutsideLandItems(const OutsideLand& land, const TaxpayerTerms& terms,
                                      const AssessmentSettings& settings);

// The rows "Impozit pe teren intravilan": "Curti cu constructii" (unit "mp", SCCC) first, then the
// eight other uses (unit "ha", SCTI), all with the IIRED discount.
std::vector<TaxItem> InsideLandItems(const InsideLand& land, const TaxpayerTerms& terms,
                                     const AssessmentSettings& settings);

} // namespace lirma::assessment
