// Plain text (never rich text) wrapped to the widget's width. Unlike QLabel it also breaks a word that is
// wider than a line, so a long folder path in a message stays readable. "\n" breaks lines.
#pragma once

#include <QWidget>

class QTextLayout;

namespace lirma::ui {

class WrappedText : public QWidget {
    Q_OBJECT
public:
    explicit WrappedText(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return alignment_; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays the text out in `width`, returns the height used.
    qreal layOut(QTextLayout& layout, qreal width) const;

    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
};

}  // namespace lirma::ui
