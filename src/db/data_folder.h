// What the start-up sequence and the administrator window need to know about a data
// folder as a whole: whether a server folder holds a complete database, the village
// list of the taxpayer register, and the removal of rows left without a taxpayer.
#pragma once

#include "platform/storage/storage.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lirma::db {

// The ten tables a data folder on a server must hold to be used.
const QStringList& ServerFolderFiles();

// The files of ServerFolderFiles() that `folder` lacks (names compared without regard
// to case); empty when the folder holds a complete database. A folder that does not
// exist or cannot be read lacks all ten.
QStringList CheckServerFolder(const QString& folder);

// First entry of the village list: no village chosen.
QString AnyVillage(); // " * indiferent *"

// The village list of the taxpayer register: AnyVillage(), the distinct non-empty
// SATUL values of Gospodar (sorted), then each LOCALIT of DefZone (sorted) not yet
// listed. A missing table adds nothing.
QStringList VillageList(storage::Database& db);

struct OrphanRemoval {
    bool skipped = false;                                  // no known village: nothing was looked at
    std::vector<std::pair<std::string, int64_t>> deleted;  // table, rows deleted, in deletion order
    int64_t total() const;
};

// Deletes from Chitante, Datorii and SoldCalc (in that order, in one transaction) the
// rows whose SATUL and ROL are both non-empty, whose SATUL (right-trimmed) is none of
// the villages of `villageList` after its first entry, and whose IDGOS belongs to no
// taxpayer of Gospodar: a row of a taxpayer whose village was renamed always stays.
// Skipped when the list holds no village after its first entry.
OrphanRemoval RemoveOrphans(storage::Database& db, const QStringList& villageList);

} // namespace lirma::db
