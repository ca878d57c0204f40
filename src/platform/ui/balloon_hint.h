// The balloon that tells the user what is wrong with one input field: a frameless popup beside the
// field, titled "Problema !", that hides itself after five seconds or when clicked.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;

namespace lirma::ui {

class WrappedText;

class BalloonHint : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 5000;
    static QString titleText();

    // The one balloon of the program; a new problem replaces the one shown.
    static BalloonHint& shared();

    explicit BalloonHint(QWidget* parent = nullptr);

    // Shows `message` pointing at `control` (at the mouse when there is none) and restarts the timer.
    void showFor(QWidget* control, const QString& message);
    QString message() const;
    QWidget* control() const { return control_; }
    const QTimer& hideTimer() const { return hideTimer_; }
    // The balloon points up at a control above it, or down when there was no room below.
    bool pointsUp() const { return pointsUp_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPolygon outline() const;
    void updateMask();

    QLabel* icon_;
    QLabel* title_;
    WrappedText* text_;
    QPointer<QWidget> control_;
    QTimer hideTimer_;
    bool pointsUp_ = true;
    int arrowX_ = 18;
};

}  // namespace lirma::ui
