#include "core/tlogview.h"

#include "core/banded_header.h"
#include "core/log_table_model.h"
#include "platform/ui/gradient_panel.h"
#include "platform/ui/interaction.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>

namespace lirma::core {

TLogView::TLogView(ActivityLog& log, QWidget* parent) : QDialog(parent), log_(log)
{
    setObjectName("TLogView");
    setWindowTitle(logtext::WindowCaption());
    setModal(true);
    resize(820, 520);

    auto* band = new ui::GradientPanel(QColor(255, 255, 255), QColor(70, 110, 160), Qt::Horizontal, this);
    band->setObjectName("TitleBand");
    band->setFixedHeight(40);
    title_ = new QLabel(logtext::TitleLine(), band);
    title_->setObjectName("Titlu");
    title_->setTextFormat(Qt::PlainText);
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title_->setFont(bold);
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(12, 0, 12, 0);
    bandLayout->addWidget(title_);

    model_ = new LogTableModel(this);
    grid_ = new QTableView(this);
    grid_->setObjectName("Grid");
    header_ = new BandedHeaderView(LogTableModel::Bands(), grid_);
    grid_->setHorizontalHeader(header_);
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setAlternatingRowColors(true);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    header_->setSectionsClickable(false);
    header_->setStretchLastSection(true);
    const QFontMetrics fm = grid_->fontMetrics();
    grid_->setColumnWidth(LogTableModel::ColDate, fm.horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    grid_->setColumnWidth(LogTableModel::ColTime, fm.horizontalAdvance(QStringLiteral("00:00:000")) + 12);
    grid_->setColumnWidth(LogTableModel::ColUser, fm.horizontalAdvance(QLatin1Char('M')) * 14);
    grid_->setColumnWidth(LogTableModel::ColRol, fm.horizontalAdvance(QStringLiteral("000000000")) + 12);

    close_ = new QPushButton(logtext::CloseButton(), this);
    close_->setObjectName("Renunt");
    close_->setMinimumWidth(90);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(band);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    body->addWidget(grid_, 1);
    body->addLayout(buttons);
    layout->addLayout(body, 1);
}

bool TLogView::Load(LogSource source)
{
    source_ = source;
    try {
        model_->setEntries(log_.Read(source));
    } catch (const std::exception& e) {
        model_->clear();
        ui::ShowMessage(logtext::WindowCaption(),
                        logtext::ReadError() + u'\r' + log_.logPath(source) + QStringLiteral(": ") +
                            QString::fromUtf8(e.what()),
                        ui::BtnOk, ui::KindEroare);
        return false;
    }
    if (model_->rowCount() > 0) grid_->setCurrentIndex(model_->index(0, 0));
    return true;
}

void TLogView::ShowLog(LogSource source)
{
    if (!Load(source)) return;
    exec();
}

void TLogView::done(int result)
{
    model_->clear();
    QDialog::done(result);
}

}  // namespace lirma::core
