// The interaction service of the program: Qt's dialogs and balloons, with the program's own message
// dialog TErori and progress window TContor.
#pragma once

#include "platform/ui/qt_interaction.h"

#include <memory>

namespace lirma::app {

class TContor;
class TErori;

class AppInteraction : public lirma::ui::QtInteraction {
public:
    AppInteraction();
    ~AppInteraction() override;

    int message(const QString& title, const QString& text, int buttons, int kind) override;
    lirma::ui::Progress& progress() override;

    // The windows, created on first use and reused.
    TErori& dialog();
    TContor& contor();

private:
    std::unique_ptr<TErori> dialog_;
    std::unique_ptr<TContor> contor_;
};

}  // namespace lirma::app
