// The yearly debts ("Adaugare la plata"): a taxpayer's stored asset pages become the rows of type
// "A" of Datorii.dbf, the four yearly balances of SoldCalc.dbf and his row of ScVeterani.dbf.
// It can run again at any time: rows are found again and updated in place, and every balance moves
// by the difference between the new and the old assessment, so what was paid or adjusted stays.
//
// Each taxpayer is read, computed and written inside one write transaction. When the whole
// register runs, a group of taxpayers shares a transaction (a commit costs a disk sync, too much to
// pay 20,000 times), so the write lock is held for short stretches; when one of them fails half-way
// the group is undone and the ones before him are written again, so he stays as he was. Nothing is
// written for a taxpayer that is refused (no role number, a value too large for its column); the
// run goes on with the others.
#pragma once

#include "assessment/tax_items.h"
#include "assessment/taxpayer_taxes.h"
#include "db/counters.h"
#include "platform/base/edition.h"
#include "platform/storage/storage.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace lirma::assessment {

// A taxpayer the run did not assess, and why (a text for the user, naming him).
struct Refusal {
    int64_t idgos = 0;
    QString rol;
    QString numep;
    QString reason;
};

class YearlyDebts {
public:
    YearlyDebts(storage::Database& db, db::Counters& counters, AssessmentSettings settings,
                int fiscalYear = base::edition::FiscalYear);
    ~YearlyDebts();

    // Adds one taxpayer to payment in a transaction of its own. nullopt when assessed, otherwise
    // why he was refused (nothing was written). Throws storage::StorageError or db::CounterError
    // when the database fails; then nothing was written for him either.
    std::optional<Refusal> AssessTaxpayer(int64_t idgos);

    struct RunResult {
        int accepted = 0;
        int rejected = 0;
        std::vector<Refusal> refusals; // in the order met
        bool stopped = false;          // the callback asked to stop
        QString error;                 // a database failure stopped the run ("" when none)
    };
    // Adds the taxpayers to payment in the order given (one given twice is assessed once). After each one `afterEach(done)` is called
    // with the number handled so far; returning false stops the run once the taxpayers already
    // handled are stored. A database failure stops the run too: the taxpayers stored before it stay.
    RunResult AssessAll(const std::vector<int64_t>& ids, const std::function<bool(int done)>& afterEach = {});

    // Taxpayers per transaction in AssessAll (default 100).
    void setBatchSize(int size);

    const AssessmentSettings& settings() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace lirma::assessment
