#include "register/tcladcumpf.h"

#include "platform/ui/gradient_panel.h"
#include "register/buildings_texts.h"
#include "register/register_texts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lirma::reg {

TCladCumpF::TCladCumpF(QWidget* parent) : QDialog(parent)
{
    setObjectName("TCladCumpF");
    setWindowTitle(text::PurchaseCaption());
    setModal(true);
    resize(1100, 420);

    auto* band = new ui::GradientPanel(QColor(70, 110, 160), QColor(255, 255, 255), Qt::Horizontal, this);
    band->setFixedHeight(34);
    auto* heading = new QLabel(text::PurchaseHeading(), band);
    heading->setObjectName("Heading");
    QFont hf = heading->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.2);
    heading->setFont(hf);
    heading->setStyleSheet(QStringLiteral("color: white"));
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(12, 0, 12, 0);
    bandLayout->addWidget(heading);

    const QStringList titles = text::PurchaseGridTitles();
    grid_ = new QTableWidget(0, int(titles.size()), this);
    grid_->setObjectName("Grid");
    grid_->setHorizontalHeaderLabels(titles);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setAlternatingRowColors(true);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setStretchLastSection(true);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { AmAlesClick(); });

    renunt_ = new QPushButton(text::Renunt(), this);
    renunt_->setObjectName("Renunt");
    amAles_ = new QPushButton(text::AmAles(), this);
    amAles_->setObjectName("AmAles");
    for (QPushButton* b : {renunt_, amAles_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(110);
    }
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
    connect(amAles_, &QPushButton::clicked, this, &TCladCumpF::AmAlesClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(renunt_);
    buttons->addWidget(amAles_);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->addWidget(grid_, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addLayout(body, 1);
    runDialog_ = [](QDialog& d) { return d.exec(); };
}

void TCladCumpF::SetCandidates(const std::vector<PurchaseCandidate>& candidates)
{
    grid_->clearContents();
    grid_->setRowCount(int(candidates.size()));
    for (int r = 0; r < int(candidates.size()); ++r) {
        const QStringList texts = PurchaseGridTexts(candidates[size_t(r)]);
        for (int c = 0; c < texts.size(); ++c)
            grid_->setItem(r, c, new QTableWidgetItem(texts[c]));
    }
    grid_->resizeColumnsToContents();
    if (!candidates.empty())
        grid_->setCurrentCell(0, 0);
}

void TCladCumpF::AmAlesClick()
{
    const int row = grid_->currentRow();
    if (row < 0 || row >= grid_->rowCount())
        return;
    chosen_ = row;
    accept();
}

std::optional<int> TCladCumpF::ShowDialog()
{
    chosen_.reset();
    grid_->setFocus(Qt::OtherFocusReason);
    setResult(QDialog::Rejected);
    if (runDialog_(*this) != QDialog::Accepted)
        return std::nullopt;
    return chosen_;
}

} // namespace lirma::reg
