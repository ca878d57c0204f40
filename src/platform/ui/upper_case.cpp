#include "platform/ui/upper_case.h"

#include <QLineEdit>

namespace lirma::ui {

QValidator::State UpperCaseValidator::validate(QString& input, int&) const {
    input = input.toUpper();
    return Acceptable;
}

void MakeUpperCaseField(QLineEdit* field, int maxLength, bool masked) {
    field->setMaxLength(maxLength);
    field->setValidator(new UpperCaseValidator(field));
    if (masked) {
        field->setEchoMode(QLineEdit::Password);
        field->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
    }
}

}  // namespace lirma::ui
