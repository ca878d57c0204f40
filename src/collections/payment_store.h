// Storing an allocated payment: the snapshots of every balance row it changes (so the operation
// can be cancelled), the new balances, the receipt lines and the log entry, all in one storage
// transaction. The rows the computation started from are read again inside that transaction;
// when another workstation changed them meanwhile nothing is stored and the caller recomputes.
#pragma once

#include "collections/allocation.h"
#include "collections/balance_store.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lirma::storage {
class Database;
}
namespace lirma::db {
class Counters;
class Settings;
}
namespace lirma::core {
class ActivityLog;
class AdminValues;
}

namespace lirma::collections {

// The document kinds of the confirmation dialog.
enum class DocumentKind {
    Receipt,      // "CHITANTA"
    Transfer,     // "VIRAMENT"
    Card,         // "CARD BANCAR"
    PaymentOrder, // "Ordin de plata"
    Note,         // "Nota contabila"
};

QString DocumentKindName(DocumentKind kind);
std::optional<DocumentKind> DocumentKindFromName(const QString& name);
// The kinds the dialog offers for an operation, the first selected.
std::vector<DocumentKind> OfferedDocumentKinds(OperationKind kind);

// What the confirmation dialog holds when "&OPEREAZA" is pressed.
struct PaymentRequest {
    QDate documentDate;      // "din data"
    DocumentKind document = DocumentKind::Receipt;
    int64_t typedNumber = 0; // "Nr." of a transfer, a payment order or a compensation note
    QString payer;           // "Cine plateste"
    QString user;            // login name: the settings section of SERIA and CHIT, INCANUME
    QString badge;           // the user's "Legitimatia"
};

// One stored row of Chitante.dbf.
struct StoredReceiptRow {
    int64_t IDCHIT = 0, IDGOS = 0, IDANUL = 0;
    QString SERIA;
    int64_t NR = 0;
    QDate DATAI;
    QString SATUL, ROL, GRUPA, DENUM, CODCLAS, NUMEP, CNP, STRADA, ADRESA, TIPF, PLATNUME, INCANUME, LEGITIMA;
    int64_t RESTANTA = 0, MAJOREST = 0, DEPOZIT = 0, CURENT = 0, MAJOR = 0, REDUCERE = 0, TOTAL = 0;
    QString TIP;
};

enum class PaymentOutcome {
    Stored,
    Refused, // a check failed: `message` says which; nothing stored
    Changed, // the rows changed since the computation: nothing stored, recompute
};

struct PaymentResult {
    PaymentOutcome outcome = PaymentOutcome::Refused;
    QString message;
    QString title;
    int64_t IDANUL = 0;
    int64_t IDCHIT = 0;
    int64_t number = 0; // the number the document was stored with
    std::vector<StoredReceiptRow> rows;
};

// Column names of Chitante.dbf in its order, and a stored row as the command line prints it.
QStringList ReceiptColumns();
QStringList ReceiptCells(const StoredReceiptRow& row);

class PaymentStore {
public:
    // Called at named steps inside the transaction ("snapshots", "balance", "receipt"); a throw
    // from it rolls everything back (fault injection in tests).
    using StepHook = std::function<void(const char* step)>;

    PaymentStore(storage::Database& db, db::Counters& counters, const db::Settings& settings,
                 core::ActivityLog* log = nullptr);

    void setStepHook(StepHook hook) { hook_ = std::move(hook); }

    // The checks of "&OPEREAZA" in the dialog and the storing. `computed` is the CalcOm the
    // allocation ran over; `lines` the confirmed lines (final, merged). Throws
    // storage::StorageError or db::CounterError; then nothing was stored.
    PaymentResult Store(const CalcResult& computed, const Allocation& allocation, const std::vector<ReceiptLine>& lines,
                        const PaymentRequest& request, int fiscalYear = base::edition::FiscalYear);

private:
    void step(const char* name)
    {
        if (hook_)
            hook_(name);
    }

    storage::Database& db_;
    db::Counters& counters_;
    const db::Settings& settings_;
    core::ActivityLog* log_;
    StepHook hook_;
};

// Budget classification codes by group for a person type (CodCL.dbf: CODCLF or CODCLJ).
QHash<QString, QString> ClassificationCodes(storage::Database& db, bool naturalPerson);

// The amount typed in one row of a grid.
struct TypedAmount {
    enum class Table { Impozite, Taxe, Debite } table = Table::Impozite;
    int64_t id = 0; // IDRES, IDDAT or IDDEB
    int64_t amount = 0;
};

// The whole of "&OPEREAZA" without a window: CalcOm at `date`, the amounts typed (`all`: every
// row its total), the allocation, the final and merged lines, the checks and the storing. A
// refusal of the allocation comes back as Refused. nullopt when the taxpayer does not exist;
// std::invalid_argument when a typed row is not among the taxpayer's rows.
std::optional<PaymentResult> Pay(storage::Database& db, db::Counters& counters, const db::Settings& settings,
                                 const core::AdminValues& admin, core::ActivityLog* log, int64_t idgos,
                                 const QDate& date, bool all, const std::vector<TypedAmount>& amounts,
                                 PaymentRequest request, int fiscalYear = base::edition::FiscalYear,
                                 PaymentStore::StepHook hook = {});

} // namespace lirma::collections
