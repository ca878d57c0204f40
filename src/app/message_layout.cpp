#include "app/message_layout.h"

#include "platform/ui/interaction.h"

namespace lirma::app {

using namespace lirma::ui;

MessageStyle styleOfKind(int kind) {
    switch (kind) {
    case KindAtentie:
        return {QStringLiteral("Atentie !"), QColor(183, 177, 138), QColor(56, 54, 35), MessageIcon::Warning};
    case KindInformatie:
        return {QStringLiteral("Informatie"), QColor(225, 222, 250), QColor(0, 0, 187), MessageIcon::Information};
    case KindConfirmare:
        return {QStringLiteral("Confirmare"), QColor(129, 162, 211), QColor(54, 95, 156), MessageIcon::Question};
    default:
        return {QStringLiteral("Eroare"), QColor(255, 213, 213), QColor(255, 0, 0), MessageIcon::Critical};
    }
}

const std::vector<PlacedButton>& allButtons() {
    static const std::vector<PlacedButton> buttons = {
        {QStringLiteral("BE1"), QStringLiteral("DA"), BtnDa, ReplyDa},
        {QStringLiteral("BE2"), QStringLiteral("NU"), BtnNu, ReplyNu},
        {QStringLiteral("BE3"), QStringLiteral("RENUNT"), BtnRenunt, ReplyRenunt},
        {QStringLiteral("BE4"), QStringLiteral("OK"), BtnOk, ReplyOk},
    };
    return buttons;
}

ButtonPlan planButtons(int mask) {
    ButtonPlan plan;
    for (const PlacedButton& b : allButtons())
        if (mask & b.bit) plan.buttons.push_back(b);
    const int n = int(plan.buttons.size());
    if (n == 0) return plan;
    const int gap = (kButtonRowWidth - kButtonWidth * n) / (n + 1);
    for (int k = 1; k <= n; ++k) plan.buttons[k - 1].x = gap * k + kButtonWidth * (k - 1);
    plan.defaultCode = plan.buttons.front().code;
    return plan;
}

QString messageLines(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

}  // namespace lirma::app
