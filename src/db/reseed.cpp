// Re-seeding of the counters from the tables. Kept apart from counters.cpp so that
// programs that only draw identifiers do not pull in the storage engine.
#include "db/counters.h"

#include "platform/storage/storage.h"

#include <algorithm>
#include <vector>

namespace lirma::db {
namespace {

struct Source {
    const SettingKey* key; // the column has the key's name
    std::vector<const char*> tables;
};

// In the order of the start-up sequence. Besides its main table, each counter looks at
// the tables that keep copies of its identifiers (undo snapshots, cancelled receipts):
// a value still present there must never be handed out again.
const std::vector<Source>& sources()
{
    static const std::vector<Source> list = {
        {&keys::IDGOS, {"Gospodar"}},
        {&keys::IDDAT, {"Datorii", "UndelDat"}},
        {&keys::IDRES, {"SoldCalc", "UndelSold"}},
        {&keys::IDDEB, {"Debit", "UndelDebit"}},
        {&keys::IDCHIT, {"Chitante", "ChitAnul"}},
        {&keys::IDRC, {"RegCasa"}},
        {&keys::IDANUL, {"Chitante", "UndelDat", "UndelSold", "UndelDebit"}},
        {&keys::IDCOD, {"CodCL"}},
        {&keys::IDCONF, {"Confirm"}},
        {&keys::IDDETA, {"AutoDet"}},
    };
    return list;
}

} // namespace

void Counters::ReseedCounters(storage::Database& db)
{
    // Lock order everywhere: the data folder's write lock, then the settings file's.
    storage::Transaction tx(db);

    const QString section(section::SERVER);
    const bool ok = file_.update([&](ini::IniDocument& doc) {
        // Under the settings lock too: no draw runs between reading the tables and
        // writing the counters.
        for (const Source& s : sources()) {
            const std::string column = QString(s.key->key).toStdString();
            int64_t largest = 0; // payments without debit carry IDANUL -1: never below 0
            for (const char* table : s.tables) {
                if (!db.tableExists(table))
                    continue;
                const storage::Value v = db.scalar("SELECT MAX(" + column + ") AS XX FROM " + table);
                if (!v.isNull())
                    largest = std::max(largest, v.toInt());
            }
            if (!doc.setValue(section, QString(s.key->key), QString::number(largest + 1)))
                return false;
        }
        return true;
    });
    if (!ok) {
        error_ = QStringLiteral("Contoarele nu pot fi memorate. %1").arg(file_.errorString());
        throw CounterError(error_.toStdString());
    }
    tx.commit();
}

} // namespace lirma::db
