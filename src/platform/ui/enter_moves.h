// Enter moves through the fields of a form, as on every form of the system: Enter (or the keypad's
// Enter) in a field gives the focus to the next visible, enabled field of the list; in the field
// that ends the form it clicks the form's confirming button. An open drop-down list keeps Enter
// for picking its entry.
#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QAbstractButton;
class QWidget;

namespace lirma::ui {

class EnterMovesOn : public QObject {
    Q_OBJECT
public:
    // `fields` in the order Enter follows; Enter in `last` clicks `confirm`.
    EnterMovesOn(std::vector<QWidget*> fields, QWidget* last, QAbstractButton* confirm, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QPointer<QWidget>> fields_;
    QPointer<QWidget> last_;
    QPointer<QAbstractButton> confirm_;
};

}  // namespace lirma::ui
