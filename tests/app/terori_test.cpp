#include "app/app_interaction.h"
#include "app/message_layout.h"
#include "app/tcontor.h"
#include "app/terori.h"

#include "platform/ui/gradient_panel.h"
#include "platform/ui/interaction.h"
#include "platform/ui/wrapped_text.h"

#include "support/qt_application.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace lirma::app;
using namespace lirma::ui;

namespace {

struct ExpectedButton {
    const char* name;
    const char* caption;
    int code;
    int x;
};

struct MaskCase {
    int mask;
    std::vector<ExpectedButton> buttons;  // left to right; the first answers Enter
};

// Worked from the rule: gap = trunc((342 - 73n) / (n + 1)), k-th button at gap*k + 73*(k-1).
const std::vector<MaskCase>& maskCases() {
    static const std::vector<MaskCase> cases = {
        {0, {}},
        {1, {{"BE1", "DA", 6, 134}}},
        {2, {{"BE2", "NU", 7, 134}}},
        {3, {{"BE1", "DA", 6, 65}, {"BE2", "NU", 7, 203}}},
        {4, {{"BE4", "OK", 1, 134}}},
        {5, {{"BE1", "DA", 6, 65}, {"BE4", "OK", 1, 203}}},
        {6, {{"BE2", "NU", 7, 65}, {"BE4", "OK", 1, 203}}},
        {7, {{"BE1", "DA", 6, 30}, {"BE2", "NU", 7, 133}, {"BE4", "OK", 1, 236}}},
        {8, {{"BE3", "RENUNT", 2, 134}}},
        {9, {{"BE1", "DA", 6, 65}, {"BE3", "RENUNT", 2, 203}}},
        {10, {{"BE2", "NU", 7, 65}, {"BE3", "RENUNT", 2, 203}}},
        {11, {{"BE1", "DA", 6, 30}, {"BE2", "NU", 7, 133}, {"BE3", "RENUNT", 2, 236}}},
        {12, {{"BE3", "RENUNT", 2, 65}, {"BE4", "OK", 1, 203}}},
        {13, {{"BE1", "DA", 6, 30}, {"BE3", "RENUNT", 2, 133}, {"BE4", "OK", 1, 236}}},
        {14, {{"BE2", "NU", 7, 30}, {"BE3", "RENUNT", 2, 133}, {"BE4", "OK", 1, 236}}},
        {15, {{"BE1", "DA", 6, 10}, {"BE2", "NU", 7, 93}, {"BE3", "RENUNT", 2, 176}, {"BE4", "OK", 1, 259}}},
        {16 | 4, {{"BE4", "OK", 1, 134}}},  // unknown bits are ignored
    };
    return cases;
}

QPushButton* buttonNamed(const TErori& dialog, const QString& name) {
    return dialog.findChild<QPushButton*>(name);
}

void press(QWidget& w, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&w, &down);
}

}  // namespace

TEST(MessageLayout, PlacesTheButtonsOfEveryMask) {
    for (const MaskCase& c : maskCases()) {
        SCOPED_TRACE(c.mask);
        const ButtonPlan plan = planButtons(c.mask);
        ASSERT_EQ(plan.buttons.size(), c.buttons.size());
        EXPECT_EQ(plan.shown(), !c.buttons.empty());
        EXPECT_EQ(plan.defaultCode, c.buttons.empty() ? 0 : c.buttons.front().code);
        for (size_t i = 0; i < c.buttons.size(); ++i) {
            EXPECT_EQ(plan.buttons[i].name, c.buttons[i].name);
            EXPECT_EQ(plan.buttons[i].caption, c.buttons[i].caption);
            EXPECT_EQ(plan.buttons[i].code, c.buttons[i].code);
            EXPECT_EQ(plan.buttons[i].x, c.buttons[i].x);
            EXPECT_EQ(plan.buttons[i].width, 73);
        }
    }
}

TEST(MessageLayout, KindsChooseCaptionColoursAndIcon) {
    struct Case {
        int kind;
        const char* caption;
        QColor from, to;
        MessageIcon icon;
    };
    const std::vector<Case> cases = {
        {0, "Atentie !", QColor(183, 177, 138), QColor(56, 54, 35), MessageIcon::Warning},
        {1, "Eroare", QColor(255, 213, 213), QColor(255, 0, 0), MessageIcon::Critical},
        {2, "Informatie", QColor(225, 222, 250), QColor(0, 0, 187), MessageIcon::Information},
        {3, "Confirmare", QColor(129, 162, 211), QColor(54, 95, 156), MessageIcon::Question},
        {4, "Eroare", QColor(255, 213, 213), QColor(255, 0, 0), MessageIcon::Critical},
        {-1, "Eroare", QColor(255, 213, 213), QColor(255, 0, 0), MessageIcon::Critical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const MessageStyle s = styleOfKind(c.kind);
        EXPECT_EQ(s.caption, c.caption);
        EXPECT_EQ(s.from, c.from);
        EXPECT_EQ(s.to, c.to);
        EXPECT_EQ(s.icon, c.icon);
    }
}

TEST(MessageLayout, CarriageReturnsBreakLines) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"\rBaza de date X\rNU este accesibila", "\nBaza de date X\nNU este accesibila"},
        {"Linia 1\r\nLinia 2", "Linia 1\nLinia 2"},
        {"\r\n\r\nA\r\rB", "\n\nA\n\nB"},
        {"Fara rupere", "Fara rupere"},
    };
    for (const auto& [text, lines] : cases) EXPECT_EQ(messageLines(text), lines) << qPrintable(text);
}

