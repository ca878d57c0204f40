// Small pieces shared by the windows of this folder: the heading band of a dialog or page, and
// the input fields of whole numbers and quantities.
#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace lirma::assessment {

// A band with one bold line of text (white to blue, as the register's pages); `label` receives
// the line so its text can change.
QWidget* MakeHeadingBand(const QString& text, QWidget* parent, QLabel** label = nullptr);

// A label of one or more lines, each line aligned to the right (beside its field).
QLabel* MakeRightLabel(const QString& text, QWidget* parent);

// A right-aligned field of at most `digits` digits, with a leading minus when `negative`.
QLineEdit* MakeWholeField(QWidget* parent, const char* name, int digits, bool negative = false);
// A label of one or more lines, each line aligned to the right (beside its field).
QLabel* MakeRightLabel(const QString& text, QWidget* parent);

// A right-aligned field of a quantity with up to four decimals ("."), at most `width` characters.
QLineEdit* MakeQuantityField(QWidget* parent, const char* name, int width);

// The whole number of a field (the fraction dropped); 0 for an empty or unreadable text.
long long WholeOf(const QString& text);

} // namespace lirma::assessment
