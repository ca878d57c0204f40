// Enter in an entry field moves to the next field, as on every form of the system; on the
// field that ends a form it presses the form's confirming button instead.
#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QComboBox;
class QWidget;

namespace lirma::reg {

class EnterMovesOn : public QObject {
    Q_OBJECT
public:
    explicit EnterMovesOn(QObject* parent) : QObject(parent) {}

    // Watches a field (and the line edit inside an editable list).
    void watch(QWidget* field);
    // Enter on `field` clicks `button`.
    void setLast(QWidget* field, QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> last_;
    QPointer<QAbstractButton> button_;
};

// The text of a list box set to `text`; a text that is not among its entries (imported data)
// is added as an entry first, so that saving keeps it.
void SelectOrAdd(QComboBox* box, const QString& text);

} // namespace lirma::reg