TEST(TErori, LaysOutTheButtonsOfEveryMask) {
    TErori dialog;
    for (const MaskCase& c : maskCases()) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(dialog.prepare("Titlu", "Text", c.mask, KindConfirmare), !c.buttons.empty());
        int visible = 0;
        for (int i = 0; i < 4; ++i) visible += dialog.button(i)->isVisibleTo(&dialog);
        EXPECT_EQ(visible, int(c.buttons.size()));
        for (size_t i = 0; i < c.buttons.size(); ++i) {
            QPushButton* b = buttonNamed(dialog, c.buttons[i].name);
            ASSERT_NE(b, nullptr);
            EXPECT_TRUE(b->isVisibleTo(&dialog));
            EXPECT_EQ(b->text(), c.buttons[i].caption);
            EXPECT_EQ(b->geometry().x(), c.buttons[i].x);
            EXPECT_EQ(b->width(), 73);
            EXPECT_EQ(b->isDefault(), i == 0);
        }
        EXPECT_EQ(dialog.buttonRow()->width(), 342);
        EXPECT_LE(dialog.buttonRow()->geometry().right(), dialog.width());
    }
}

TEST(TErori, ShowsTheKindAndThePlainText) {
    TErori dialog;
    const std::vector<std::pair<int, QString>> kinds = {
        {KindAtentie, "Atentie !"}, {KindEroare, "Eroare"}, {KindInformatie, "Informatie"},
        {KindConfirmare, "Confirmare"}, {4, "Eroare"}};
    for (const auto& [kind, caption] : kinds) {
        dialog.prepare("Stergere", "x", BtnOk, kind);
        EXPECT_EQ(dialog.windowTitle(), caption);
        const MessageStyle style = styleOfKind(kind);
        EXPECT_EQ(dialog.topBand()->fromColor(), style.from);
        EXPECT_EQ(dialog.bottomBand()->toColor(), style.to);
        EXPECT_FALSE(dialog.iconLabel()->pixmap().isNull());
    }

    // A name typed with "<" and "&" reaches the user as typed, never as markup.
    dialog.prepare("POPESCU <ION>", "\rContribuabilul <b>POPESCU</b> & fiii\r\nare datorii.", BtnOk,
                   KindInformatie);
    EXPECT_EQ(dialog.titleLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.titleLabel()->text(), "POPESCU <ION>");
    EXPECT_EQ(dialog.EroText()->text(), "\nContribuabilul <b>POPESCU</b> & fiii\nare datorii.");
    // Four lines of text (the empty first one included) make the dialog taller than a one-line one.
    const int tall = dialog.height();
    dialog.prepare("T", "Scurt", BtnOk, KindInformatie);
    EXPECT_GT(tall, dialog.height());
}

TEST(TErori, ReturnsTheCodeOfThePressedButton) {
    struct Case {
        const char* name;
        int mask;
        std::function<void(TErori&)> act;
        int code;
    };
    const std::vector<Case> cases = {
        {"DA", 3, [](TErori& d) { buttonNamed(d, "BE1")->click(); }, 6},
        {"NU", 3, [](TErori& d) { buttonNamed(d, "BE2")->click(); }, 7},
        {"RENUNT", 11, [](TErori& d) { buttonNamed(d, "BE3")->click(); }, 2},
        {"OK", 4, [](TErori& d) { buttonNamed(d, "BE4")->click(); }, 1},
        {"Esc", 3, [](TErori& d) { press(d, Qt::Key_Escape); }, 2},
        {"close box", 15, [](TErori& d) { d.close(); }, 2},
        {"Enter takes the first visible button", 6, [](TErori& d) { press(d, Qt::Key_Return); }, 7},
        {"Enter on DA/NU", 3, [](TErori& d) { press(d, Qt::Key_Return); }, 6},
    };
    TErori dialog;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool acted = false;
        // Runs once the modal loop has started.
        QTimer::singleShot(0, &dialog, [&] {
            acted = dialog.isVisible();
            c.act(dialog);
            if (dialog.isVisible()) dialog.done(-1);  // never hang the tests
        });
        EXPECT_EQ(dialog.Show("Inchidere program", "Inchideti?", c.mask, KindConfirmare), c.code);
        EXPECT_TRUE(acted);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(TErori, MaskZeroShowsNothing) {
    TErori dialog;
    bool shown = false;
    QTimer::singleShot(0, &dialog, [&] {
        shown = dialog.isVisible();
        if (shown) dialog.done(-1);
    });
    EXPECT_EQ(dialog.Show("Nimic", "nimic", 0, KindEroare), 2);
    QApplication::processEvents();
    EXPECT_FALSE(shown);
}

TEST(AppInteraction, AsksThroughTErori) {
    AppInteraction ui;
    QTimer::singleShot(0, &ui.dialog(), [&] { buttonNamed(ui.dialog(), "BE2")->click(); });
    EXPECT_EQ(ui.message("Inchidere program", "Inchideti?", BtnDa | BtnNu, KindConfirmare), ReplyNu);
    EXPECT_EQ(ui.dialog().windowTitle(), "Confirmare");
    EXPECT_EQ(&ui.progress(), static_cast<Progress*>(&ui.contor()));
}
