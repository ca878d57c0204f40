// The large flat command button of the main windows: an icon above a caption, raised under the mouse.
#pragma once

#include <QToolButton>

namespace lirma::ui {

class BigButton : public QToolButton {
    Q_OBJECT
public:
    explicit BigButton(const QString& caption, const QIcon& icon = {}, QWidget* parent = nullptr);
};

}  // namespace lirma::ui
