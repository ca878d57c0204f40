// A panel painted with a linear gradient, used for the bands of the message dialog and the background of
// the progress window.
#pragma once

#include <QColor>
#include <QWidget>

namespace lirma::ui {

class GradientPanel : public QWidget {
    Q_OBJECT
public:
    explicit GradientPanel(QWidget* parent = nullptr);
    GradientPanel(const QColor& from, const QColor& to, Qt::Orientation orientation,
                  QWidget* parent = nullptr);

    // `from` at the left (horizontal) or the top (vertical), `to` at the other side.
    void setColors(const QColor& from, const QColor& to);
    void setOrientation(Qt::Orientation orientation);
    QColor fromColor() const { return from_; }
    QColor toColor() const { return to_; }
    Qt::Orientation orientation() const { return orientation_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor from_ = Qt::white;
    QColor to_ = Qt::gray;
    Qt::Orientation orientation_ = Qt::Horizontal;
};

}  // namespace lirma::ui
