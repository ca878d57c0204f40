#include "register/field_keys.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace lirma::reg {

void EnterMovesOn::watch(QWidget* field)
{
    field->installEventFilter(this);
    if (auto* box = qobject_cast<QComboBox*>(field); box && box->lineEdit())
        box->lineEdit()->installEventFilter(this);
}

void EnterMovesOn::setLast(QWidget* field, QAbstractButton* button)
{
    last_ = field;
    button_ = button;
}

bool EnterMovesOn::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return false;
    // The line edit of an editable list stands for its list.
    if (auto* box = qobject_cast<QComboBox*>(w->parentWidget()); box && box->lineEdit() == w)
        w = box;
    if (auto* box = qobject_cast<QComboBox*>(w); box && box->view() && box->view()->isVisible())
        return false; // Enter picks the entry of an open list
    if (w == last_ && button_) {
        button_->click();
        return true;
    }
    QWidget* next = w->nextInFocusChain();
    while (next && next != w && (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible() || !next->isEnabled()))
        next = next->nextInFocusChain();
    if (next && next != w)
        next->setFocus(Qt::TabFocusReason);
    return true;
}

void SelectOrAdd(QComboBox* box, const QString& text)
{
    int i = box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (i < 0 && !text.isEmpty()) {
        box->addItem(text);
        i = box->count() - 1;
    }
    if (box->isEditable() && i < 0)
        box->setEditText(text);
    else
        box->setCurrentIndex(i);
}

} // namespace lirma::reg
