#include "core/banded_header.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace lirma::core {

BandedHeaderView::BandedHeaderView(std::vector<HeaderBand> bands, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), bands_(std::move(bands))
{
    setDefaultAlignment(Qt::AlignCenter);
}

const HeaderBand* BandedHeaderView::bandOf(int logicalIndex) const
{
    for (const HeaderBand& b : bands_)
        if (logicalIndex >= b.first && logicalIndex < b.first + b.count) return &b;
    return nullptr;
}

QRect BandedHeaderView::bandRect(const HeaderBand& band) const
{
    int left = -1;
    int width = 0;
    for (int i = band.first; i < band.first + band.count && i < count(); ++i) {
        if (isSectionHidden(i)) continue;
        const int x = sectionViewportPosition(i);
        if (left < 0 || x < left) left = x;
        width += sectionSize(i);
    }
    if (left < 0) return {};
    return QRect(left, 0, width, height() / 2);
}

QSize BandedHeaderView::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(size.height() * 2);
    return size;
}

void BandedHeaderView::paintCell(QPainter* painter, const QRect& rect, int logicalIndex, const QString& text) const
{
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = rect;
    opt.section = logicalIndex;
    opt.text = text;
    opt.textAlignment = Qt::AlignCenter;
    opt.position = QStyleOptionHeader::Middle;
    painter->save();
    painter->setClipRect(rect.intersected(viewport()->rect()));
    style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    painter->restore();
}

void BandedHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid()) return;
    const QString title = model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString()
                                  : QString();
    const HeaderBand* band = bandOf(logicalIndex);
    if (!band) {
        paintCell(painter, rect, logicalIndex, title);
        return;
    }
    const int half = rect.height() / 2;
    // The band is drawn whole from each of its columns: any of them may be the only one repainted.
    QRect top = bandRect(*band);
    top.setTop(rect.top());
    top.setHeight(half);
    paintCell(painter, top, logicalIndex, band->title);
    paintCell(painter, QRect(rect.left(), rect.top() + half, rect.width(), rect.height() - half), logicalIndex,
              title);
}

}  // namespace lirma::core
