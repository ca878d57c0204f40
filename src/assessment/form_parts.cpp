#include "assessment/form_parts.h"

#include "platform/base/decimal.h"
#include "platform/ui/gradient_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace lirma::assessment {

QWidget* MakeHeadingBand(const QString& text, QWidget* parent, QLabel** label)
{
    auto* band = new ui::GradientPanel(QColor(255, 255, 255), QColor(70, 110, 160), Qt::Horizontal, parent);
    band->setFixedHeight(34);
    auto* l = new QLabel(text, band);
    l->setObjectName("Titlu");
    l->setTextFormat(Qt::PlainText);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    l->setFont(f);
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(10, 0, 10, 0);
    layout->addWidget(l);
    if (label)
        *label = l;
    return band;
}

QLabel* MakeRightLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit* MakeWholeField(QWidget* parent, const char* name, int digits, bool negative)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAlignment(Qt::AlignRight);
    const QString pattern = QStringLiteral("%1[0-9]{0,%2}").arg(negative ? QStringLiteral("-?") : QString()).arg(digits);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
    e->setMaxLength(digits + (negative ? 1 : 0));
    return e;
}

QLineEdit* MakeQuantityField(QWidget* parent, const char* name, int width)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAlignment(Qt::AlignRight);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*(\\.[0-9]{0,4})?")), e));
    e->setMaxLength(width);
    return e;
}

long long WholeOf(const QString& text)
{
    const auto d = base::Decimal::parse(QStringView(text));
    return d ? d->trunc() : 0;
}

} // namespace lirma::assessment
