// The document templates the program carries: which embedded resource each one is, where its editable
// copy lives in the data folder, its entry in the menu "Modele listare - Editare", which older files it
// replaces, and the placeholders it must hold.
//
// One row per template, in the order of the menu. Adding a template is adding a row in
// template_catalog.cpp and its file in a .qrc of this folder (prefix "/templates", alias "TYPE/NAME").
#pragma once

#include "platform/base/files.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lirma::documents {

enum class TemplateKind { Rtf, Workbook, Pdf };

// How a caller fills an RTF template (which decides where its placeholders may stand).
enum class FillMode { Record, WholeTemplate };

struct TemplateInfo {
    QString resource;     // embedded resource name ("POPANGAJ"); "" for a menu entry without a template
    QString type;         // resource type ("MODEL", "XLS")
    QString fileName;     // editable copy in the data folder; "" for templates used through a work copy
    TemplateKind kind = TemplateKind::Rtf;
    QString menuPath;     // under "Modele listare - Editare", captions joined by " > "; "" = not in the menu
    bool restorable = false;  // the menu offers "Refa modelul initial"
    QStringList replaces;     // older files of the data folder deleted whenever this one is written at start-up
    FillMode mode = FillMode::Record;
    QStringList keys;         // placeholders the template holds, spelled as the template spells them
};

// Every template, in the order of the menu.
const std::vector<TemplateInfo>& TemplateCatalog();

// The row of a resource (name and type compared without regard to case) or of a data-folder file;
// nullptr when there is none.
const TemplateInfo* FindTemplate(const QString& resource, const QString& type);
const TemplateInfo* FindTemplateFile(const QString& fileName);

} // namespace lirma::documents
