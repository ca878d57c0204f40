#include "assessment/tftaxe.h"

#include "assessment/form_parts.h"
#include "assessment/levy_texts.h"
#include "core/admin_texts.h"
#include "platform/ui/enter_moves.h"
#include "platform/ui/interaction.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lirma::assessment {

namespace {

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setMinimumWidth(100);
    return b;
}

} // namespace

TFTaxe::TFTaxe(QWidget* parent) : QDialog(parent)
{
    setObjectName("TFTaxe");
    setWindowTitle(yeartext::LevyCaption());
    setModal(true);

    QWidget* band = MakeHeadingBand(yeartext::LevyAddTitle(), this, &title_);
    creanta_ = new QComboBox(this);
    creanta_->setObjectName("CreantaBox");
    creanta_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
    date_ = new QDateEdit(this);
    date_->setObjectName("DINDATA");
    date_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date_->setCalendarPopup(true);
    nr_ = MakeWholeField(this, "Nr", kDocumentNumberDigits);
    nr_->setText(QStringLiteral("0"));
    docjus_ = new QLineEdit(this);
    docjus_->setObjectName("DOCJUS");
    docjus_->setMaxLength(kExplanationWidth);
    docjus_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    suma_ = MakeWholeField(this, "Suma", kLevyAmountDigits, true);
    rest_ = MakeWholeField(this, "Rest", kLevyAmountDigits, true);
    reduc_ = MakeWholeField(this, "Reduc", kLevyAmountDigits, true);
    const int amountWidth = fontMetrics().horizontalAdvance(QStringLiteral("-0000000")) + 16;
    for (QWidget* w : {static_cast<QWidget*>(nr_), static_cast<QWidget*>(suma_), static_cast<QWidget*>(rest_),
                       static_cast<QWidget*>(reduc_)})
        w->setFixedWidth(amountWidth + 30);
    date_->setFixedWidth(amountWidth + 30);

    coduri_ = button(core::admintext::ClassificationCodes(), "Coduri", this);
    coduri_->setMinimumWidth(140);
    renunt_ = button(yeartext::Renunt(), "Renunt", this);
    memoreaza_ = button(yeartext::Memoreaza(), "Memoreaza", this);
    connect(coduri_, &QPushButton::clicked, this, &TFTaxe::CoduriClick);
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
    connect(memoreaza_, &QPushButton::clicked, this, &TFTaxe::MemoreazaClick);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(yeartext::DenumireaCreantei(), creanta_);
    form->addRow(yeartext::DinDataDe(), date_);
    form->addRow(yeartext::Numarul(), nr_);
    form->addRow(MakeRightLabel(yeartext::DocJustificativ() + QLatin1Char('\n') + yeartext::Explicatii(), this),
                 docjus_);
    form->addRow(yeartext::SumaCurenta(), suma_);
    form->addRow(yeartext::Restanta(), rest_);
    form->addRow(yeartext::Reducere(), reduc_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(coduri_);
    buttons->addStretch(1);
    buttons->addWidget(renunt_);
    buttons->addWidget(memoreaza_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(band);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 6, 12, 0);
    body->addLayout(form);
    body->addSpacing(8);
    body->addLayout(buttons);
    layout->addLayout(body);

    const std::vector<QWidget*> order = {creanta_, date_, nr_, docjus_, suma_, rest_, reduc_};
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(reduc_, memoreaza_);
    setTabOrder(memoreaza_, renunt_);
    setTabOrder(renunt_, coduri_);
    new ui::EnterMovesOn(order, reduc_, memoreaza_, this);

    runDialog_ = [](QDialog& d) { return d.exec(); };
}

TFTaxe& TFTaxe::Shared()
{
    // Lives for the whole run; never destroyed at exit, when the widgets' application may be gone.
    static TFTaxe* dialog = new TFTaxe();
    return *dialog;
}

void TFTaxe::setSources(std::function<QStringList()> names, std::function<bool()> openCodes)
{
    names_ = std::move(names);
    openCodes_ = std::move(openCodes);
    coduri_->setEnabled(bool(openCodes_));
}

void TFTaxe::fillNames(const QString& keep)
{
    QStringList names = names_ ? names_() : QStringList();
    if (!extraName_.isEmpty() && !names.contains(extraName_))
        names << extraName_;
    creanta_->clear();
    creanta_->addItems(names);
    const int i = keep.isEmpty() ? -1 : creanta_->findText(keep, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    creanta_->setCurrentIndex(i >= 0 ? i : (creanta_->count() > 0 ? 0 : -1));
}

void TFTaxe::Reset()
{
    extraName_.clear();
    fillNames({});
    date_->setDate(QDate::currentDate());
    docjus_->clear();
    suma_->setText(QStringLiteral("0"));
    rest_->setText(QStringLiteral("0"));
    reduc_->setText(QStringLiteral("0"));
}

void TFTaxe::Load(const LevyRow& row)
{
    Reset();
    extraName_ = row.group;
    fillNames(row.group);
    date_->setDate(row.date.isValid() ? row.date : QDate::currentDate());
    nr_->setText(QString::number(row.number));
    docjus_->setText(row.explanation);
    suma_->setText(QString::number(row.current));
    rest_->setText(QString::number(row.arrears));
    reduc_->setText(QString::number(row.reduction));
}

bool TFTaxe::ShowDialog(const QString& title)
{
    title_->setText(title);
    creanta_->setFocus();
    return runDialog_(*this) == QDialog::Accepted;
}

LevyInput TFTaxe::input() const
{
    LevyInput in;
    in.date = date_->date();
    in.name = creanta_->currentText();
    in.explanation = docjus_->text();
    in.number = WholeOf(nr_->text());
    in.current = WholeOf(suma_->text());
    in.arrears = WholeOf(rest_->text());
    in.reduction = WholeOf(reduc_->text());
    return in;
}

void TFTaxe::MemoreazaClick()
{
    LevyInput in = input();
    switch (CheckLevy(in)) {
    case LevyProblem::NoName:
        creanta_->setFocus();
        ui::ShowProblem(yeartext::NoClaimName(), creanta_);
        return;
    case LevyProblem::BothAmounts:
        reduc_->setFocus();
        ui::ShowProblem(yeartext::CurrentAndArrears(), reduc_);
        return;
    case LevyProblem::NoAmount:
        nr_->setText(QString::number(in.number));
        docjus_->setText(in.explanation);
        ui::ShowMessage(yeartext::AddClaimTitle(), yeartext::NoAmount(), ui::BtnOk, ui::KindEroare);
        return;
    case LevyProblem::None:
        break;
    }
    nr_->setText(QString::number(in.number));
    docjus_->setText(in.explanation);
    accepted_ = in;
    accept();
}

void TFTaxe::CoduriClick()
{
    if (!openCodes_)
        return;
    openCodes_();
    fillNames(creanta_->currentText());
}

int64_t AddLevyWithDialog(Levies& levies, const LevyOwner& owner, Levies::Percent percent,
                          std::function<bool()> openCodes)
{
    TFTaxe& dialog = TFTaxe::Shared();
    dialog.setSources([&levies] { return levies.Names(); }, std::move(openCodes));
    dialog.Reset();
    if (!dialog.ShowDialog(yeartext::LevyAddTitle()))
        return -1;
    return levies.Add(owner, dialog.accepted(), percent);
}

} // namespace lirma::assessment
