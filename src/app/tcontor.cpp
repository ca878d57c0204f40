#include "app/tcontor.h"

#include "platform/ui/gradient_panel.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace lirma::app {

namespace {
void giveLoopATurn() {
    QCoreApplication::processEvents();
}
}  // namespace

QString TContor::stopCaption() {
    return QStringLiteral("Opreste");
}

TContor::TContor(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("TContor");
    setWindowTitle(QStringLiteral("Contor"));
    // Modal while shown: the rest is blocked anyway, and "Opreste" must stay usable even when the
    // operation was started from a modal window.
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(331, 80);

    background_ = new lirma::ui::GradientPanel(Qt::white, QColor(0, 100, 0), Qt::Vertical, this);
    background_->setGeometry(rect());

    descr_ = new QLabel(this);
    descr_->setObjectName("Descr");
    descr_->setTextFormat(Qt::PlainText);
    QFont bold = descr_->font();
    bold.setBold(true);
    descr_->setFont(bold);
    descr_->setGeometry(10, 6, 311, 20);

    bar_ = new QProgressBar(this);
    bar_->setObjectName("Bar");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setGeometry(10, 28, 311, 18);

    stop_ = new QPushButton(stopCaption(), this);
    stop_->setObjectName("Opreste");
    stop_->setGeometry(128, 51, 75, 24);
    stop_->setVisible(false);
    connect(stop_, &QPushButton::clicked, this, [this] { stopRequested_ = true; });
}

void TContor::setText(const QString& text) {
    descr_->setText(text);
}

QString TContor::text() const {
    return descr_->text();
}

void TContor::setMaximum(int maximum) {
    const int position = std::min(bar_->value(), std::max(0, maximum));
    bar_->setMaximum(std::max(0, maximum));
    bar_->setValue(position);
}

int TContor::maximum() const {
    return bar_->maximum();
}

void TContor::setPosition(int position) {
    bar_->setValue(std::clamp(position, 0, bar_->maximum()));
}

int TContor::position() const {
    return bar_->value();
}

void TContor::begin(bool stoppable) {
    bar_->setValue(0);
    giveLoopATurn();
    stop_->setVisible(stoppable);
    stopRequested_ = false;
    if (isVisible()) return;  // a nested Begin only resets; the first one's window stays remembered

    remembered_ = QApplication::activeWindow();
    if (remembered_ == this) remembered_ = nullptr;
    if (remembered_) {
        remembered_->setEnabled(false);
        remembered_->setCursor(Qt::WaitCursor);
    }
    QScreen* screen = remembered_ ? remembered_->screen() : QGuiApplication::primaryScreen();
    if (screen) move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    giveLoopATurn();
}

void TContor::Step() {
    if (bar_->value() >= bar_->maximum()) return;
    bar_->setValue(bar_->value() + 1);
    giveLoopATurn();
}

void TContor::End() {
    if (!isVisible()) return;
    hide();
    giveLoopATurn();
    if (remembered_) {
        remembered_->setEnabled(true);
        remembered_->unsetCursor();
        if (remembered_->isVisible()) {
            remembered_->activateWindow();
            remembered_->setFocus();
        }
    }
    giveLoopATurn();
    remembered_ = nullptr;
}

}  // namespace lirma::app
