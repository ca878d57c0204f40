// The questions asked when the main window is closed.
#pragma once

#include <QString>

namespace lirma::base {
struct Folders;
}

namespace lirma::core {

enum class CloseChoice {
    Stay,           // the window stays open
    Close,          // close, no backup
    CloseAndBackup, // close, then make the automatic backup
};

// The automatic backup is offered only on the local data folder and only when its folder
// (set by the administrator) is an existing folder now.
bool AutoBackupOffered(const base::Folders& folders, const QString& backupFolder);

// offerBackup: "Salvare Automata" (DA: close and back up, NU: close, Esc: stay);
// otherwise "Inchidere program" (only DA closes).
CloseChoice AskClose(bool offerBackup);

} // namespace lirma::core
