// The buildings of a taxpayer (rows of Pag2.dbf) without any window: the list the buildings page
// shows with each building's tax, the checks of the building dialog, and the add, modify,
// delete, sale and purchase commands, each in one transaction. A building is always addressed
// by its owner and its IDCLAD together: IDCLAD alone may repeat across taxpayers.
#pragma once

#include "assessment/building_tax.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/storage/storage.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace lirma::core {
class AdminValues;
}

namespace lirma::reg {

using assessment::BuildingRow;
using assessment::PersonType;

inline constexpr int kBuildingAddressWidth = 80;  // ADRESA
inline constexpr int kBuildingRemarkWidth = 120;  // OBSIN, OBSOUT
inline constexpr int kBuildingGridColumnCount = 20;

// The dates the table holds for "never valued" (01.01.2000) and "no date" (01.01.1900: not
// sold, still in the records).
QDate NeverValuedDate();
QDate NoDate();

// "Clasificarea Cladirii": the entries of TipC1 in order.
enum class BuildingKind { Residential, NonResidential, Mixed };
// The page of the dialog: person type and use.
enum class BuildingForm { PFR, PFN, PJR, PJN };

// The building dialog's fields as values. Numbers are kept as typed so that the checks can
// refuse what the columns cannot hold; list entries are kept by position.
struct BuildingInput {
    BuildingKind kind = BuildingKind::Residential;
    bool mixedResidential = true; // TipC2: "REZIDENTIAL" / "NEREZIDENTIAL"
    int64_t mixedId = 0;          // IDManual: 0 is "nu exista in lista"
    QString address;
    QString area = QStringLiteral("0");
    QString year = QStringLiteral("0");
    int material = 0;    // CODMAT
    int destination = 0; // DESTINATIE - 1
    bool utilities = false;
    QString zone = QStringLiteral("A");
    int rank = 0; // RANG
    bool inBlock = false;
    QDate valuationDate;
    QString value = QStringLiteral("0");
    bool agricultural = false;
    bool notValued = false; // "Nu este evaluata"
    QDate acquired;
    QDate entered;
    QString entryRemark;
    bool sold = false; // "Instrainata la data de"
    QDate saleDate;
    QDate exitDate;
    QString exitRemark;

    // The use the row gets: TipC1, or TipC2 for a part of a mixed building.
    bool residential() const;
};

// The dialog's fields that a check points at.
enum class BuildingField { Area, Year, ValuationDate, Value, Entered, Acquired, SaleDate, ExitDate };

struct BuildingProblem {
    BuildingField field = BuildingField::Area;
    QString message;
};

// The page of the dialog for a taxpayer of this type and the use chosen.
BuildingForm FormOf(PersonType person, const BuildingInput& input);

// One building of the list with its tax in the fiscal year.
struct BuildingLine {
    BuildingRow row;
    assessment::BuildingTax tax;
};

// The texts of the buildings grid for one building, in column order (kBuildingGridColumnCount).
QStringList BuildingGridTexts(const BuildingLine& line, PersonType person);

// A building that left the records this year, offered to a buyer.
struct PurchaseCandidate {
    int64_t idgos = 0;
    int64_t idclad = 0;
    QString tip, satul, rol, numep; // the seller
    QString tipc, strada, adresa;   // Gospodar's street, the building's address
    QDate dataVanz, dataOut;
    QString obsOut;
};
// The texts of the purchase picker's grid, in column order.
QStringList PurchaseGridTexts(const PurchaseCandidate& candidate);

class Buildings {
public:
    Buildings(storage::Database& db, db::Settings& settings, db::Counters& counters, core::AdminValues& admin);

    // The date the checks and the sale take as today (the system's date unless a test fixes one).
    QDate today() const;
    void setToday(const QDate& today) { today_ = today; }

    // Whether the administrator locked the year ([SERVER] ADMINBLOCAT + year is "DA"): then
    // nothing of the buildings is written.
    bool YearLocked() const;

    // The administrator's "Zona implicita" and "Rangul implicit" (position of the rank).
    QString DefaultZone() const;
    int DefaultRank() const;
    // The administrator's rates and coefficients, as the tax reads them.
    assessment::BuildingTaxSettings TaxSettings() const;

    // --- the list ---
    // The taxpayer's buildings ordered by IDMANUAL (parts of a mixed building by IDCLAD), each
    // with its tax.
    std::vector<BuildingLine> List(int64_t idgos, PersonType person);
    std::optional<BuildingRow> Fetch(int64_t idgos, int64_t idclad);
    // The distinct IDMANUAL of the taxpayer's parts of mixed buildings, ascending.
    std::vector<int64_t> MixedIds(int64_t idgos);

    // --- the dialog ---
    // "Adauga Cladire": residential, acquired 1 January of the fiscal year, entered today, not
    // sold (sale and exit dates today), destination "Cladire", zone "A", the default rank,
    // area and year 0, concrete, no utilities, valued never, values 0.
    BuildingInput DefaultInput() const;
    // "Modifica Cladire": the fields of a stored row.
    BuildingInput InputFromRow(const BuildingRow& row) const;
    // The checks of "&Memoreaza" in order; cleans the texts and sets the dates the row gets
    // (never valued, not sold). nullopt when the input is accepted. Values that their column
    // cannot hold are refused like values below the minimum.
    std::optional<BuildingProblem> Validate(BuildingInput& input, PersonType person);
    // The check of the sale dialog: nullopt, or the balloon.
    std::optional<QString> CheckSale(const QDate& saleDate) const;
    // The row an accepted input is stored as, under the identifier `idclad`. IDMANUAL is the
    // chosen building for a part of a mixed building, otherwise `idclad`.
    BuildingRow RowFromInput(const BuildingInput& input, PersonType person, int64_t idgos, int64_t idclad) const;

    // --- commands (inputs already validated) ---
    enum class Outcome {
        Done,
        Locked,  // the year is locked: nothing written
        Missing, // the building (or the seller's building) is no longer stored
    };
    // Inserts the building under a new IDCLAD, drawn inside the transaction.
    Outcome Add(int64_t idgos, PersonType person, const BuildingInput& input, int64_t* idclad = nullptr);
    // Rewrites the building (IDGOS and IDCLAD) with the input's columns.
    Outcome Modify(int64_t idgos, int64_t idclad, PersonType person, const BuildingInput& input);
    Outcome Delete(int64_t idgos, int64_t idclad);
    // Marks the building sold on `saleDate`, out of the records today, with the remark.
    Outcome Sell(int64_t idgos, int64_t idclad, const QDate& saleDate, const QString& remark);
    // Buildings of every taxpayer that left the records on or after 1 January of the fiscal
    // year, by the seller's name.
    std::vector<PurchaseCandidate> PurchaseCandidates();
    // Copies the seller's building to the buyer under a new IDCLAD (every column, with the
    // acquisition date = the sale date, entry = the seller's exit and its remark, not sold).
    // The seller's row stays as it is.
    Outcome Purchase(int64_t buyer, int64_t sellerIdgos, int64_t sellerIdclad, int64_t* idclad = nullptr);

    storage::Database& database() { return db_; }

private:
    struct Limit {
        int width = 0;
        int decimals = 0;
    };
    Limit limitOf(const char* column);
    bool fits(const QString& text, const char* column, base::Decimal* value);
    storage::Params rowParams(const BuildingRow& row) const;

    storage::Database& db_;
    db::Settings& settings_;
    db::Counters& counters_;
    core::AdminValues& admin_;
    QDate today_;
};

} // namespace lirma::reg
