#include "app/tfadduser.h"

#include "app/dialog_parts.h"
#include "core/admin_texts.h"
#include "platform/ui/interaction.h"
#include "platform/ui/upper_case.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace lirma::app {

namespace t = core::admintext;
using core::UsersAdmin;

TFAddUser::TFAddUser(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName("TFAddUser");
    setWindowTitle(t::UserDialogCaption());
    setModal(true);

    QWidget* band = MakeTitleBand(t::AddUserTitle(), this, &title_);

    name_ = new QLineEdit(this);
    name_->setObjectName("Nume");
    ui::MakeUpperCaseField(name_, UsersAdmin::kNameMax);
    name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 18);
    rank_ = new QComboBox(this);
    rank_->setObjectName("Gradul");
    rank_->addItems(core::AssignableRanks());
    legit_ = new QLineEdit(this);
    legit_->setObjectName("Legit");
    ui::MakeUpperCaseField(legit_, UsersAdmin::kNameMax);

    receipts_ = new QGroupBox(t::ReceiptsGroup(), this);
    series_ = new QLineEdit(receipts_);
    series_->setObjectName("Seria");
    ui::MakeUpperCaseField(series_, UsersAdmin::kSeriesMax);
    number_ = new QLineEdit(receipts_);
    number_->setObjectName("Nr");
    number_->setMaxLength(UsersAdmin::kNumberDigits);
    number_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(UsersAdmin::kNumberDigits)), number_));
    auto* receiptsForm = new QFormLayout(receipts_);
    receiptsForm->addRow(t::SeriesLabel(), series_);
    receiptsForm->addRow(t::FromNumberLabel(), number_);

    clear_ = new QCheckBox(t::ClearPassword(), this);
    clear_->setObjectName("StergeParola");

    auto* form = new QFormLayout;
    form->addRow(t::UserNameLabel(), name_);
    form->addRow(t::UserRankLabel(), rank_);
    form->addRow(t::UserLegitLabel(), legit_);

    memoreaza_ = new QPushButton(t::Memoreaza(), this);
    memoreaza_->setObjectName("Memoreaza");
    renunt_ = new QPushButton(t::Cancel(), this);
    renunt_->setObjectName("Renunt");
    for (QPushButton* b : {memoreaza_, renunt_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear_);
    buttons->addStretch(1);
    buttons->addWidget(memoreaza_);
    buttons->addWidget(renunt_);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 10);
    root->addWidget(band);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 6, 12, 0);
    body->addLayout(form);
    body->addWidget(receipts_);
    body->addSpacing(4);
    body->addLayout(buttons);
    root->addLayout(body);

    EnterMovesOn({name_, rank_, legit_, series_, number_}, memoreaza_);
    connect(memoreaza_, &QPushButton::clicked, this, &TFAddUser::MemoreazaClick);
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFAddUser::prepareAdd()
{
    adding_ = true;
    title_->setText(t::AddUserTitle());
    name_->clear();
    name_->setReadOnly(false);
    rank_->clear();
    rank_->addItems(core::AssignableRanks());
    rank_->setCurrentIndex(0); // "OPERATOR DE ROL"
    legit_->clear();
    series_->clear();
    number_->setText(QStringLiteral("0"));
    clear_->setChecked(false);
    clear_->setVisible(false);
    setResult(QDialog::Rejected);
    name_->setFocus();
}

void TFAddUser::prepareModify(const core::UserRow& row)
{
    adding_ = false;
    title_->setText(t::ModifyUserTitle());
    name_->setText(row.name);
    name_->setReadOnly(true);
    rank_->clear();
    rank_->addItems(core::AssignableRanks());
    int rank = rank_->findText(row.rank);
    if (rank < 0) {
        rank_->addItem(row.rank);
        rank = rank_->count() - 1;
    }
    rank_->setCurrentIndex(rank);
    legit_->setText(row.legit);
    series_->setText(row.series);
    number_->setText(row.number);
    clear_->setChecked(false);
    clear_->setVisible(true);
    setResult(QDialog::Rejected);
    rank_->setFocus();
}

core::UserInput TFAddUser::input() const
{
    core::UserInput in;
    in.name = name_->text();
    in.rank = rank_->currentText();
    in.legit = legit_->text();
    in.series = series_->text();
    in.number = number_->text();
    in.clearPassword = !adding_ && clear_->isChecked();
    return in;
}

void TFAddUser::MemoreazaClick()
{
    core::UserInput in = input();
    const QString problem = check_ ? check_(in, adding_) : QString();
    name_->setText(in.name);
    legit_->setText(in.legit);
    series_->setText(in.series);
    if (!problem.isEmpty()) {
        ui::ShowProblem(problem, name_);
        name_->setFocus();
        return;
    }
    accept();
}

} // namespace lirma::app
