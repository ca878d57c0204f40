// "&OPEREAZA" before anything is stored: the amounts typed in the three grids are classified
// (receipt, payment order, compensation note) and split over credit, arrears, carried penalties,
// new penalties, the current year, the discount and overpayment. Pure: the result is the receipt
// lines and the new balance of every row touched, which the confirmation and storing take over.
#pragma once

#include "collections/balance.h"
#include "platform/base/decimal.h"

#include <QDate>
#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace lirma::collections {

enum class OperationKind {
    Receipt,          // every amount positive: line type "C"
    PaymentOrder,     // every amount negative: "O"
    CompensationNote, // positive and negative amounts of equal sums: "N"
};

// The line type letter of a kind: "C", "O" or "N".
QString LineType(OperationKind kind);

// One line of the document (a row of the lines table).
struct ReceiptLine {
    QString GRUPA;
    QString DOCJUS;
    QString SERIA;
    int64_t NR = 0;
    QString DENUM; // the justifying document of a levy or debit; empty for yearly tax groups
    QString CODCLAS;
    int64_t RESTANTA = 0; // arrears paid
    int64_t MAJOREST = 0; // carried penalties paid
    int64_t DEPOZIT = 0;  // into (+) or out of (-) the credit
    int64_t CURENT = 0;   // current amount paid
    int64_t MAJOR = 0;    // new penalties paid
    int64_t REDUCERE = 0; // discount granted
    QString TIP;
    int64_t TOTAL = 0;

    int64_t computedTotal() const { return RESTANTA + MAJOREST + DEPOZIT + CURENT + MAJOR - REDUCERE; }
    bool operator==(const ReceiptLine&) const = default;
};

// New balance of a yearly tax group, with the values before the operation.
struct GroupUpdate {
    QString GRUPA;
    int64_t IDRES = 0;
    int64_t SUMA = 0, REST = 0, REDUC = 0, DATOR = 0, DEPOZ = 0, MAJOR = 0;
    int64_t SUMA0 = 0, REST0 = 0, REDUC0 = 0, DATOR0 = 0, DEPOZ0 = 0, MAJOR0 = 0;
    bool changed() const
    {
        return SUMA != SUMA0 || REST != REST0 || REDUC != REDUC0 || DATOR != DATOR0 || DEPOZ != DEPOZ0 ||
               MAJOR != MAJOR0;
    }
};

struct LevyUpdate {
    int64_t IDDAT = 0;
    int64_t SUMA = 0;
    int64_t REST = 0;
};

struct DebitUpdate {
    int64_t IDDEB = 0;
    int64_t SUMAC = 0;
};

struct AllocationOptions {
    QDate date;                 // the calculation date of the window
    bool noPenalties = false;   // the taxpayer's NOTAX is "DA"
    // "Reducere la plata integrala in avans" of the land outside the built-up area, percent:
    // the discount of a compensation note.
    base::Decimal compensationDiscountPercent;
    int fiscalYear = base::edition::FiscalYear;
};

struct Allocation {
    OperationKind kind = OperationKind::Receipt;
    int64_t value = 0;                 // "Valoare chitanta": the sum of the typed amounts
    std::vector<ReceiptLine> lines;    // in the order they were made
    std::vector<GroupUpdate> groups;   // one per Impozite row
    std::vector<LevyUpdate> levies;    // one per Taxe row with an amount
    std::vector<DebitUpdate> debits;   // one per Debite row with an amount
};

struct AllocationResult {
    std::optional<Allocation> allocation;
    // When refused: the message and its title ("Operare").
    QString message;
    QString title;
};

// The kind of the typed amounts, or nullopt with the refusal message in `message`.
std::optional<OperationKind> ClassifyAmounts(const Balance& balance, QString* message = nullptr);

// Splits the ACHITAT amounts of `balance` (as computed by ComputeBalance at options.date with the
// same no-penalty rule). Refused when nothing was typed, when a compensation note does not close
// at 0, or when the lines would not add up to the typed amounts.
AllocationResult AllocatePayment(const Balance& balance, const AllocationOptions& options);

// The lines as the document holds them: ordered by GRUPA, DENUM, TIP; DOCJUS, SERIA and NR by line
// type ("C": "CHITANTA", the cashier's series and the number the receipt counter will give; "N":
// "N.C."; others "O.P."); CODCLAS from `codes` (group -> code for the taxpayer's person type, ""
// when absent); TOTAL recomputed.
std::vector<ReceiptLine> FinalLines(std::vector<ReceiptLine> lines, const QHash<QString, QString>& codes,
                                    const QString& series, int64_t nextReceiptNumber);

// Lines equal in GRUPA, DOCJUS, SERIA, NR, DENUM, CODCLAS and TIP summed into one (not done for a
// compensation note), ordered by those columns.
std::vector<ReceiptLine> MergeLines(const std::vector<ReceiptLine>& lines);

// The message shown when the lines hold nothing to operate (none, or the first in the order
// DENUM, GRUPA without a group); nullopt otherwise.
std::optional<QString> NothingToOperate(const std::vector<ReceiptLine>& lines);

// Sum of TOTAL over the lines.
int64_t LinesTotal(const std::vector<ReceiptLine>& lines);

} // namespace lirma::collections
