// The balance of one taxpayer as the collections window computes it (CalcOm): the taxpayer row,
// the SoldCalc, Datorii and Debit rows and the discount history read from the data folder, the
// options from the settings store, the pure ComputeBalance over them; and the three work tables
// the window's grids show, written in the temporary folder.
#pragma once

#include "collections/allocation.h"
#include "collections/balance.h"
#include "platform/base/files.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lirma::storage {
class Database;
struct FieldDef;
}
namespace lirma::db {
class Settings;
}
namespace lirma::core {
class AdminValues;
}

namespace lirma::collections {

// The taxpayer row the window's header shows.
struct Taxpayer {
    int64_t IDGOS = 0;
    QString SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, TIP;
    int64_t SCCLAD = 0, SCCC = 0, SCAUTO = 0, SCTI = 0, SCTE = 0;
    QString OBS, OBS2, NOTAX, INDOP;
    int64_t NRPERS = 0;
    QString MOST;

    bool naturalPerson() const { return TIP == QLatin1String("FIZICA"); }
    // The one no-penalty rule of a taxpayer, for the balance and the payment alike.
    bool noPenalties() const { return NOTAX == QLatin1String("DA"); }
};

std::optional<Taxpayer> ReadTaxpayer(storage::Database& db, int64_t idgos);

// The groups of this year's receipt lines of the taxpayer that granted a discount.
QStringList ReadDiscountHistory(storage::Database& db, int64_t idgos, int fiscalYear = base::edition::FiscalYear);

// SoldCalc, Datorii and Debit rows of the taxpayer in the order of their identifiers (the order
// they were added), and the discount history.
BalanceInput ReadBalanceInput(storage::Database& db, int64_t idgos, int fiscalYear = base::edition::FiscalYear);

// The options of the collections window: discounts on, the taxpayer's person type and
// no-penalty mark, BONIF50 and REDUCERE_JURIDICE from the settings store.
BalanceOptions CollectionsOptions(const Taxpayer& taxpayer, const db::Settings& settings,
                                  int fiscalYear = base::edition::FiscalYear);

// The options of "&OPEREAZA" at the window's calculation date: the taxpayer's no-penalty mark (the
// same rule as the balance) and the land-outside discount percent ERED for compensation notes.
AllocationOptions PaymentOptions(const Taxpayer& taxpayer, const QDate& date, const core::AdminValues& admin,
                                 int fiscalYear = base::edition::FiscalYear);

struct CalcResult {
    Taxpayer taxpayer;
    BalanceInput input; // the rows the computation started from
    Balance balance;
};

// CalcOm: the balance at `date`, reading everything again (a receipt cancelled meanwhile gives
// its discount back at once). nullopt when the taxpayer row does not exist.
std::optional<CalcResult> CalcOm(storage::Database& db, const db::Settings& settings, int64_t idgos,
                                 const QDate& date, int fiscalYear = base::edition::FiscalYear);

// Column layouts of the three work tables.
const std::vector<storage::FieldDef>& ImpoziteLayout();
const std::vector<storage::FieldDef>& TaxeLayout();
const std::vector<storage::FieldDef>& DebiteLayout();

// The rows as the work tables hold them, column for column in layout order (dates "dd.MM.yyyy",
// a null date ""): what the command line prints.
std::vector<QStringList> ImpoziteCells(const Balance& balance);
std::vector<QStringList> TaxeCells(const Balance& balance);
std::vector<QStringList> DebiteCells(const Balance& balance);

// The three work tables of one collections window ("Impozite", "Taxe", "Debite" + n + ".dbf" in
// the temporary folder, which must be registered with the database). Each write replaces them
// with fresh files; the destructor deletes them.
class BalanceWorkTables {
public:
    BalanceWorkTables(storage::Database& db, base::Folders folders);
    ~BalanceWorkTables();
    BalanceWorkTables(const BalanceWorkTables&) = delete;
    BalanceWorkTables& operator=(const BalanceWorkTables&) = delete;

    // Deletes the previous tables, creates new ones and fills them in one transaction.
    // Throws storage::StorageError, or std::runtime_error when no work file name is free.
    void write(const Balance& balance);
    // Deletes the tables (nothing when none exist).
    void drop();

    // SQL names, empty before the first write and after drop().
    const std::string& impozite() const { return impozite_; }
    const std::string& taxe() const { return taxe_; }
    const std::string& debite() const { return debite_; }

private:
    std::string create(const QString& baseName, const std::vector<storage::FieldDef>& layout);

    storage::Database& db_;
    base::Folders folders_;
    std::string impozite_, taxe_, debite_;
};

} // namespace lirma::collections
