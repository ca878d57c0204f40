#include "register/tcladaddf.h"

#include "assessment/building_texts.h"
#include "core/admin_fields.h"
#include "platform/ui/gradient_panel.h"
#include "platform/ui/interaction.h"
#include "register/buildings_texts.h"
#include "register/date_field.h"
#include "register/field_keys.h"
#include "register/register_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace lirma::reg {

namespace {

QComboBox* fixedList(QWidget* parent, const char* name, const QStringList& entries)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(entries);
    return box;
}

// A number as typed: digits and one point; what the column cannot hold is refused on
// "&Memoreaza" with the field's balloon.
QLineEdit* numberField(QWidget* parent, const char* name, int maxLength, bool decimals)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    e->setAlignment(Qt::AlignRight);
    const QString pattern = decimals ? QStringLiteral("[0-9]*\\.?[0-9]*") : QStringLiteral("[0-9]*");
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
    return e;
}

QLineEdit* textField(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

QLabel* plain(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QStringList noYes() { return {text::Nu(), text::Da()}; }

} // namespace

TCladAddF::TCladAddF(QWidget* parent) : QDialog(parent)
{
    setObjectName("TCladAddF");
    setWindowTitle(text::CladAddCaption());
    setModal(true);

    auto* band = new ui::GradientPanel(QColor(70, 110, 160), QColor(255, 255, 255), Qt::Horizontal, this);
    band->setFixedHeight(34);
    heading_ = plain(text::AddHeading(), band);
    heading_->setObjectName("Heading");
    QFont hf = heading_->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.2);
    heading_->setFont(hf);
    heading_->setStyleSheet(QStringLiteral("color: white"));
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(12, 0, 12, 0);
    bandLayout->addWidget(heading_);

    tipC1_ = fixedList(this, "TipC1", text::KindEntries());
    tipC1_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("NEREZIDENTIALA")) + 48);
    mixedPanel_ = new QWidget(this);
    mixedPanel_->setObjectName("MixtaPanel");
    tipC2_ = fixedList(mixedPanel_, "TipC2", text::MixedUseEntries());
    idManual_ = fixedList(mixedPanel_, "IDManual", {});
    idManual_->setMinimumWidth(fontMetrics().horizontalAdvance(text::NotInList()) + 40);
    auto* mixedLayout = new QHBoxLayout(mixedPanel_);
    mixedLayout->setContentsMargins(0, 0, 0, 0);
    mixedLayout->addWidget(plain(text::MixedUse(), mixedPanel_));
    mixedLayout->addWidget(tipC2_);
    mixedLayout->addSpacing(8);
    mixedLayout->addWidget(plain(text::BelongsTo(), mixedPanel_));
    mixedLayout->addWidget(idManual_);
    adresa_ = textField(this, "Adresa", kBuildingAddressWidth);

    auto* top = new QFormLayout;
    top->setLabelAlignment(Qt::AlignRight);
    top->setHorizontalSpacing(8);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(tipC1_);
    kindRow->addSpacing(12);
    kindRow->addWidget(mixedPanel_);
    kindRow->addStretch(1);
    top->addRow(text::Clasificarea(), kindRow);
    top->addRow(text::AdresaCladire(), adresa_);

    // The page: the fields of the person type and use chosen.
    auto* pageFrame = new QFrame(this);
    pageFrame->setObjectName("PageFrame");
    pageFrame->setFrameShape(QFrame::StyledPanel);
    suprafata_ = numberField(pageFrame, "Suprafata", 14, true);
    anul_ = numberField(pageFrame, "Anul", 4, false);
    material_ = fixedList(pageFrame, "Material", assessment::MaterialEntries());
    destinatie_ = fixedList(pageFrame, "Destinatie", assessment::DestinationEntries());
    cuUtil_ = fixedList(pageFrame, "CuUtil", noYes());
    zonaRang_ = new QWidget(pageFrame);
    zona_ = fixedList(zonaRang_, "Zona", core::ZoneLetters());
    rang_ = fixedList(zonaRang_, "Rang", core::RankNumerals());
    auto* zr = new QHBoxLayout(zonaRang_);
    zr->setContentsMargins(0, 0, 0, 0);
    zr->addWidget(plain(text::Zona(), zonaRang_));
    zr->addWidget(zona_);
    zr->addSpacing(16);
    zr->addWidget(plain(text::Rangul(), zonaRang_));
    zr->addWidget(rang_);
    zr->addStretch(1);
    bloc_ = new QCheckBox(text::InBloc(), pageFrame);
    bloc_->setObjectName("Bloc");
    dataEval_ = MakeDateField(pageFrame, "DataEval");
    valoare_ = numberField(pageFrame, "Valoare", 14, true);
    actAgr_ = fixedList(pageFrame, "ActAgr", noYes());
    nuEvaluata_ = new QCheckBox(text::NuEsteEvaluata(), pageFrame);
    nuEvaluata_->setObjectName("NuEvaluata");
    const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000000.00")) + 16;
    for (QWidget* w : std::initializer_list<QWidget*>{suprafata_, valoare_, dataEval_})
        w->setFixedWidth(numberWidth);
    anul_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    for (QComboBox* b : {cuUtil_, actAgr_})
        b->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("NU")) + 48);
    valuedRow_ = new QWidget(pageFrame);
    auto* valuedRow = new QHBoxLayout(valuedRow_);
    valuedRow->setContentsMargins(0, 0, 0, 0);
    valuedRow->addWidget(dataEval_);
    valuedRow->addSpacing(16);
    valuedRow->addWidget(nuEvaluata_);
    valuedRow->addStretch(1);

    page_ = new QFormLayout(pageFrame);
    page_->setLabelAlignment(Qt::AlignRight);
    page_->setHorizontalSpacing(8);
    page_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    page_->addRow(text::SuprafataDesfasurata(), suprafata_);
    page_->addRow(text::AnulFinalizarii(), anul_);
    page_->addRow(text::Materialul(), material_);
    page_->addRow(text::CuInstalatii(), cuUtil_);
    page_->addRow(text::SituataIn(), zonaRang_);
    page_->addRow(QString(), bloc_);
    page_->addRow(text::DataEvaluarii(), valuedRow_);
    page_->addRow(text::ValoareaEvaluata(), valoare_);
    page_->addRow(text::ActivitateAgricola(), actAgr_);
    page_->addRow(text::Destinatia(), destinatie_);

    // Bottom panel: entry and exit.
    auto* bottom = new QFrame(this);
    bottom->setObjectName("BottomPanel");
    bottom->setFrameShape(QFrame::StyledPanel);
    dataDob_ = MakeDateField(bottom, "DataDob");
    dataIn_ = MakeDateField(bottom, "DataIn");
    obsIn_ = textField(bottom, "ObsIn", kBuildingRemarkWidth);
    vanduta_ = new QCheckBox(text::InstrainataLa(), bottom);
    vanduta_->setObjectName("Vanduta");
    dataVanz_ = MakeDateField(bottom, "DataVanz");
    dataOutLabel_ = plain(text::IesitaDinEvidenta(), bottom);
    dataOut_ = MakeDateField(bottom, "DataOut");
    obsOutLabel_ = plain(text::DocumentObs(), bottom);
    obsOut_ = textField(bottom, "ObsOut", kBuildingRemarkWidth);
    for (QDateEdit* d : {dataDob_, dataIn_, dataVanz_, dataOut_})
        d->setFixedWidth(numberWidth);
    auto* grid = new QGridLayout(bottom);
    grid->setColumnStretch(4, 1);
    grid->addWidget(plain(text::DobanditaLa(), bottom), 0, 0, Qt::AlignRight);
    grid->addWidget(dataDob_, 0, 1);
    grid->addWidget(plain(text::LuataInEvidenta(), bottom), 0, 2, Qt::AlignRight);
    grid->addWidget(dataIn_, 0, 3, Qt::AlignLeft);
    grid->addWidget(plain(text::DocumentObs(), bottom), 1, 0, Qt::AlignRight);
    grid->addWidget(obsIn_, 1, 1, 1, 4);
    grid->addWidget(vanduta_, 2, 0, Qt::AlignRight);
    grid->addWidget(dataVanz_, 2, 1);
    grid->addWidget(dataOutLabel_, 2, 2, Qt::AlignRight);
    grid->addWidget(dataOut_, 2, 3, Qt::AlignLeft);
    grid->addWidget(obsOutLabel_, 3, 0, Qt::AlignRight);
    grid->addWidget(obsOut_, 3, 1, 1, 4);

    renunt_ = new QPushButton(text::Renunt(), this);
    renunt_->setObjectName("Renunt");
    memoreaza_ = new QPushButton(text::Memoreaza(), this);
    memoreaza_->setObjectName("Memoreaza");
    for (QPushButton* b : {renunt_, memoreaza_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
    connect(memoreaza_, &QPushButton::clicked, this, &TCladAddF::MemoreazaClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(renunt_);
    buttons->addWidget(memoreaza_);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addLayout(top);
    body->addWidget(pageFrame);
    body->addWidget(bottom);
    body->addStretch(1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addLayout(body, 1);

    enter_ = new EnterMovesOn(this);
    for (QWidget* w : std::initializer_list<QWidget*>{tipC1_, tipC2_, idManual_, adresa_, suprafata_, anul_, material_,
                                                      cuUtil_, zona_, rang_, bloc_, dataEval_, nuEvaluata_, valoare_,
                                                      actAgr_, destinatie_, dataDob_, dataIn_, obsIn_, vanduta_,
                                                      dataVanz_, dataOut_, obsOut_})
        enter_->watch(w);

    connect(tipC1_, &QComboBox::currentIndexChanged, this, [this] { updatePage(); });
    connect(tipC2_, &QComboBox::currentIndexChanged, this, [this] { updatePage(); });
    connect(vanduta_, &QCheckBox::toggled, this, [this] { updateSale(); });
    connect(nuEvaluata_, &QCheckBox::toggled, this, [this] { updateValued(); });

    runDialog_ = [](QDialog& d) { return d.exec(); };
    updatePage();
    updateSale();
}

BuildingForm TCladAddF::form() const { return FormOf(person_, input()); }

void TCladAddF::updatePage()
{
    mixedPanel_->setVisible(tipC1_->currentIndex() == int(BuildingKind::Mixed));
    const BuildingForm f = form();
    const bool pf = f == BuildingForm::PFR || f == BuildingForm::PFN;
    for (QWidget* w : std::initializer_list<QWidget*>{suprafata_, anul_, material_, cuUtil_, zonaRang_, bloc_})
        page_->setRowVisible(w, pf);
    page_->setRowVisible(valuedRow_, f != BuildingForm::PFR);
    page_->setRowVisible(valoare_, f != BuildingForm::PFR);
    page_->setRowVisible(actAgr_, f == BuildingForm::PFN || f == BuildingForm::PJN);
    nuEvaluata_->setVisible(f == BuildingForm::PFN);
    updateValued();
}

void TCladAddF::updateValued()
{
    const bool valued = form() != BuildingForm::PFN || !nuEvaluata_->isChecked();
    dataEval_->setEnabled(valued);
    valoare_->setEnabled(valued);
}

void TCladAddF::updateSale()
{
    const bool sold = vanduta_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{dataVanz_, dataOutLabel_, dataOut_, obsOutLabel_, obsOut_})
        w->setVisible(sold);
    // Enter in the last field shown presses "&Memoreaza".
    enter_->setLast(sold ? obsOut_ : obsIn_, memoreaza_);
}

void TCladAddF::SetInput(const BuildingInput& in, PersonType person, const std::vector<int64_t>& mixedIds)
{
    person_ = person;
    idManual_->clear();
    idManual_->addItem(text::NotInList(), QVariant::fromValue<qlonglong>(0));
    for (int64_t id : mixedIds)
        idManual_->addItem(QString::number(id), QVariant::fromValue<qlonglong>(id));
    int at = in.mixedId > 0 ? idManual_->findData(QVariant::fromValue<qlonglong>(in.mixedId)) : 0;
    if (at < 0) {
        idManual_->addItem(QString::number(in.mixedId), QVariant::fromValue<qlonglong>(in.mixedId));
        at = idManual_->count() - 1;
    }
    idManual_->setCurrentIndex(at);
    tipC1_->setCurrentIndex(int(in.kind));
    tipC2_->setCurrentIndex(in.mixedResidential ? 0 : 1);
    adresa_->setText(in.address);
    suprafata_->setText(in.area);
    anul_->setText(in.year);
    material_->setCurrentIndex(in.material);
    destinatie_->setCurrentIndex(in.destination);
    cuUtil_->setCurrentIndex(in.utilities ? 1 : 0);
    zona_->setCurrentIndex(std::max(0, int(core::ZoneLetters().indexOf(in.zone))));
    rang_->setCurrentIndex(in.rank);
    bloc_->setChecked(in.inBlock);
    dataEval_->setDate(in.valuationDate);
    valoare_->setText(in.value);
    actAgr_->setCurrentIndex(in.agricultural ? 1 : 0);
    nuEvaluata_->setChecked(in.notValued);
    dataDob_->setDate(in.acquired);
    dataIn_->setDate(in.entered);
    obsIn_->setText(in.entryRemark);
    vanduta_->setChecked(in.sold);
    dataVanz_->setDate(in.saleDate);
    dataOut_->setDate(in.exitDate);
    obsOut_->setText(in.exitRemark);
    updatePage();
    updateSale();
}

BuildingInput TCladAddF::input() const
{
    BuildingInput in;
    in.kind = BuildingKind(std::max(0, tipC1_->currentIndex()));
    in.mixedResidential = tipC2_->currentIndex() != 1;
    in.mixedId = idManual_->currentIndex() > 0 ? idManual_->currentData().toLongLong() : 0;
    in.address = adresa_->text();
    in.area = suprafata_->text();
    in.year = anul_->text();
    in.material = std::max(0, material_->currentIndex());
    in.destination = std::max(0, destinatie_->currentIndex());
    in.utilities = cuUtil_->currentIndex() == 1;
    in.zone = zona_->currentText();
    in.rank = std::max(0, rang_->currentIndex());
    in.inBlock = bloc_->isChecked();
    in.valuationDate = dataEval_->date();
    in.value = valoare_->text();
    in.agricultural = actAgr_->currentIndex() == 1;
    in.notValued = nuEvaluata_->isChecked();
    in.acquired = dataDob_->date();
    in.entered = dataIn_->date();
    in.entryRemark = obsIn_->text();
    in.sold = vanduta_->isChecked();
    in.saleDate = dataVanz_->date();
    in.exitDate = dataOut_->date();
    in.exitRemark = obsOut_->text();
    return in;
}

QWidget* TCladAddF::fieldWidget(BuildingField field) const
{
    switch (field) {
    case BuildingField::Area: return suprafata_;
    case BuildingField::Year: return anul_;
    case BuildingField::ValuationDate: return dataEval_;
    case BuildingField::Value: return valoare_;
    case BuildingField::Entered: return dataIn_;
    case BuildingField::Acquired: return dataDob_;
    case BuildingField::SaleDate: return dataVanz_;
    case BuildingField::ExitDate: return dataOut_;
    }
    return nullptr;
}

void TCladAddF::MemoreazaClick()
{
    BuildingInput in = input();
    const std::optional<BuildingProblem> problem = check_ ? check_(in) : std::nullopt;
    // The cleaned texts are shown as they will be stored.
    adresa_->setText(in.address);
    obsIn_->setText(in.entryRemark);
    if (problem) {
        QWidget* w = fieldWidget(problem->field);
        ui::ShowProblem(problem->message, w);
        if (w)
            w->setFocus(Qt::OtherFocusReason);
        return;
    }
    obsOut_->setText(in.exitRemark);
    accepted_ = in;
    accept();
}

bool TCladAddF::ShowDialog(const QString& heading, Check check)
{
    heading_->setText(heading);
    check_ = std::move(check);
    // The page shown decides the size: a smaller page leaves no empty space behind. A hidden
    // dialog does not lay its frames out again by itself, so the rows just hidden or shown are
    // counted only after their frames (inner ones first) have done so.
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (auto it = children.crbegin(); it != children.crend(); ++it)
        if (QLayout* l = (*it)->layout())
            l->activate();
    layout()->activate();
    resize(minimumSizeHint());
    tipC1_->setFocus(Qt::OtherFocusReason);
    setResult(QDialog::Rejected);
    const int result = runDialog_(*this);
    check_ = nullptr;
    return result == QDialog::Accepted;
}

} // namespace lirma::reg
