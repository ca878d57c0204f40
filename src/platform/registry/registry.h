// The per-workstation store behind ReadRegistry / WriteRegistry: where this
// workstation finds its data and puts its backups. QSettings under organisation
// "Quenlor" and application = edition number: the registry key
// Software\Quenlor\<edition> on Windows, $XDG_CONFIG_HOME/Quenlor/<edition>.conf on Linux.
// Value names are compared without regard to case, as in the registry.
#pragma once

#include "platform/base/edition.h"

#include <QString>

namespace lirma::registry {

class Registry {
public:
    explicit Registry(int edition = base::edition::EditionNumber);

    int edition() const { return edition_; }

    // The value, or "" when absent or unreadable.
    QString read(const QString& name) const;
    // Writes and flushes the value; false when it could not be stored (never throws).
    bool write(const QString& name, const QString& value);

    // Redirects every store of this process to <folder>/Quenlor/<edition>.conf
    // (tests; an empty folder restores the platform's place). Set it before use:
    // Qt fixes its own default place at its first use of XDG_CONFIG_HOME.
    static void setStoreFolder(const QString& folder);
    static QString storeFolder();

private:
    int edition_;
};

// The documented operations, on this edition's store.
QString ReadRegistry(const QString& name);
bool WriteRegistry(const QString& name, const QString& value);
// One read from another edition's store (base::edition::PreviousEditionNumber: where
// last year's data lives).
QString ReadRegistry(const QString& name, int edition);

} // namespace lirma::registry
