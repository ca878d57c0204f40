// Debits of the year: one Debit.dbf row per change of a yearly tax during the year (a purchase or
// sale of land or a vehicle, a reduction, an increase, a tax), with its signed amount, its due
// date and the asset-page columns and quantities it concerns. The lists of the debit dialog, the
// checks of its "&Memoreaza", the row built from it and read back into it, and the table
// operations, without any window.
#pragma once

#include "platform/base/decimal.h"
#include "platform/storage/storage.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace lirma::db {
class Counters;
}

namespace lirma::assessment {

// The four yearly tax groups a debit may change, in the dialog's order; the detail panel of
// each has the same index.
enum class DebitPanel { Buildings = 0, LandInside = 1, LandOutside = 2, Vehicles = 3 };
const QStringList& DebitGroups();
// The panel of a group (buildings for a name that is none of the four).
DebitPanel PanelOf(const QString& group);

// "Cumparare", "Vanzare", "Reducere", "Majorare", "Taxa".
const QStringList& DebitCategories();
// Sales and reductions lower the obligations: their amount is stored negated.
bool LowersObligations(const QString& category);
// Purchases and increases are reported in a borderou of debits ("BD"), the rest in one of
// write-offs ("BS").
QString BorderouKind(const QString& category);

// Land categories of the panels: nine intra-muros ("Curti-constructii" first), eleven extra-muros.
const QStringList& InsideLandCategories();
const QStringList& OutsideLandCategories();
// Zones: "A".."E" intra-muros, "A".."D" extra-muros.
const QStringList& InsideZones();
const QStringList& OutsideZones();

// One entry of the vehicle list and the page columns it records.
struct VehicleEntry {
    QString text;
    QString table;          // "PAG5", or "PAG6" for the unregistered vehicles
    QString capacityColumn; // "" when the entry records no capacity
    QString countColumn;    // "" when the entry records no count
    QString capacityUnit;   // "cmc", or "total tdw" for "Vapoare"
};
// The 137 entries, in the dialog's order.
const std::vector<VehicleEntry>& VehicleEntries();

// The first day of the second month after the month of the date (15.03 gives 01.05).
QDate DueDate(const QDate& date);

// A quantity as the pairs store it: ".", at most four decimals, shortest form ("0.5", "5000").
QString FormatQuantity(const base::Decimal& quantity);

// What the debit dialog holds.
struct DebitInput {
    QDate date;
    QString group;       // one of DebitGroups()
    QString category;    // one of DebitCategories()
    int64_t number = 0;  // NR
    QString explanation; // DOCJUS
    int64_t amount = 0;  // "Valoare debit", as typed (not signed)
    // Land panels: the index into the panel's category list, the zone and the area.
    int landCategory = 0;
    QString zone = QStringLiteral("A");
    base::Decimal area;
    // Vehicles panel: the index into VehicleEntries(), capacity and count.
    int vehicle = 0;
    int64_t capacity = 0;
    int64_t count = 0;
};

// One (page column, quantity) pair of the row; both empty when unused.
struct DebitPair {
    QString column;
    QString value;
    bool operator==(const DebitPair&) const = default;
};
inline constexpr int kDebitPairs = 8;
using DebitPairs = std::array<DebitPair, kDebitPairs>;

// The row a debit is stored as, built from the dialog.
struct DebitRecord {
    QString group;
    QString explanation;
    QString category;
    int64_t number = 0;
    QDate date;
    QDate dueDate;   // PENDATA
    QString item;    // DENUM
    QString table;   // FISIER
    DebitPairs pairs;
    int64_t amount = 0; // signed
};

// One Debit.dbf row.
struct DebitRow {
    int64_t iddeb = 0;
    int64_t idgos = 0;
    DebitRecord record;
    int64_t initial = 0; // SUMAINI
    int64_t due = 0;     // SUMAC

    // Something was collected on it.
    bool collected() const { return initial != due; }
};

enum class DebitProblem {
    None,
    BuildingsTrade,  // purchase or sale of buildings: error message
    NoArea,          // balloon on the intra-muros area
    NoCapacity,      // balloon on the capacity
    NoCount,         // balloon on the count
    NegativeAmount,  // balloon on "Valoare debit"
};

// The checks of "&Memoreaza", in order, with the input made ready in place: the explanation
// cleaned and cut to its width; intra-muros area and vehicle quantities set to 0 for a
// reduction, an increase or a tax; otherwise an intra-muros area, a capacity and a count the
// chosen entry records must be above 0; the amount must not be negative.
DebitProblem CheckDebit(DebitInput& input);

// The row of a checked input.
DebitRecord BuildDebit(const DebitInput& input);
// The dialog's values of a stored row: the amount unsigned (an increase as stored), the panel's
// item, zone and quantities read back from DENUM and the pairs.
DebitInput InputOf(const DebitRow& row);

class Debits {
public:
    Debits(storage::Database& db, db::Counters& counters);

    // The taxpayer's debits ordered by GRUPA, DINDATA (IDDEB last).
    std::vector<DebitRow> List(int64_t idgos);
    std::optional<DebitRow> Find(int64_t iddeb);

    // Inserts the row with SUMAINI = SUMAC = the signed amount; returns its IDDEB.
    int64_t Add(int64_t idgos, const DebitRecord& record);

    enum class Outcome { Done, Collected, Missing };
    // Stores the record; SUMAC moves by the change of SUMAINI, so what was collected stays
    // collected (also what was collected meanwhile elsewhere).
    Outcome Modify(int64_t iddeb, const DebitRecord& record);
    // Deletes the row unless a positive debit has something collected on it.
    Outcome Delete(int64_t iddeb);

private:
    storage::Database& db_;
    db::Counters& counters_;
};

} // namespace lirma::assessment
