// A date entry as every dialog of the buildings shows it: "dd.MM.yyyy" whatever the locale,
// with a calendar to pick from, no earlier than 01.01.1900.
#pragma once

class QDateEdit;
class QWidget;

namespace lirma::reg {

QDateEdit* MakeDateField(QWidget* parent, const char* name);

} // namespace lirma::reg
