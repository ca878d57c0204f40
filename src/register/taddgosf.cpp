#include "register/taddgosf.h"

#include "register/field_keys.h"
#include "register/register_texts.h"
#include "register/tcnpedit.h"
#include "platform/ui/upper_case.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextCursor>
#include <QVBoxLayout>

namespace lirma::reg {

namespace {

QComboBox* editableList(QWidget* parent, const char* name, int maxLength)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    ui::MakeUpperCaseField(box->lineEdit(), maxLength);
    return box;
}

QComboBox* fixedList(QWidget* parent, const char* name, const QStringList& entries)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(entries);
    return box;
}

QLineEdit* upperField(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    ui::MakeUpperCaseField(e, maxLength);
    return e;
}

// A memo that keeps at most maxLength characters.
QPlainTextEdit* memo(QWidget* parent, const char* name, int maxLength)
{
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setTabChangesFocus(true);
    QObject::connect(m, &QPlainTextEdit::textChanged, m, [m, maxLength] {
        const QString t = m->toPlainText();
        if (t.size() <= maxLength)
            return;
        m->setPlainText(t.left(maxLength));
        m->moveCursor(QTextCursor::End);
    });
    return m;
}

void setItems(QComboBox* box, const QStringList& items)
{
    const QString keep = box->currentText();
    box->clear();
    box->addItems(items);
    box->setEditText(keep);
}

} // namespace

