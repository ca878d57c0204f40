#include "assessment/taddimpozit.h"

#include "assessment/form_parts.h"
#include "assessment/levies.h"
#include "assessment/levy_texts.h"
#include "core/admin_texts.h"
#include "platform/ui/enter_moves.h"
#include "platform/ui/interaction.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace lirma::assessment {

namespace {

// Areas fit the ten characters of a quantity of the pairs.
constexpr int kAreaWidth = 10;
constexpr int kCapacityDigits = 5;
constexpr int kCountDigits = 2;
constexpr int kDebitAmountWidth = 6;

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setMinimumWidth(100);
    return b;
}

QComboBox* list(QWidget* parent, const char* name, const QStringList& entries)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(entries);
    return box;
}

void selectText(QComboBox* box, const QString& text)
{
    const int i = box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (i >= 0)
        box->setCurrentIndex(i);
}

void selectIndex(QComboBox* box, int i)
{
    if (i >= 0 && i < box->count())
        box->setCurrentIndex(i);
}

void selectZone(QComboBox* box, const QString& zone)
{
    const int i = box->findText(zone, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    box->setCurrentIndex(i >= 0 ? i : 0);
}

base::Decimal quantityOf(const QLineEdit* e)
{
    return base::Decimal::parse(QStringView(e->text())).value_or(base::Decimal());
}

} // namespace

