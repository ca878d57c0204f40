#include "platform/ui/enter_moves.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>

namespace lirma::ui {

EnterMovesOn::EnterMovesOn(std::vector<QWidget*> fields, QWidget* last, QAbstractButton* confirm, QObject* parent)
    : QObject(parent), last_(last), confirm_(confirm)
{
    for (QWidget* f : fields) {
        fields_.emplace_back(f);
        f->installEventFilter(this);
        // The editor inside an editable list or a date field receives the keys.
        if (auto* box = qobject_cast<QComboBox*>(f); box && box->lineEdit())
            box->lineEdit()->installEventFilter(this);
        for (QLineEdit* inner : f->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
            inner->installEventFilter(this);
    }
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
    // An editor inside one of the fields stands for its field.
    auto field = fields_.end();
    for (QWidget* c = w; c && field == fields_.end(); c = c->parentWidget())
        field = std::find(fields_.begin(), fields_.end(), c);
    if (field == fields_.end())
        return false;
    if (auto* box = qobject_cast<QComboBox*>(field->data()); box && box->view() && box->view()->isVisible())
        return false;
    if (field->data() == last_ && confirm_) {
        confirm_->click();
        return true;
    }
    for (auto next = field + 1; next != fields_.end(); ++next) {
        QWidget* n = next->data();
        if (n && n->isVisible() && n->isEnabled()) {
            n->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    if (confirm_)
        confirm_->click();
    return true;
}

}  // namespace lirma::ui
