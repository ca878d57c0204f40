// The three paths of the administrator window: the data folder on a server and the automatic
// backup folder (both per workstation) and the agricultural register's folder (shared settings).
#pragma once

#include "db/settings.h"
#include "platform/base/files.h"
#include "platform/registry/registry.h"

#include <QString>

class QWidget;

namespace lirma::core {

class AdminPaths {
public:
    // What an operation did.
    enum class Outcome {
        Nothing,    // cancelled, refused or failed (the user was told)
        Changed,    // a path changed; the window goes on
        EndProgram, // the data folder changes: the window closes and the program ends
    };

    AdminPaths(db::Settings& settings, base::Folders folders,
               registry::Registry registry = registry::Registry());

    // The stored paths ("" when none) and the texts of their labels ("-" when none).
    QString server() const;
    QString backups() const;
    QString agriculturalRegister() const;
    QString serverLabel() const;
    QString backupsLabel() const;
    QString agriculturalRegisterLabel() const;

    // "Cale Server :": a folder holding the database (the start-up's ten-file check) becomes
    // the workstation's SERVER value.
    Outcome ChooseServer();
    // Work locally again: clears SERVER whenever one is stored. `anchor`: the balloon's place.
    Outcome ServerOff(QWidget* anchor);
    // "Cale Salvari :": only where the data folder is the local one; the folder must be writable.
    Outcome ChooseBackups();
    Outcome BackupsOff(QWidget* anchor);
    // "Cale Data Reg.Agr. :": a folder holding Ra2020.set.
    Outcome ChooseAgriculturalRegister();
    Outcome AgriculturalRegisterOff(QWidget* anchor);

private:
    bool writeRegistry(const QString& name, const QString& value, const QString& title);

    db::Settings& settings_;
    base::Folders folders_;
    registry::Registry registry_;
};

} // namespace lirma::core
