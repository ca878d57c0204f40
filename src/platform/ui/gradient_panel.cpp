#include "platform/ui/gradient_panel.h"

#include <QLinearGradient>
#include <QPainter>

namespace lirma::ui {

GradientPanel::GradientPanel(QWidget* parent) : QWidget(parent) {}

GradientPanel::GradientPanel(const QColor& from, const QColor& to, Qt::Orientation orientation,
                             QWidget* parent)
    : QWidget(parent), from_(from), to_(to), orientation_(orientation) {}

void GradientPanel::setColors(const QColor& from, const QColor& to) {
    from_ = from;
    to_ = to;
    update();
}

void GradientPanel::setOrientation(Qt::Orientation orientation) {
    orientation_ = orientation;
    update();
}

void GradientPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF r = rect();
    QLinearGradient g(r.topLeft(), orientation_ == Qt::Horizontal ? r.topRight() : r.bottomLeft());
    g.setColorAt(0, from_);
    g.setColorAt(1, to_);
    p.fillRect(r, g);
}

}  // namespace lirma::ui
