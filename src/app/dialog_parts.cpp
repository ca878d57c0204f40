#include "app/dialog_parts.h"

#include "platform/ui/gradient_panel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace lirma::app {

namespace {

class EnterFilter : public QObject {
public:
    EnterFilter(QWidget* next, QPushButton* confirm, QObject* parent)
        : QObject(parent), next_(next), confirm_(confirm)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        if (next_)
            next_->setFocus(Qt::TabFocusReason);
        else if (confirm_)
            confirm_->click();
        return true;
    }

private:
    QPointer<QWidget> next_;
    QPointer<QPushButton> confirm_;
};

} // namespace

void EnterMovesOn(const std::vector<QWidget*>& fields, QPushButton* confirm)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        QWidget* next = i + 1 < fields.size() ? fields[i + 1] : nullptr;
        fields[i]->installEventFilter(new EnterFilter(next, next ? nullptr : confirm, fields[i]));
    }
}

QWidget* MakeTitleBand(const QString& text, QWidget* parent, QLabel** label, int pointSize)
{
    auto* band = new ui::GradientPanel(QColor(0x1f, 0x4e, 0x8c), QColor(0x9c, 0xbd, 0xe8), Qt::Horizontal, parent);
    auto* l = new QLabel(text, band);
    l->setObjectName("Titlu");
    QFont f = l->font();
    f.setBold(true);
    f.setPointSize(pointSize);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->addWidget(l);
    layout->addStretch(1);
    if (label)
        *label = l;
    return band;
}

} // namespace lirma::app
