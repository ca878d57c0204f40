// The tax on means of transport: counts and capacities of the vehicle pages (one row of Pag5.dbf
// for cars, trailers, tractors, buses, goods vehicles and road trains of 12 t and over, vessels;
// Pag6.dbf for unregistered vehicles) times the administrator's amounts per vehicle, per 200 cm3
// or per tonne. Pure; amounts and discounts keep four decimals until the debt row is written.
#pragma once

#include "assessment/tax_items.h"

#include <vector>

namespace lirma::assessment {

// The vehicle pages, by their register fields (the columns of Pag5 differ for the bands up to
// 1200 cmc and for the trailers).
struct VehiclePages {
    int64_t count[24] = {};          // AUTO<n>: bands n = 1..9, 18..23 and trailers n = 14..17
    int64_t over3000[4] = {};        // P30001 .. P30004, cm3
    int64_t other[12] = {};          // ALTEA1 .. ALTEA12 (columns ALTE1 ..), cm3
    int64_t tractorCapacity[4] = {}; // TRACCAP<k> (TRAC<k>)
    int64_t tractorCount[4] = {};    // TRACBUC<k> (TBUC<k>)
    int64_t busCapacity[4] = {};     // ATBCAP<k> (ATB<k>)
    int64_t busCount[4] = {};        // ATBCANT<k> (ATBNR<k>)
    int64_t heavy[15][2] = {};       // G<n>A, G<n>B
    int64_t train[24][2] = {};       // GC<n>A, GC<n>B
    int64_t vessel[13] = {};         // APA1 .. APA13 (APA10: tonnage, tdw)
    int64_t unregistered[11] = {};   // VN1 .. VN11 of Pag6

    // Counts and capacities are whole numbers: the fraction of a stored value is dropped.
    static VehiclePages FromRows(const PageRow& pag5, const PageRow& pag6);
};

// Units of 200 cm3: capacity / 200, a started unit counted whole; a negative capacity gives 0.
int64_t UnitsOf200(int64_t capacity);

// Every vehicle row of group "Impozit pe mijloace de transport", in the order they are computed:
// bands AUTO1..AUTO9, trailers AUTO14..AUTO17, bands AUTO18..AUTO23, over 3000 cmc, other vehicles
// up to 12 t, tractors, buses, goods vehicles over 12 t, road trains, vessels, unregistered
// vehicles. Each with the SCAUTO exemption and the NumericEdit3 discount.
std::vector<TaxItem> VehicleItems(const VehiclePages& pages, const TaxpayerTerms& terms,
                                  const AssessmentSettings& settings);

} // namespace lirma::assessment