TAddImpozit::TAddImpozit(QWidget* parent) : QDialog(parent)
{
    setObjectName("TAddImpozit");
    setWindowTitle(yeartext::DebitCaption());
    setModal(true);

    QWidget* band = MakeHeadingBand(yeartext::DebitAddTitle(), this, &title_);
    date_ = new QDateEdit(this);
    date_->setObjectName("DINDATA");
    date_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date_->setCalendarPopup(true);
    impozit_ = list(this, "ImpozitBox", DebitGroups());
    categ_ = list(this, "CategBox", DebitCategories());
    nr_ = MakeWholeField(this, "Nr", kDocumentNumberDigits);
    nr_->setText(QStringLiteral("0"));
    nrKind_ = new QLabel(this);
    nrKind_->setObjectName("NrKind");
    QFont bold = nrKind_->font();
    bold.setBold(true);
    nrKind_->setFont(bold);
    docjus_ = new QLineEdit(this);
    docjus_->setObjectName("DOCJUS");
    docjus_->setMaxLength(kExplanationWidth);
    suma_ = MakeWholeField(this, "SUMA", kDebitAmountWidth, true);
    suma_->setMaxLength(kDebitAmountWidth);

    const int shortWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) + 30;
    for (QWidget* w : std::initializer_list<QWidget*>{date_, nr_, suma_})
        w->setFixedWidth(shortWidth);
    impozit_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Impozit pe mijloace de transport")) + 48);
    categ_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("Cumparare")) + 48);

    // --- detail panels ---
    panels_ = new QStackedWidget(this);
    panels_->setObjectName("Detalii");

    auto* buildings = new QWidget(panels_);
    cladExplic_ = new QLabel(yeartext::BuildingsExplanation(), buildings);
    cladExplic_->setObjectName("CladExplic");
    cladExplic_->setWordWrap(true);
    cladExplic_->setTextFormat(Qt::PlainText);
    cladExplic_->setStyleSheet(QStringLiteral("color: #8b0000"));
    auto* bl = new QVBoxLayout(buildings);
    bl->setContentsMargins(4, 4, 4, 4);
    bl->addWidget(cladExplic_);
    bl->addStretch(1);

    auto* inside = new QWidget(panels_);
    tiCateg_ = list(inside, "TICategBox", InsideLandCategories());
    supraf3_ = MakeQuantityField(inside, "Supraf3", kAreaWidth);
    supraf3Unit_ = new QLabel(yeartext::Mp(), inside);
    supraf3Unit_->setObjectName("Supraf3Unit");
    zona3_ = list(inside, "Zona3", InsideZones());
    auto* il = new QGridLayout(inside);
    il->addWidget(new QLabel(yeartext::Categoria(), inside), 0, 0, Qt::AlignRight);
    il->addWidget(tiCateg_, 0, 1, 1, 2);
    il->addWidget(new QLabel(yeartext::SuprafataDash(), inside), 1, 0, Qt::AlignRight);
    il->addWidget(supraf3_, 1, 1);
    il->addWidget(supraf3Unit_, 1, 2);
    il->addWidget(new QLabel(yeartext::Zona(), inside), 2, 0, Qt::AlignRight);
    il->addWidget(zona3_, 2, 1);
    il->setColumnStretch(3, 1);
    il->setRowStretch(3, 1);

    auto* outside = new QWidget(panels_);
    teCateg_ = list(outside, "TECategBox", OutsideLandCategories());
    supraf4_ = MakeQuantityField(outside, "Supraf4", kAreaWidth);
    zona4_ = list(outside, "Zona4", OutsideZones());
    auto* ol = new QGridLayout(outside);
    ol->addWidget(new QLabel(yeartext::Categoria(), outside), 0, 0, Qt::AlignRight);
    ol->addWidget(teCateg_, 0, 1, 1, 2);
    ol->addWidget(new QLabel(yeartext::SuprafataHa(), outside), 1, 0, Qt::AlignRight);
    ol->addWidget(supraf4_, 1, 1);
    ol->addWidget(new QLabel(yeartext::Zona(), outside), 2, 0, Qt::AlignRight);
    ol->addWidget(zona4_, 2, 1);
    ol->setColumnStretch(3, 1);
    ol->setRowStretch(3, 1);

    auto* vehicles = new QWidget(panels_);
    QStringList vehicleTexts;
    for (const VehicleEntry& e : VehicleEntries())
        vehicleTexts << e.text;
    itmCateg_ = list(vehicles, "ITMCategBox", vehicleTexts);
    itmCateg_->setMaxVisibleItems(20);
    capacLabel_ = new QLabel(yeartext::Capacitatea(), vehicles);
    capac_ = MakeWholeField(vehicles, "Capac", kCapacityDigits);
    capacUnit_ = new QLabel(yeartext::Cmc(), vehicles);
    capacUnit_->setObjectName("CapacUnit");
    bucLabel_ = new QLabel(yeartext::Bucati(), vehicles);
    bucE_ = MakeWholeField(vehicles, "BucE", kCountDigits);
    auto* vl = new QGridLayout(vehicles);
    vl->addWidget(new QLabel(yeartext::Categoria(), vehicles), 0, 0, Qt::AlignRight);
    vl->addWidget(itmCateg_, 0, 1, 1, 3);
    vl->addWidget(capacLabel_, 1, 0, Qt::AlignRight);
    vl->addWidget(capac_, 1, 1);
    vl->addWidget(capacUnit_, 1, 2);
    vl->addWidget(bucLabel_, 2, 0, Qt::AlignRight);
    vl->addWidget(bucE_, 2, 1);
    vl->setColumnStretch(3, 1);
    vl->setRowStretch(3, 1);

    for (QWidget* w : std::initializer_list<QWidget*>{supraf3_, zona3_, supraf4_, zona4_, capac_, bucE_})
        w->setFixedWidth(shortWidth);
    for (QComboBox* b : {tiCateg_, teCateg_})
        b->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Teren cu apa, fara amenajari piscicole")) + 48);
    itmCateg_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Vehicule neinmatriculate pana la 4800 cmc(1)")) + 48);

    panels_->addWidget(buildings);
    panels_->addWidget(inside);
    panels_->addWidget(outside);
    panels_->addWidget(vehicles);
    auto* details = new QGroupBox(yeartext::Detalii(), this);
    auto* dl = new QVBoxLayout(details);
    dl->addWidget(panels_);
    details->setMinimumHeight(fontMetrics().height() * 9 + 24);

    coduri_ = button(core::admintext::ClassificationCodes(), "Coduri", this);
    coduri_->setMinimumWidth(140);
    coduri_->setEnabled(false);
    renunt_ = button(yeartext::Renunt(), "Renunt", this);
    memoreaza_ = button(yeartext::Memoreaza(), "Memoreaza", this);
    connect(coduri_, &QPushButton::clicked, this, &TAddImpozit::CoduriClick);
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
    connect(memoreaza_, &QPushButton::clicked, this, &TAddImpozit::MemoreazaClick);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(yeartext::DinDataDe(), date_);
    form->addRow(yeartext::DenumireImpozit(), impozit_);
    form->addRow(yeartext::Categoria(), categ_);
    auto* nrRow = new QHBoxLayout;
    nrRow->addWidget(nr_);
    nrRow->addWidget(nrKind_);
    nrRow->addStretch(1);
    form->addRow(yeartext::Numarul(), nrRow);
    form->addRow(MakeRightLabel(yeartext::DocJustificativ() + QLatin1Char('\n') + yeartext::Explicatii(), this),
                 docjus_);

    auto* valueRow = new QHBoxLayout;
    auto* valueLabel = new QLabel(yeartext::ValoareDebit(), this);
    QFont valueFont = valueLabel->font();
    valueFont.setBold(true);
    valueLabel->setFont(valueFont);
    valueRow->addStretch(1);
    valueRow->addWidget(valueLabel);
    valueRow->addWidget(suma_);
    valueRow->addWidget(new QLabel(yeartext::Lei(), this));

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
    body->addWidget(details);
    body->addLayout(valueRow);
    body->addSpacing(6);
    body->addLayout(buttons);
    layout->addLayout(body);

    connect(impozit_, &QComboBox::currentIndexChanged, this, [this] { groupChanged(); });
    connect(categ_, &QComboBox::currentIndexChanged, this, [this] { categoryChanged(); });
    connect(itmCateg_, &QComboBox::currentIndexChanged, this, [this] { vehicleChanged(); });
    connect(tiCateg_, &QComboBox::currentIndexChanged, this, [this] { insideCategoryChanged(); });

    const std::vector<QWidget*> order = {date_,   impozit_, categ_,   nr_,       docjus_, tiCateg_, supraf3_, zona3_,
                                         teCateg_, supraf4_, zona4_, itmCateg_, capac_,  bucE_,    suma_};
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(suma_, memoreaza_);
    setTabOrder(memoreaza_, renunt_);
    setTabOrder(renunt_, coduri_);
    new ui::EnterMovesOn(order, suma_, memoreaza_, this);

    groupChanged();
    categoryChanged();
    vehicleChanged();
    insideCategoryChanged();
    runDialog_ = [](QDialog& d) { return d.exec(); };
}

