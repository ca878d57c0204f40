// Draws the message dialog of every kind and the progress window, checks their colours, and saves them
// as PNG files when LIRMA_SCREENS_DIR names a folder (docs/screens is made that way, under xvfb).
#include "app/message_layout.h"
#include "app/tcontor.h"
#include "app/terori.h"

#include "platform/ui/interaction.h"

#include "support/qt_application.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace lirma::app;
using namespace lirma::ui;

namespace {

bool near(QColor a, QColor b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QImage snapshot(QWidget& w) {
    w.show();
    QApplication::processEvents();
    QImage image = w.grab().toImage();
    return image;
}

void keep(const QImage& image, const QString& name) {
    const QString dir = qEnvironmentVariable("LIRMA_SCREENS_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(QDir(dir).filePath(name)));
}

}  // namespace

TEST(Screens, MessageDialogOfEveryKind) {
    struct Case {
        const char* file;
        QString title;
        QString text;
        int buttons;
        int kind;
    };
    const std::vector<Case> cases = {
        {"terori_atentie.png", "Stergere utilizator", "Chiar il stergem pe POPESCU <ION> & FIII?",
         BtnDa | BtnNu, KindAtentie},
        {"terori_eroare.png", "Conectare server",
         "Baza de date /srv/primaria/impozite/2024/date_server_comuna\rNU este accesibila sau este "
         "incompleta!\rVerificati conexiunea si baza si reporniti programul!",
         BtnOk, KindEroare},
        {"terori_informatie.png", "Import date 2023",
         "\rImportul s-a incheiat cu succes!\rPorniti programul din nou!", BtnOk, KindInformatie},
        {"terori_confirmare.png", "Salvare Automata", "\rDoriti sa facem o copie la datele de azi?",
         BtnDa | BtnNu | BtnRenunt, KindConfirmare},
        {"terori_patru_butoane.png", "PROBLEMA", "\rToate cele patru butoane.", kAllButtons, KindConfirmare},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TErori dialog;
        ASSERT_TRUE(dialog.prepare(c.title, c.text, c.buttons, c.kind));
        const QImage image = snapshot(dialog);
        dialog.hide();
        const MessageStyle style = styleOfKind(c.kind);
        const int w = image.width(), h = image.height();
        // Both bands run from the light colour at the left to the dark one at the right.
        EXPECT_TRUE(near(image.pixelColor(1, 2), style.from));
        EXPECT_TRUE(near(image.pixelColor(w - 2, 2), style.to));
        EXPECT_TRUE(near(image.pixelColor(1, h - 2), style.from));
        EXPECT_TRUE(near(image.pixelColor(w - 2, h - 2), style.to));
        // Every visible button lies inside the window.
        for (int i = 0; i < 4; ++i) {
            QWidget* b = dialog.button(i);
            if (!b->isVisibleTo(&dialog)) continue;
            const QRect r(b->mapTo(&dialog, QPoint(0, 0)), b->size());
            EXPECT_TRUE(QRect(0, 0, w, h).contains(r));
        }
        keep(image, c.file);
    }
}

TEST(Screens, ProgressWindow) {
    struct Case {
        const char* file;
        bool stoppable;
    };
    for (const Case c : {Case{"tcontor.png", false}, Case{"tcontor_opreste.png", true}}) {
        SCOPED_TRACE(c.file);
        TContor contor;
        if (c.stoppable) contor.BeginStoppable();
        else contor.Begin();
        contor.setText("Calcul solduri ...");
        contor.setMaximum(10);
        for (int i = 0; i < 4; ++i) contor.Step();
        const QImage image = contor.grab().toImage();
        contor.End();
        ASSERT_EQ(image.size(), QSize(331, 80));
        EXPECT_TRUE(near(image.pixelColor(1, 1), Qt::white));
        EXPECT_TRUE(near(image.pixelColor(1, 78), QColor(0, 100, 0), 10));
        keep(image, c.file);
    }
}
