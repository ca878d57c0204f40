// The interaction service on real windows: balloons, Qt's folder and file dialogs, the desktop's programs
// for documents, Qt's print preview and print dialogs. The message dialog and the progress window are the
// program's own windows, so the program completes this class with them.
#pragma once

#include "platform/ui/interaction.h"

namespace lirma::ui {

class QtInteraction : public Interaction {
public:
    void problem(const QString& message, QWidget* control) override;
    QString chooseFolder(const QString& caption, const QString& startFolder) override;
    QString chooseOpenFile(const QString& caption, const QString& startFolder,
                           const QString& filter) override;
    QString chooseSaveFile(const QString& caption, const QString& startPath,
                           const QString& filter) override;
    // False for a missing file and when the desktop reports that no program opened it.
    bool openDocument(const QString& path) override;
    bool preview(const PrintJob& job) override;
    bool print(const PrintJob& job, bool choosePrinter) override;

protected:
    // The window the dialogs belong to.
    static QWidget* dialogParent();
};

}  // namespace lirma::ui
