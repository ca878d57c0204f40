#include "platform/ui/wrapped_text.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace lirma::ui {

WrappedText::WrappedText(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void WrappedText::setText(const QString& text) {
    text_ = text;
    updateGeometry();
    update();
}

void WrappedText::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

qreal WrappedText::layOut(QTextLayout& layout, qreal width) const {
    // QTextLayout breaks lines only at the Unicode line separator.
    QString shown = text_;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout.setText(shown);
    layout.setFont(font());
    QTextOption option(alignment_ & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const qreal leading = fontMetrics().leading();
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        y += leading;
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

int WrappedText::heightForWidth(int width) const {
    QTextLayout layout;
    return int(std::ceil(layOut(layout, width)));
}

QSize WrappedText::sizeHint() const {
    const int width = std::max(this->width(), fontMetrics().averageCharWidth() * 30);
    return QSize(width, heightForWidth(width));
}

QSize WrappedText::minimumSizeHint() const {
    return QSize(fontMetrics().averageCharWidth() * 10, fontMetrics().height());
}

void WrappedText::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    QTextLayout layout;
    const qreal height = layOut(layout, width());
    qreal top = 0;
    if (alignment_ & Qt::AlignVCenter) top = (this->height() - height) / 2;
    else if (alignment_ & Qt::AlignBottom) top = this->height() - height;
    layout.draw(&p, QPointF(0, std::max<qreal>(0, top)));
}

}  // namespace lirma::ui