void TAddImpozit::setCodesOpener(std::function<bool()> openCodes)
{
    openCodes_ = std::move(openCodes);
    coduri_->setEnabled(bool(openCodes_));
}

void TAddImpozit::groupChanged() { panels_->setCurrentIndex(int(PanelOf(impozit_->currentText()))); }

void TAddImpozit::categoryChanged()
{
    const QString category = categ_->currentText();
    nrKind_->setText(BorderouKind(category));
    cladExplic_->setVisible(category == DebitCategories()[0] || category == DebitCategories()[1]);
}

void TAddImpozit::vehicleChanged()
{
    const auto& entries = VehicleEntries();
    const int i = itmCateg_->currentIndex();
    if (i < 0 || i >= int(entries.size()))
        return;
    const VehicleEntry& e = entries[size_t(i)];
    const bool capacity = !e.capacityColumn.isEmpty();
    const bool count = !e.countColumn.isEmpty();
    capacLabel_->setVisible(capacity);
    capac_->setVisible(capacity);
    capacUnit_->setVisible(capacity);
    capacUnit_->setText(e.capacityUnit);
    bucLabel_->setVisible(count);
    bucE_->setVisible(count);
}

void TAddImpozit::insideCategoryChanged()
{
    supraf3Unit_->setText(tiCateg_->currentIndex() == 0 ? yeartext::Mp() : yeartext::Ha());
}

