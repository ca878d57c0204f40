#include "platform/ui/big_button.h"

namespace lirma::ui {

BigButton::BigButton(const QString& caption, const QIcon& icon, QWidget* parent) : QToolButton(parent) {
    setText(caption);
    setIcon(icon);
    setIconSize(QSize(32, 32));
    setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextUnderIcon);
    setAutoRaise(true);
    setMinimumSize(96, 64);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    QFont f = font();
    f.setBold(true);
    setFont(f);
}

}  // namespace lirma::ui
