// "The file is in use": on Linux an open file can still be deleted or overwritten, so whether a
// document is open in the office program is told by the lock file that program keeps beside it,
// ".~lock.<file name>#".
#pragma once

#include <QString>

namespace lirma::office {

// Path of the lock file of a document.
QString LockFileOf(const QString& path);

// True while the office program holds the document open (its lock file exists).
bool IsInUse(const QString& path);

} // namespace lirma::office