void TAddImpozit::Reset(const QString& defaultZone)
{
    suma_->setText(QStringLiteral("0"));
    supraf3_->setText(QStringLiteral("0"));
    supraf4_->setText(QStringLiteral("0"));
    capac_->setText(QStringLiteral("0"));
    bucE_->setText(QStringLiteral("0"));
    docjus_->clear();
    date_->setDate(QDate::currentDate());
    selectZone(zona3_, defaultZone);
    selectZone(zona4_, defaultZone);
}

void TAddImpozit::Load(const DebitRow& row, const QString& defaultZone)
{
    Reset(defaultZone);
    setInput(InputOf(row));
}

void TAddImpozit::setInput(const DebitInput& in)
{
    date_->setDate(in.date.isValid() ? in.date : QDate::currentDate());
    selectText(impozit_, in.group);
    selectText(categ_, in.category);
    nr_->setText(QString::number(in.number));
    docjus_->setText(in.explanation);
    suma_->setText(QString::number(in.amount));
    switch (PanelOf(in.group)) {
    case DebitPanel::Buildings:
        break;
    case DebitPanel::LandInside:
        selectIndex(tiCateg_, in.landCategory);
        supraf3_->setText(FormatQuantity(in.area));
        selectText(zona3_, in.zone);
        break;
    case DebitPanel::LandOutside:
        selectIndex(teCateg_, in.landCategory);
        supraf4_->setText(FormatQuantity(in.area));
        selectText(zona4_, in.zone);
        break;
    case DebitPanel::Vehicles:
        selectIndex(itmCateg_, in.vehicle);
        capac_->setText(QString::number(in.capacity));
        bucE_->setText(QString::number(in.count));
        break;
    }
}

bool TAddImpozit::ShowDialog(const QString& title)
{
    title_->setText(title);
    date_->setFocus();
    return runDialog_(*this) == QDialog::Accepted;
}

DebitInput TAddImpozit::input() const
{
    DebitInput in;
    in.date = date_->date();
    in.group = impozit_->currentText();
    in.category = categ_->currentText();
    in.number = WholeOf(nr_->text());
    in.explanation = docjus_->text();
    in.amount = WholeOf(suma_->text());
    switch (PanelOf(in.group)) {
    case DebitPanel::Buildings:
        break;
    case DebitPanel::LandInside:
        in.landCategory = tiCateg_->currentIndex();
        in.zone = zona3_->currentText();
        in.area = quantityOf(supraf3_);
        break;
    case DebitPanel::LandOutside:
        in.landCategory = teCateg_->currentIndex();
        in.zone = zona4_->currentText();
        in.area = quantityOf(supraf4_);
        break;
    case DebitPanel::Vehicles:
        in.vehicle = itmCateg_->currentIndex();
        in.capacity = WholeOf(capac_->text());
        in.count = WholeOf(bucE_->text());
        break;
    }
    return in;
}

void TAddImpozit::MemoreazaClick()
{
    DebitInput in = input();
    const DebitProblem problem = CheckDebit(in);
    if (problem == DebitProblem::BuildingsTrade) {
        ui::ShowMessage(yeartext::BuildingsTradeTitle(), yeartext::BuildingsTrade(), ui::BtnOk, ui::KindEroare);
        return;
    }
    nr_->setText(QString::number(in.number));
    docjus_->setText(in.explanation);
    QLineEdit* field = nullptr;
    QString message;
    switch (problem) {
    case DebitProblem::NoArea: field = supraf3_; message = yeartext::NoArea(); break;
    case DebitProblem::NoCapacity: field = capac_; message = yeartext::NoCapacity(); break;
    case DebitProblem::NoCount: field = bucE_; message = yeartext::NoCount(); break;
    case DebitProblem::NegativeAmount: field = suma_; message = yeartext::NegativeDebit(); break;
    case DebitProblem::None:
    case DebitProblem::BuildingsTrade: break;
    }
    if (field) {
        field->setFocus();
        ui::ShowProblem(message, field);
        return;
    }
    accepted_ = in;
    accept();
}

void TAddImpozit::CoduriClick()
{
    if (openCodes_)
        openCodes_();
}

} // namespace lirma::assessment
