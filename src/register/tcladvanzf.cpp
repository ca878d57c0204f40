#include "register/tcladvanzf.h"

#include "platform/base/text.h"
#include "platform/ui/gradient_panel.h"
#include "platform/ui/interaction.h"
#include "register/buildings.h"
#include "register/buildings_texts.h"
#include "register/date_field.h"
#include "register/field_keys.h"
#include "register/register_texts.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lirma::reg {

TCladVanzF::TCladVanzF(QWidget* parent) : QDialog(parent)
{
    setObjectName("TCladVanzF");
    setWindowTitle(text::SaleCaption());
    setModal(true);

    auto* band = new ui::GradientPanel(QColor(70, 110, 160), QColor(255, 255, 255), Qt::Horizontal, this);
    band->setFixedHeight(34);
    auto* heading = new QLabel(text::SaleHeading(), band);
    heading->setObjectName("Heading");
    QFont hf = heading->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.2);
    heading->setFont(hf);
    heading->setStyleSheet(QStringLiteral("color: white"));
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(12, 0, 12, 0);
    bandLayout->addWidget(heading);

    dataVanz_ = MakeDateField(this, "DataVanz");
    dataVanz_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 40);
    obs_ = new QLineEdit(this);
    obs_->setObjectName("Obs");
    obs_->setMaxLength(kBuildingRemarkWidth);
    obs_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 28);
    renunt_ = new QPushButton(text::Renunt(), this);
    renunt_->setObjectName("Renunt");
    amAles_ = new QPushButton(text::AmAles(), this);
    amAles_->setObjectName("AmAles");
    for (QPushButton* b : {renunt_, amAles_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
    connect(amAles_, &QPushButton::clicked, this, &TCladVanzF::AmAlesClick);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(8);
    form->addRow(text::DataVanzarii(), dataVanz_);
    form->addRow(text::DocumentObservatii(), obs_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(renunt_);
    buttons->addWidget(amAles_);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 10, 12, 10);
    body->addLayout(form);
    body->addSpacing(8);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addLayout(body);

    auto* enter = new EnterMovesOn(this);
    enter->watch(dataVanz_);
    enter->watch(obs_);
    enter->setLast(obs_, amAles_);
    runDialog_ = [](QDialog& d) { return d.exec(); };
}

void TCladVanzF::Reset(const QDate& today)
{
    dataVanz_->setDate(today);
    obs_->clear();
}

void TCladVanzF::AmAlesClick()
{
    const QDate date = dataVanz_->date();
    if (check_) {
        if (const std::optional<QString> problem = check_(date)) {
            ui::ShowProblem(*problem, dataVanz_);
            dataVanz_->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    saleDate_ = date;
    remark_ = base::CleanSpaces(obs_->text());
    obs_->setText(remark_);
    accept();
}

bool TCladVanzF::ShowDialog(Check check)
{
    check_ = std::move(check);
    dataVanz_->setFocus(Qt::OtherFocusReason);
    setResult(QDialog::Rejected);
    const int result = runDialog_(*this);
    check_ = nullptr;
    return result == QDialog::Accepted;
}

} // namespace lirma::reg
