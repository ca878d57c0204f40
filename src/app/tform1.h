// TForm1: the start-up window. It shows the version caption, a progress bar and a status
// line while the start-up sequence runs (once, from its timer), then hides, lets the main
// window run, removes the work folders and says the program may end.
#pragma once

#include "app/startup_sequence.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QTimer;

namespace lirma::app {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    static QString Caption(); // "Zoza zi roduvuru - Initializare"

    // showMainWindow runs the main window modally and returns when it has closed.
    TForm1(StartupSequence::Options options, std::function<void()> showMainWindow, QWidget* parent = nullptr);
    ~TForm1() override;

    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QProgressBar* Bar1() const { return bar1_; }
    QLabel* Status() const { return status_; }
    QTimer* Timer1() const { return timer1_; }

    // The sequence of this run (nullptr before the timer fired).
    StartupSequence* sequence() const { return sequence_.get(); }
    // Lets the program give the sequence what it needs (the log, the administrator window)
    // before it runs.
    void setPrepare(std::function<void(StartupSequence&)> prepare) { prepare_ = std::move(prepare); }

    // The whole start: the sequence, the main window, the removal of the work folders.
    // Runs once; the timer calls it.
    void Timer1Timer();

signals:
    // The run is over: 0 after the main window closed, 1 when the start-up failed.
    void finished(int exitCode);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void advance(const QString& status, int amount);
    void removeWorkFolders();

    StartupSequence::Options options_;
    std::function<void()> showMainWindow_;
    std::function<void(StartupSequence&)> prepare_;
    std::unique_ptr<StartupSequence> sequence_;
    QLabel* label1_;
    QLabel* label2_;
    QProgressBar* bar1_;
    QLabel* status_;
    QTimer* timer1_;
    bool ran_ = false;
};

} // namespace lirma::app