TAddGosF::TAddGosF(QWidget* parent) : QDialog(parent)
{
    setObjectName("TAddGosF");
    setWindowTitle(text::AddCaption());
    setModal(true);

    satCombo_ = editableList(this, "SatCombo", kVillageWidth);
    rolEd_ = upperField(this, "ROLEd", kRoleWidth);
    capGosp_ = upperField(this, "CapGosp", kNameWidth);
    cnp_ = new TCNPEdit(this);
    cnp_->setObjectName("CNP1");
    strada_ = editableList(this, "Strada", kStreetWidth);
    adresa_ = upperField(this, "Adresa", kAddressWidth);
    nrPers_ = new QLineEdit(this);
    nrPers_->setObjectName("NrPers");
    nrPers_->setMaxLength(kPersonsDigits);
    nrPers_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), nrPers_));
    nrPers_->setAlignment(Qt::AlignRight);
    most_ = memo(this, "Most", kHeirsWidth);
    tipEd_ = fixedList(this, "TipEd", {text::Fizica(), text::Juridica()});
    faraMajLabel_ = new QLabel(text::FaraMajorari(), this);
    faraMaj_ = fixedList(this, "FaraMaj", {text::Nu(), text::Da()});
    indOp_ = editableList(this, "IndOp", kOperatorWidth);
    obs_ = memo(this, "Obs", kRemarksMax);
    static const char* const exemptionNames[5] = {"SCCLAD", "SCCC", "SCTI", "SCAUTO", "SCTE"};
    for (int i = 0; i < 5; ++i)
        exemptions_[i] = fixedList(this, exemptionNames[i], text::ExemptionEntries());
    renunt_ = new QPushButton(text::Renunt(), this);
    renunt_->setObjectName("Renunt");
    renunt_->setAutoDefault(false);
    memoreaza_ = new QPushButton(text::Memoreaza(), this);
    memoreaza_->setObjectName("Memoreaza");
    memoreaza_->setAutoDefault(false);
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
    connect(memoreaza_, &QPushButton::clicked, this, &TAddGosF::MemoreazaClick);

    const int fieldWidth = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20;
    for (QWidget* w : std::initializer_list<QWidget*>{satCombo_, capGosp_, strada_, adresa_})
        w->setMinimumWidth(fieldWidth);
    const int shortWidth = fontMetrics().horizontalAdvance(QStringLiteral("JURIDICA")) + 48;
    for (QWidget* w : std::initializer_list<QWidget*>{rolEd_, tipEd_, faraMaj_, indOp_})
        w->setFixedWidth(shortWidth);
    cnp_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")) + 16);
    nrPers_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);

    auto* left = new QFormLayout;
    left->setLabelAlignment(Qt::AlignRight);
    left->addRow(text::Localitatea(), satCombo_);
    left->addRow(text::NrRolUnic(), rolEd_);
    left->addRow(text::CapDeGospodarie(), capGosp_);
    left->addRow(text::CnpCui(), cnp_);
    left->addRow(text::Strada(), strada_);
    left->addRow(text::Adresa(), adresa_);
    left->addRow(text::NumarDePersoane(), nrPers_);
    left->addRow(text::TipPersoana(), tipEd_);
    left->addRow(faraMajLabel_, faraMaj_);
    left->addRow(text::IndicativOperator(), indOp_);

    auto* scutiri = new QGroupBox(text::ScutiriPercent(), this);
    auto* scGrid = new QFormLayout(scutiri);
    scGrid->setLabelAlignment(Qt::AlignRight);
    const QStringList labels = text::ExemptionLabels();
    for (int i = 0; i < 5; ++i) {
        exemptions_[i]->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("100")) + 48);
        scGrid->addRow(labels[i], exemptions_[i]);
    }

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(text::MostenitoriLabel(), this));
    most_->setFixedHeight(fontMetrics().height() * 3 + 12);
    right->addWidget(most_);
    right->addWidget(new QLabel(text::ObservatiiLabel(), this));
    obs_->setFixedHeight(fontMetrics().height() * 4 + 12);
    right->addWidget(obs_);
    right->addWidget(scutiri);
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addSpacing(12);
    columns->addLayout(right, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    renunt_->setMinimumWidth(100);
    memoreaza_->setMinimumWidth(100);
    buttons->addWidget(renunt_);
    buttons->addWidget(memoreaza_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    // Tab and Enter follow the order of the fields.
    const QList<QWidget*> order = {satCombo_, rolEd_,      capGosp_,       cnp_,           strada_,
                                   adresa_,   nrPers_,     most_,          tipEd_,         faraMaj_,
                                   indOp_,    obs_,        exemptions_[0], exemptions_[1], exemptions_[2],
                                   exemptions_[3], exemptions_[4], renunt_, memoreaza_};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    enter_ = new EnterMovesOn(this);
    for (int i = 0; i < order.size() - 2; ++i)
        enter_->watch(order[i]);
    enter_->setLast(exemptions_[4], memoreaza_);

    runDialog_ = [](QDialog& d) { return d.exec(); };
}

void TAddGosF::fillLists(const Lists& lists)
{
    setItems(satCombo_, lists.villages);
    setItems(strada_, lists.streets);
    setItems(indOp_, lists.operators);
    faraMajLabel_->setVisible(lists.showNoPenalty);
    faraMaj_->setVisible(lists.showNoPenalty);
    // Entries added for a stored value that was not among them go again.
    auto resetFixed = [](QComboBox* box, const QStringList& entries) {
        box->clear();
        box->addItems(entries);
    };
    resetFixed(tipEd_, {text::Fizica(), text::Juridica()});
    resetFixed(faraMaj_, {text::Nu(), text::Da()});
    for (QComboBox* box : exemptions_)
        resetFixed(box, text::ExemptionEntries());
}

void TAddGosF::ResetForAdd(const Lists& lists, const QString& village, const QString& suggestedRole)
{
    fillLists(lists);
    satCombo_->setEditText(village);
    rolEd_->setText(suggestedRole);
    capGosp_->clear();
    cnp_->clear();
    strada_->setEditText(QString());
    adresa_->clear();
    nrPers_->setText(QStringLiteral("1"));
    most_->clear();
    tipEd_->setCurrentIndex(0);
    faraMaj_->setCurrentIndex(0);
    indOp_->setEditText(QString());
    obs_->clear();
    for (QComboBox* box : exemptions_)
        box->setCurrentIndex(0);
    accepted_ = {};
}

void TAddGosF::FillForEdit(const Lists& lists, const Taxpayer& t)
{
    fillLists(lists);
    satCombo_->setEditText(t.satul);
    rolEd_->setText(t.rol);
    capGosp_->setText(t.numep);
    cnp_->setText(t.cnp);
    strada_->setEditText(t.strada);
    adresa_->setText(t.adresa);
    nrPers_->setText(QString::number(t.nrpers));
    most_->setPlainText(t.most.trimmed());
    SelectOrAdd(tipEd_, t.tip);
    SelectOrAdd(faraMaj_, t.notax.isEmpty() ? text::Nu() : t.notax);
    indOp_->setEditText(t.indop);
    obs_->setPlainText(t.remarks());
    const int64_t values[5] = {t.scclad, t.sccc, t.scti, t.scauto, t.scte};
    for (int i = 0; i < 5; ++i)
        SelectOrAdd(exemptions_[i], QString::number(values[i]));
    accepted_ = {};
}

TaxpayerInput TAddGosF::input() const
{
    TaxpayerInput in;
    in.village = satCombo_->currentText();
    in.role = rolEd_->text();
    in.name = capGosp_->text();
    in.code = cnp_->text();
    in.street = strada_->currentText();
    in.address = adresa_->text();
    in.persons = nrPers_->text();
    in.heirs = most_->toPlainText();
    in.type = tipEd_->currentText();
    in.noPenalty = faraMaj_->currentText();
    in.indop = indOp_->currentText();
    in.remarks = obs_->toPlainText();
    in.scclad = exemptions_[0]->currentText();
    in.sccc = exemptions_[1]->currentText();
    in.scti = exemptions_[2]->currentText();
    in.scauto = exemptions_[3]->currentText();
    in.scte = exemptions_[4]->currentText();
    return in;
}

QWidget* TAddGosF::fieldWidget(InputField field) const
{
    switch (field) {
    case InputField::Village: return satCombo_;
    case InputField::Role: return rolEd_;
    case InputField::Code: return cnp_;
    case InputField::Name: return capGosp_;
    }
    return nullptr;
}

void TAddGosF::MemoreazaClick()
{
    TaxpayerInput in = input();
    InputField focus = InputField::Village;
    const bool ok = !check_ || check_(in, [this](InputField f) { return fieldWidget(f); }, &focus);
    // The cleaned values are shown as they will be stored.
    satCombo_->setEditText(in.village);
    rolEd_->setText(in.role);
    capGosp_->setText(in.name);
    strada_->setEditText(in.street);
    adresa_->setText(in.address);
    nrPers_->setText(in.persons);
    indOp_->setEditText(in.indop);
    if (!ok) {
        if (QWidget* w = fieldWidget(focus))
            w->setFocus(Qt::OtherFocusReason);
        return;
    }
    accepted_ = in;
    accept();
}

bool TAddGosF::ShowDialog(const QString& caption, Check check)
{
    setWindowTitle(caption);
    check_ = std::move(check);
    satCombo_->setFocus(Qt::OtherFocusReason);
    setResult(QDialog::Rejected);
    const int result = runDialog_(*this);
    check_ = nullptr;
    return result == QDialog::Accepted;
}

} // namespace lirma::reg
