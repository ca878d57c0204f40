// The names the yearly debts give their rows (DENUM) and the labels of the asset pages they come
// from: land categories, vehicle bands, axle and mass rows, vessels, other taxes and arrears. The
// debt rows are found again by these names at every run, so each text is defined here once and the
// register's pages show the same texts.
#pragma once

#include <QString>
#include <QStringList>

namespace lirma::assessment {

// The four yearly tax groups (balances in SoldCalc.dbf).
QString GroupBuildings();    // "Impozit pe cladiri"
QString GroupLandInside();   // "Impozit pe teren intravilan"
QString GroupLandOutside();  // "Impozit pe teren extravilan"
QString GroupVehicles();     // "Impozit pe mijloace de transport"

// The eleven extra-muros categories, rows of Pag1 ("Teren arabil" ... "Teren cu amenajari piscicole").
const QStringList& OutsideLandLabels();
// The eight intra-muros other uses, rows of Pag4 ("Teren arabil" ... "Teren cu ape").
const QStringList& InsideLandLabels();
// The intra-muros yards row.
QString YardsLabel(); // "Curti cu constructii"
// The buildings row.
QString BuildingsLabel(); // "Cladiri"

// Cylinder-capacity bands of the register fields AUTO23 .. AUTO18, AUTO1 .. AUTO9, in that order,
// leading spaces kept ("pana in  200 cmc" ... "2801 - 3000 cmc").
const QStringList& VehicleBandTexts();
// The band of register field AUTO<n>, n = 1..9 or 18..23; "" for any other n.
QString VehicleBandText(int n);
// Mass classes of the trailer fields AUTO14 .. AUTO17 ("max.1 t", ">1..3 t", ">3 t .. 5 t", ">5 t").
const QStringList& TrailerMassTexts();
// Row texts of G1 .. G15 and GC1 .. GC24 (each ends with ",").
const QStringList& HeavyVehicleTexts();
const QStringList& RoadTrainTexts();
// "susp.pneum." (column A) and "fara susp.pneum." (column B).
QString SuspensionSuffix(bool pneumatic);
// Debt-row names of the goods vehicles over 12 t (G1 .. G15) and road trains (GC1 .. GC24): the
// row text and the suspension.
QString HeavyVehicleName(int n, bool pneumatic);
QString RoadTrainName(int n, bool pneumatic);
// Debt-row names of the vessels APA1 .. APA13.
const QStringList& VesselNames();

// Debt-row names of the vehicle rows.
QString CarBandName(int n);          // "Autoturisme cap.cil. " + band text
QString TrailerName(int n);          // "Remorci, rulote " + mass text, n = 14..17
QString Over3000Name(int k);         // "Autoturisme cap.cil.peste 3000cmc (k)"
QString OtherVehicleName(int k);     // "Alte autovehicule pana in 12t (k)"
QString TractorName(int k);          // "Tractoare inmatriculate k"
QString BusName(int k);              // "Autobuze,autocare,microbuze k"
QString UnregisteredUpTo4800Name();  // "Vehicule neinmatriculate pana la 4800 cmc"
QString UnregisteredOver4800Name();  // "Vehicule neinmatriculate peste 4800 cmc"
QString UnregisteredUnknownName();   // "Auto neinmat. cu cap.cil.neevidentiabila"

// The six quantities of "Alte taxe" (Pag7 LIN1 .. LIN6): group and name of their rows.
const QStringList& OtherTaxLabels();
// The eleven rows of "Restante" (Pag8 LIN1 .. LIN11): the four yearly rows, then the seven other
// taxes whose arrears become debt rows (group and name = the label).
const QStringList& ArrearsLabels();

} // namespace lirma::assessment
