#include "register/date_field.h"

#include <QDate>
#include <QDateEdit>

namespace lirma::reg {

QDateEdit* MakeDateField(QWidget* parent, const char* name)
{
    auto* e = new QDateEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    e->setCalendarPopup(true);
    e->setMinimumDate(QDate(1900, 1, 1));
    e->setMaximumDate(QDate(9999, 12, 31));
    e->setButtonSymbols(QAbstractSpinBox::NoButtons);
    e->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return e;
}

} // namespace lirma::reg
