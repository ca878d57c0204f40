#include "app/taddzonaf.h"

#include "app/dialog_parts.h"
#include "core/admin_fields.h"
#include "core/admin_texts.h"
#include "core/villages.h"
#include "platform/ui/interaction.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lirma::app {

namespace t = core::admintext;

TAddZonaF::TAddZonaF(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName("TAddZonaF");
    setWindowTitle(t::ZoneDialogCaption());
    setModal(true);

    QWidget* band = MakeTitleBand(t::AddZoneTitle(), this, &title_);
    locality_ = new QLineEdit(this);
    locality_->setObjectName("Localitatea");
    locality_->setMaxLength(core::Villages::kLocalityMax);
    locality_->setMinimumWidth(locality_->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 18);
    zone_ = new QComboBox(this);
    zone_->setObjectName("Zona");
    zone_->addItems(core::ZoneLetters());
    rank_ = new QComboBox(this);
    rank_->setObjectName("Rangul");
    rank_->addItems(core::RankNumerals());

    auto* form = new QFormLayout;
    form->addRow(t::ZonesHeadLocality(), locality_);
    form->addRow(t::ZonesHeadZone(), zone_);
    form->addRow(t::ZonesHeadRank(), rank_);

    memoreaza_ = new QPushButton(t::ZoneDialogMemoreaza(), this);
    memoreaza_->setObjectName("Memoreaza");
    renunt_ = new QPushButton(t::Cancel(), this);
    renunt_->setObjectName("Renunt");
    for (QPushButton* b : {memoreaza_, renunt_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(memoreaza_);
    buttons->addWidget(renunt_);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 10);
    root->addWidget(band);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 6, 12, 0);
    body->addLayout(form);
    body->addSpacing(6);
    body->addLayout(buttons);
    root->addLayout(body);

    EnterMovesOn({locality_, zone_, rank_}, memoreaza_);
    connect(memoreaza_, &QPushButton::clicked, this, &TAddZonaF::MemoreazaClick);
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
}

void TAddZonaF::prepareAdd(const QString& zone, const QString& rank)
{
    title_->setText(t::AddZoneTitle());
    locality_->clear();
    zone_->setCurrentIndex(std::max(0, zone_->findText(zone)));
    rank_->setCurrentIndex(std::max(0, rank_->findText(rank)));
    setResult(QDialog::Rejected);
    locality_->setFocus();
}

void TAddZonaF::prepareModify(const QString& locality, const QString& zone, const QString& rank)
{
    title_->setText(t::ModifyZoneTitle());
    locality_->setText(locality);
    zone_->setCurrentIndex(std::max(0, zone_->findText(zone)));
    rank_->setCurrentIndex(std::max(0, rank_->findText(rank)));
    setResult(QDialog::Rejected);
    locality_->setFocus();
}

void TAddZonaF::MemoreazaClick()
{
    QString cleaned = locality_->text();
    const QString problem = check_ ? check_(locality_->text(), &cleaned) : QString();
    locality_->setText(cleaned);
    if (!problem.isEmpty()) {
        ui::ShowProblem(problem, locality_);
        locality_->setFocus();
        return;
    }
    accept();
}

QString TAddZonaF::locality() const { return locality_->text(); }
QString TAddZonaF::zone() const { return zone_->currentText(); }
QString TAddZonaF::rank() const { return rank_->currentText(); }

} // namespace lirma::app
