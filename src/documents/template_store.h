// Embedded templates written to disk: the start-up extraction of the editable ones into the data folder
// and the copies of list templates in the temporary folder.
#pragma once

#include "documents/template_catalog.h"
#include "platform/base/files.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lirma::documents {

// Path of the embedded resource (name and type without regard to case); "" when there is none.
QString EmbeddedTemplatePath(const QString& resource, const QString& type);
// Bytes of the embedded resource; empty when there is none.
QByteArray EmbeddedTemplate(const QString& resource, const QString& type);

// Writes the embedded resource to `path`, replacing the file. The bytes go to a temporary file in the
// same folder that then takes the name, so that another workstation reading the template sees either
// the old file or the new one whole. False when the resource is unknown or the file cannot be written.
bool ExtractTemplate(const QString& resource, const QString& type, const QString& path);

struct EnsureResult {
    QStringList written; // file names written into the data folder
    QStringList failed;  // file names that could not be written
    bool ok() const { return failed.isEmpty(); }
};

// Writes every editable template whose file is missing from the data folder. Before that, each missing
// template's older files ("replaces") are deleted, so that they are written again too when they are
// templates themselves (a missing CFiscalPJ.rtf brings a fresh CFiscal4.rtf).
EnsureResult EnsureTemplates(const base::Folders& folders);

} // namespace lirma::documents
