#include "platform/ui/balloon_hint.h"

#include "platform/ui/wrapped_text.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace lirma::ui {

namespace {
constexpr int kArrow = 10;       // height of the pointer
constexpr int kMaxTextWidth = 300;
constexpr int kPadding = 8;
}  // namespace

QString BalloonHint::titleText() {
    return QStringLiteral("Problema !");
}

BalloonHint& BalloonHint::shared() {
    static QPointer<BalloonHint> balloon;
    if (!balloon) balloon = new BalloonHint;  // lives until the program ends
    return *balloon;
}

BalloonHint::BalloonHint(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("BalloonHint");
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);

    icon_ = new QLabel(this);
    icon_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(20, 20));
    title_ = new QLabel(titleText(), this);
    title_->setTextFormat(Qt::PlainText);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    text_ = new WrappedText(this);

    auto* head = new QHBoxLayout;
    head->setSpacing(6);
    head->addWidget(icon_);
    head->addWidget(title_, 1);
    auto* box = new QVBoxLayout(this);
    box->setSpacing(4);
    box->addLayout(head);
    box->addWidget(text_);

    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(kShowMilliseconds);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
}

QString BalloonHint::message() const {
    return text_->text();
}

void BalloonHint::showFor(QWidget* control, const QString& message) {
    control_ = control;
    text_->setText(message);

    // Width: the longest line up to a limit, never narrower than the title line.
    const QFontMetrics fm = text_->fontMetrics();
    int widest = 0;
    for (const QString& line : message.split('\n')) widest = std::max(widest, fm.horizontalAdvance(line) + 2);
    const int titleWidth = 26 + QFontMetrics(title_->font()).horizontalAdvance(titleText());
    const int textWidth = std::clamp(widest, titleWidth, kMaxTextWidth);
    const int textHeight = text_->heightForWidth(textWidth);
    text_->setFixedSize(textWidth, textHeight);
    const int headHeight = std::max(20, title_->sizeHint().height());
    const QSize size(textWidth + 2 * kPadding, headHeight + textHeight + 4 + 2 * kPadding + kArrow);

    // The pointer's tip touches the control's lower edge, a little inside its left end.
    QPoint tip = control ? control->mapToGlobal(QPoint(std::min(control->width() / 2, 16), control->height()))
                         : QCursor::pos();
    QScreen* screen = control ? control->screen() : QGuiApplication::screenAt(tip);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    pointsUp_ = tip.y() + size.height() <= area.bottom() || !control;
    if (!pointsUp_) tip = control->mapToGlobal(QPoint(std::min(control->width() / 2, 16), 0));
    int left = std::clamp(tip.x() - 18, area.left(), std::max(area.left(), area.right() - size.width()));
    arrowX_ = std::clamp(tip.x() - left, 8, size.width() - 8);
    const int top = pointsUp_ ? tip.y() : tip.y() - size.height();

    const int m = kPadding;
    layout()->setContentsMargins(m, m + (pointsUp_ ? kArrow : 0), m, m + (pointsUp_ ? 0 : kArrow));
    setFixedSize(size);
    updateMask();
    move(left, top);
    show();
    raise();
    update();
    hideTimer_.start();
}

QPolygon BalloonHint::outline() const {
    const int w = width() - 1, h = height() - 1;
    const int a = arrowX_;
    QPolygon p;
    if (pointsUp_) {
        p << QPoint(0, kArrow) << QPoint(a - 6, kArrow) << QPoint(a, 0) << QPoint(a + 6, kArrow)
          << QPoint(w, kArrow) << QPoint(w, h) << QPoint(0, h);
    } else {
        p << QPoint(0, 0) << QPoint(w, 0) << QPoint(w, h - kArrow) << QPoint(a + 6, h - kArrow)
          << QPoint(a, h) << QPoint(a - 6, h - kArrow) << QPoint(0, h - kArrow);
    }
    return p;
}

void BalloonHint::updateMask() {
    // A mask rather than a translucent window: it needs no compositor. The region of a polygon leaves
    // out its right and bottom edges, so the outline is grown by one pixel there.
    QPolygon shape = outline();
    for (QPoint& pt : shape) {
        if (pt.x() == width() - 1) pt.rx() += 1;
        if (pt.y() == height() - 1) pt.ry() += 1;
    }
    setMask(QRegion(shape, Qt::WindingFill));
}

void BalloonHint::resizeEvent(QResizeEvent*) {
    updateMask();
}

void BalloonHint::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setBrush(Qt::white);
    p.setPen(QColor(90, 90, 90));
    p.drawPolygon(outline());
}

void BalloonHint::mousePressEvent(QMouseEvent*) {
    hideTimer_.stop();
    hide();
}

}  // namespace lirma::ui
