// Input fields whose text is kept upper case as the user types (names, passwords, codes).
#pragma once

#include <QValidator>

class QLineEdit;

namespace lirma::ui {

// Turns whatever is typed or pasted into upper case; accepts every text.
class UpperCaseValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Makes the field upper case, at most maxLength characters, masked with "*" when asked.
void MakeUpperCaseField(QLineEdit* field, int maxLength, bool masked = false);

}  // namespace lirma::ui
