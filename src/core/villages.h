// The villages of the commune with their zone and rank (DefZone.DBF), edited on the zones page
// of the administrator window.
#pragma once

#include "db/counters.h"
#include "platform/storage/storage.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace lirma::core {

struct Village {
    int64_t id = 0;
    QString locality; // LOCALIT
    QString zone;     // ZONA, "A".."D"
    QString rank;     // RANG, "0", "I".."V"
};

class Villages {
public:
    static constexpr int kLocalityMax = 32;

    Villages(storage::Database& db, db::Counters& counters);

    // Every village, ordered by LOCALIT.
    std::vector<Village> List();

    // The dialog's check of a locality: cleaned of extra spaces; empty, or equal to a village
    // other than `exceptId` (the one being modified), gives the balloon text; "" when it may be
    // stored. `cleaned` receives the cleaned text.
    QString Check(const QString& locality, std::optional<int64_t> exceptId, QString* cleaned = nullptr);

    // Adds a village under a new ID drawn from the DEFZONE counter; returns the ID.
    // Throws storage::StorageError or db::CounterError; then nothing was added.
    int64_t Add(const QString& locality, const QString& zone, const QString& rank);
    void Modify(int64_t id, const QString& locality, const QString& zone, const QString& rank);
    void Remove(int64_t id);

private:
    std::string table() const;

    storage::Database& db_;
    db::Counters& counters_;
};

} // namespace lirma::core
