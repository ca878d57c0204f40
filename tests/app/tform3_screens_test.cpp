// Draws the main window before and after login and "Contul meu", and saves them as PNG files when
// LIRMA_SCREENS_DIR names a folder (docs/screens is made that way, under xvfb).
#include "app/tform3.h"
#include "app/tform5.h"

#include "support/qt_application.h"
#include "tform3_support.h"

#include <QDir>
#include <QImage>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

using namespace lirma;
using lirma::test::MainWindowTest;

namespace {

void keep(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("LIRMA_SCREENS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    EXPECT_TRUE(image.save(QDir(dir).filePath(name)));
}

QImage snapshot(QWidget& w)
{
    w.show();
    QApplication::processEvents();
    return w.grab().toImage();
}

// Every visible main button lies inside the window, left to right without overlapping.
void expectButtonsInside(app::TForm3& form, const QStringList& captions)
{
    int right = -1;
    for (const QString& caption : captions) {
        QToolButton* b = form.button(caption);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isVisible()) << caption.toStdString();
        const QRect r(b->mapTo(&form, QPoint(0, 0)), b->size());
        EXPECT_TRUE(form.rect().contains(r)) << caption.toStdString();
        EXPECT_GT(r.left(), right) << caption.toStdString();
        right = r.right();
        // The strip is laid out for screens 1024 pixels wide or more (offscreen is 800).
        if (form.width() >= 1024) {
            EXPECT_GE(b->width(), b->sizeHint().width()) << "caption cut: " << caption.toStdString();
        }
    }
}

class TForm3Screens : public MainWindowTest {};

TEST_F(TForm3Screens, BeforeAndAfterLogin)
{
    {
        auto form = make();
        const QImage image = snapshot(*form);
        EXPECT_EQ(form->frameGeometry().width(), form->screen()->availableGeometry().width());
        EXPECT_TRUE(form->loginPanel()->isVisible());
        keep(image, "tform3_login.png");
        form->hide();
    }
    {
        // The program as it stands: only the commands whose windows exist.
        auto form = make();
        form->show();
        logIn(*form, "ADMIN", "123");
        expectButtonsInside(*form, {"Utilitare", "Iesire"});
        keep(snapshot(*form), "tform3_admin.png");
        form->hide();
    }
    struct Who {
        const char* name;
        const char* password;
        const char* file;
        QStringList buttons;
    };
    const std::vector<Who> people = {
        {"ADMIN", "123", "tform3_admin_all_commands.png",
         {"Incasari", "Registru de Casa", "Gospodarii -Roluri-", "Liste si Formulare", "Administrare",
          "Utilitare", "Iesire"}},
        {"CASIER", "CA", "tform3_casier_all_commands.png",
         {"Incasari", "Registru de Casa", "Liste si Formulare", "Utilitare", "Iesire"}},
    };
    for (const Who& who : people) {
        SCOPED_TRACE(who.name);
        core::ClearCurrentUser();
        // Every command bound, as the window will look once every subsystem is there.
        auto form = make(boundCommands());
        form->show();
        logIn(*form, who.name, who.password);
        expectButtonsInside(*form, who.buttons);
        keep(snapshot(*form), who.file);
        if (QString(who.name) == "ADMIN") {
            QMenu* util = form->menu("Utilitare");
            emit util->aboutToShow();
            util->adjustSize();
            keep(snapshot(*util), "tform3_utilitare.png");
            util->hide();
            QMenu* lists = form->menu("Liste si Formulare");
            lists->adjustSize();
            keep(snapshot(*lists), "tform3_liste.png");
            lists->hide();
        }
        form->hide();
    }
}

TEST_F(TForm3Screens, OwnAccount)
{
    auto form = make();
    logIn(*form, "OPER", "OP");
    app::TForm5& account = form->ownAccountWindow();
    account.prepare();
    keep(snapshot(account), "tform5.png");
    account.hide();
}

} // namespace
