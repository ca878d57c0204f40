#include "app/app_interaction.h"

#include "app/tcontor.h"
#include "app/terori.h"

namespace lirma::app {

AppInteraction::AppInteraction() = default;
AppInteraction::~AppInteraction() = default;

TErori& AppInteraction::dialog() {
    if (!dialog_) dialog_ = std::make_unique<TErori>();
    return *dialog_;
}

TContor& AppInteraction::contor() {
    if (!contor_) contor_ = std::make_unique<TContor>();
    return *contor_;
}

int AppInteraction::message(const QString& title, const QString& text, int buttons, int kind) {
    // A message asked while another one is open (from a timer, say) gets a dialog of its own.
    if (dialog().isVisible()) {
        TErori second;
        return second.Show(title, text, buttons, kind);
    }
    return dialog().Show(title, text, buttons, kind);
}

lirma::ui::Progress& AppInteraction::progress() {
    return contor();
}

}  // namespace lirma::app
