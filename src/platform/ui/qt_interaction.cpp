#include "platform/ui/qt_interaction.h"

#include "platform/ui/balloon_hint.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUrl>

namespace lirma::ui {

QWidget* QtInteraction::dialogParent() {
    return QApplication::activeWindow();
}

void QtInteraction::problem(const QString& message, QWidget* control) {
    BalloonHint::shared().showFor(control, message);
}

QString QtInteraction::chooseFolder(const QString& caption, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(dialogParent(), caption, startFolder,
                                             QFileDialog::ShowDirsOnly);
}

QString QtInteraction::chooseOpenFile(const QString& caption, const QString& startFolder,
                                      const QString& filter) {
    return QFileDialog::getOpenFileName(dialogParent(), caption, startFolder, filter);
}

QString QtInteraction::chooseSaveFile(const QString& caption, const QString& startPath,
                                      const QString& filter) {
    return QFileDialog::getSaveFileName(dialogParent(), caption, startPath, filter);
}

bool QtInteraction::openDocument(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

namespace {
void prepare(QPrinter& printer, const PrintJob& job) {
    printer.setDocName(job.title);
    if (job.layout.isValid()) printer.setPageLayout(job.layout);
}
}  // namespace

bool QtInteraction::preview(const PrintJob& job) {
    if (!job.paint) return false;
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, job);
    QPrintPreviewDialog dialog(&printer, dialogParent());
    dialog.setWindowTitle(job.title);
    bool painted = true;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { painted = job.paint(*target) && painted; });
    // The dialog accepts itself once the user has printed from it.
    return dialog.exec() == QDialog::Accepted && painted;
}

bool QtInteraction::print(const PrintJob& job, bool choosePrinter) {
    if (!job.paint) return false;
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, job);
    if (choosePrinter) {
        QPrintDialog dialog(&printer, dialogParent());
        dialog.setWindowTitle(job.title);
        if (dialog.exec() != QDialog::Accepted) return false;
    }
    return job.paint(printer);
}

}  // namespace lirma::ui
