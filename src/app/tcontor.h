// TContor: the progress window of long operations. A borderless window on top of the others with a
// bold text line (Descr), a bar (Bar) and the "Opreste" button that long loops may offer. While it is
// shown the window that was active is disabled, so the user cannot start anything else.
#pragma once

#include "platform/ui/interaction.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace lirma::ui {
class GradientPanel;
}

namespace lirma::app {

class TContor : public QWidget, public lirma::ui::Progress {
    Q_OBJECT
public:
    static QString stopCaption();

    explicit TContor(QWidget* parent = nullptr);

    QLabel* Descr() const { return descr_; }
    QProgressBar* Bar() const { return bar_; }
    QPushButton* stopButton() const { return stop_; }
    // The window disabled by Begin and re-enabled by End (nullptr when none).
    QWidget* rememberedWindow() const { return remembered_; }

    void setText(const QString& text) override;
    QString text() const override;
    void setMaximum(int maximum) override;
    int maximum() const override;
    void setPosition(int position) override;
    int position() const override;
    void Begin() override { begin(false); }
    void BeginStoppable() override { begin(true); }
    void Step() override;
    void End() override;
    bool StopRequested() const override { return stopRequested_; }
    bool isShown() const override { return isVisible(); }

private:
    void begin(bool stoppable);

    lirma::ui::GradientPanel* background_;
    QLabel* descr_;
    QProgressBar* bar_;
    QPushButton* stop_;
    QPointer<QWidget> remembered_;
    bool stopRequested_ = false;
};

}  // namespace lirma::app
