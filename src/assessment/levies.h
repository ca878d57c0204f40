// Levies and fines entered by hand: the taxpayer's Datorii.dbf rows with TIP "M". Listing, the
// checks of the levy dialog, adding, modifying (by the difference typed, so that what was paid
// meanwhile stays paid) and deleting, without any window. The register's page of the year and
// the collections window both use it.
#pragma once

#include "platform/storage/storage.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace lirma::db {
class Counters;
}

namespace lirma::assessment {

// The taxpayer a levy belongs to: its rows copy the village and role.
struct LevyOwner {
    int64_t idgos = -1;
    QString satul;
    QString rol;
};

// What the levy dialog holds, amounts already whole lei.
struct LevyInput {
    QDate date;
    QString name;        // "Denumirea creantei": GRUPA and DENUM
    QString explanation; // DOCJUS
    int64_t number = 0;  // NR
    int64_t current = 0; // SUMA
    int64_t arrears = 0; // REST
    int64_t reduction = 0; // REDUC
};

// One levy row.
struct LevyRow {
    int64_t iddat = 0;
    int64_t idgos = 0;
    QDate date;
    QString group; // GRUPA
    QString item;  // DENUM
    QString explanation;
    int64_t number = 0;
    int64_t current = 0;   // SUMA: still due
    int64_t arrears = 0;   // REST: still due
    int64_t reduction = 0;
    int64_t current0 = 0;  // SUMA2: as first assessed
    int64_t arrears0 = 0;  // RESTINI: as first assessed

    // A receipt was issued on it.
    bool paid() const { return current0 != current || arrears0 != arrears; }
    // What the dialog shows of it.
    LevyInput input() const;
};

// The widths the dialog keeps to.
inline constexpr int kExplanationWidth = 50;
inline constexpr int kLevyAmountDigits = 6;
inline constexpr int kDocumentNumberDigits = 10;

enum class LevyProblem {
    None,
    NoName,        // balloon on "Denumirea creantei"
    BothAmounts,   // balloon on "Reducere"
    NoAmount,      // error message
};

// The checks of "&Memoreaza", in order; the explanation is cleaned (CleanSpaces) and cut to its
// width in place. Accepted: a name, not both current and arrears above 0, and arrears or
// reduction not 0 or a current amount above 0.
LevyProblem CheckLevy(LevyInput& input);

// trunc(reduction / (current + arrears) * 100), or 0 when current + arrears is 0.
int64_t ReductionPercent(int64_t current, int64_t arrears, int64_t reduction);

class Levies {
public:
    Levies(storage::Database& db, db::Counters& counters);

    // The taxpayer's levies ordered by GRUPA, DINDATA (IDDAT last).
    std::vector<LevyRow> List(int64_t idgos);
    std::optional<LevyRow> Find(int64_t iddat);
    // The names the dialog offers.
    QStringList Names();

    // REDUCP of a new row: 0 from the register, computed from the amounts by the collections window.
    enum class Percent { Zero, FromAmounts };
    // Inserts the row and returns its IDDAT.
    int64_t Add(const LevyOwner& owner, const LevyInput& input, Percent percent = Percent::Zero);

    enum class Outcome { Done, Paid, Missing };
    // `shown`: the row as the dialog was loaded with it; `typed`: what was confirmed. SUMA and
    // REST (and SUMA2, RESTINI) move by what was typed minus what was shown, so a payment taken
    // meanwhile elsewhere is kept. Paid: the row is paid and the name was changed; nothing stored.
    Outcome Modify(const LevyRow& shown, const LevyInput& typed);
    // Deletes the taxpayer's row unless it is paid.
    Outcome Delete(int64_t idgos, int64_t iddat);

private:
    storage::Database& db_;
    db::Counters& counters_;
};

} // namespace lirma::assessment
