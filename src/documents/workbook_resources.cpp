// The embedded workbook templates (workbook_templates.qrc) live in this static library, where nothing
// refers to them: they are registered when the program starts, before any template is extracted.
#include <QtGlobal>

static void registerWorkbookTemplates()
{
    Q_INIT_RESOURCE(workbook_templates);
}

namespace lirma::documents {

// Referred to by the fillers, so that this file (and its registration) is part of every program that
// fills workbooks.
bool WorkbookTemplatesRegistered()
{
    static const bool done = (registerWorkbookTemplates(), true);
    return done;
}

namespace {
const bool registeredAtStart = WorkbookTemplatesRegistered();
}

} // namespace lirma::documents
