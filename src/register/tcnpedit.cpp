#include "register/tcnpedit.h"

#include "register/personal_code.h"

#include <QKeyEvent>

namespace lirma::reg {

TCNPEdit::TCNPEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(kCnpLength);
    setAcceptDrops(false);
    setDragEnabled(false);
}

bool TCNPEdit::Corect() const { return CnpCorect(text(), acceptGol_); }
QDate TCNPEdit::NascutLa() const { return CnpNascutLa(text()); }
QString TCNPEdit::Sex() const { return CnpSex(text()); }

void TCNPEdit::keyPressEvent(QKeyEvent* event)
{
    CnpKey key = CnpKey::Other;
    QChar digit;
    const int k = event->key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        key = CnpKey::Digit; // keypad digits arrive with the same key codes
        digit = QChar(u'0' + (k - Qt::Key_0));
    } else if (k == Qt::Key_Backspace) {
        key = CnpKey::Backspace;
    } else if (k == Qt::Key_Delete) {
        key = CnpKey::Delete;
    }
    if (key != CnpKey::Other) {
        if (isReadOnly())
            return;
        CnpEditState s{text(), cursorPosition(), selectionStart(), int(selectedText().size())};
        const CnpEditState after = ApplyCnpKey(s, key, digit);
        if (after.text != s.text)
            setText(after.text);
        setCursorPosition(after.cursor);
        if (after.text != s.text)
            emit textEdited(after.text);
        event->accept();
        return;
    }
    // Cursor movement, selection, copy, Tab and Enter keep their usual meaning; anything that
    // would put other text in (letters, paste, cut, undo) does nothing.
    if (event == QKeySequence::Paste || event == QKeySequence::Cut || event == QKeySequence::Undo
        || event == QKeySequence::Redo || event == QKeySequence::DeleteStartOfWord
        || event == QKeySequence::DeleteEndOfWord || event == QKeySequence::DeleteEndOfLine) {
        event->accept();
        return;
    }
    if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TCNPEdit::inputMethodEvent(QInputMethodEvent* event) { event->accept(); }

void TCNPEdit::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

void TCNPEdit::dropEvent(QDropEvent* event) { event->ignore(); }

} // namespace lirma::reg
