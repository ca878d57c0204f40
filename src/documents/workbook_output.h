// Where produced workbooks go and what the user is told when a workbook cannot be produced. The texts
// are defined here once.
#pragma once

#include "platform/base/files.h"

#include <QString>

namespace lirma::documents {

// Titles and texts of the messages.
inline constexpr char kTemplateMissingTitle[] = "Model lipsa";
inline constexpr char kListNotSavedTitle[] = "Salvare lista";
inline constexpr char kListNotOpenedTitle[] = "Deschidere lista";
// "\rNu gasesc modelul\r" + path + "!"
QString TemplateMissingText(const QString& path);
// "\rModelul\r" + path + "\rnu poate fi citit!"
QString TemplateUnreadableText(const QString& path);
// "\rNu pot salva lista in\r" + folder + "!\rInchideti listele deschise si reincercati."
QString NoFreeNameText(const QString& folder);
// "\rNu pot salva lista\r" + path + "!"
QString ListNotSavedText(const QString& path);
// "\rLista a fost salvata in\r" + path + "\rdar nu am putut-o deschide."
QString ListNotOpenedText(const QString& path);

// The first free "Rap" + N + workbook extension, N = 0..100, in the program folder: a name is free when
// no file has it, or when the file is not open in the office program and can be deleted (it is deleted).
// "" when none of the 101 is free.
QString NextReportPath(const base::Folders& folders);

// True when the template file exists, after putting it back from the embedded copy when it is missing
// and is one of the catalogue's templates of the data folder.
bool RestoreTemplate(const base::Folders& folders, const QString& path);

// Opens a saved list with the desktop's program; tells the user when that failed.
void OpenList(const QString& path);

} // namespace lirma::documents
