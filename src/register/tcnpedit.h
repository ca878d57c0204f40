// TCNPEdit: the single-line edit of a personal numeric code. Only digits get in, through its
// own key handling (typing other characters, pasting and dropping are blocked); it tells
// whether the code is valid, the birth date and the sex.
#pragma once

#include <QDate>
#include <QLineEdit>

namespace lirma::reg {

class TCNPEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool AcceptGol READ AcceptGol WRITE setAcceptGol)
    Q_PROPERTY(bool Corect READ Corect)
    Q_PROPERTY(QDate NascutLa READ NascutLa)
    Q_PROPERTY(QString Sex READ Sex)
public:
    explicit TCNPEdit(QWidget* parent = nullptr);

    // The validity of an empty text (false on every form of the system).
    bool AcceptGol() const { return acceptGol_; }
    void setAcceptGol(bool accept) { acceptGol_ = accept; }

    bool Corect() const;
    QDate NascutLa() const; // null date for "0"
    QString Sex() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool acceptGol_ = false;
};

} // namespace lirma::reg
