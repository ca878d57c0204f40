// Parts shared by the administrator window and its dialogs: the title line (white bold text on a
// blue band) and Enter moving from field to field.
#pragma once

#include <vector>

class QLabel;
class QPushButton;
class QString;
class QWidget;

namespace lirma::app {

// A band holding one label; `label` receives it so its text can change.
QWidget* MakeTitleBand(const QString& text, QWidget* parent, QLabel** label = nullptr, int pointSize = 12);

// Enter (or the keypad's Enter) in a field moves the focus to the next field of the list; in the
// last one it clicks `confirm` (when given). Line edits, lists and check boxes.
void EnterMovesOn(const std::vector<QWidget*>& fields, QPushButton* confirm);

} // namespace lirma::app
