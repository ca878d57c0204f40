#include "app/tform1.h"

#include "startup_support.h"
#include "support/qt_application.h"

#include "platform/base/edition.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

using namespace lirma;
using lirma::app::TForm1;

namespace {

class TForm1Test : public lirma::test::StartupTest {
protected:
    // Shows the window and lets its timer run the whole start; the exit code it finished with.
    std::optional<int> runToEnd(TForm1& form)
    {
        std::optional<int> code;
        QEventLoop loop;
        QObject::connect(&form, &TForm1::finished, &loop, [&](int c) {
            code = c;
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit); // a hang fails the test, not the run
        form.show();
        loop.exec();
        return code;
    }

    bool exists(const char* folder) const { return QFileInfo(program + "/" + folder).isDir(); }
};

} // namespace

TEST_F(TForm1Test, LooksAsDesignedBeforeItRuns)
{
    TForm1 form(options(), {});
    EXPECT_EQ(form.windowTitle(), "Zoza zi roduvuru - Initializare");
    EXPECT_EQ(form.Label1()->text(), "Lirma 2024 ver. 1.0029");
    EXPECT_EQ(form.Label2()->text(), "Lirma 2024 ver. 1.0029");
    EXPECT_EQ(form.Status()->text(), "Incarcare date");
    EXPECT_EQ(form.Bar1()->minimum(), 0);
    EXPECT_EQ(form.Bar1()->maximum(), 100);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(form.Timer1()->isActive());
    EXPECT_EQ(form.sequence(), nullptr);

    form.show();
    QApplication::processEvents();
    const QImage image = form.grab().toImage();
    const QString dir = qEnvironmentVariable("LIRMA_SCREENS_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        EXPECT_TRUE(image.save(QDir(dir).filePath("tform1.png")));
    }
    // Showing starts the timer; the sequence itself waits for it.
    EXPECT_TRUE(form.Timer1()->isActive());
    EXPECT_EQ(form.sequence(), nullptr);
    form.hide();
}

TEST_F(TForm1Test, RunsTheStartOnceThenTheMainWindowThenRemovesTheWorkFolders)
{
    int mainWindows = 0;
    TForm1* self = nullptr;
    TForm1 form(options(), [&] {
        ++mainWindows;
        // While the main window runs: start-up done, its window out of the way.
        EXPECT_FALSE(self->isVisible());
        EXPECT_TRUE(exists("Temp"));
        EXPECT_TRUE(exists("TmpSQL"));
        EXPECT_TRUE(QFileInfo::exists(data("Gospodar.dbf")));
        EXPECT_EQ(self->Status()->text(), "Incarcare ...");
        EXPECT_EQ(self->Bar1()->value(), 100); // 50 + 65, held at the end
        EXPECT_NE(self->cursor().shape(), Qt::WaitCursor);
    });
    self = &form;

    EXPECT_EQ(runToEnd(form), 0);
    EXPECT_EQ(mainWindows, 1);
    EXPECT_FALSE(exists("Temp"));
    EXPECT_FALSE(exists("TmpSQL"));
    EXPECT_TRUE(exists("Data"));
    EXPECT_TRUE(user.messages().empty());

    // The timer never runs it twice.
    form.Timer1Timer();
    EXPECT_EQ(mainWindows, 1);
}

TEST_F(TForm1Test, AFailedStartIsShownAndEndsWithoutTheMainWindow)
{
    ASSERT_TRUE(QDir().mkpath(data("Lirma.set"))); // no counter can be drawn
    bool mainWindow = false;
    TForm1 form(options(), [&] { mainWindow = true; });

    EXPECT_EQ(runToEnd(form), 1);
    EXPECT_FALSE(mainWindow);
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages().front().title, "Lirma 2024");
    EXPECT_EQ(user.messages().front().kind, ui::KindEroare);
    EXPECT_TRUE(user.messages().front().text.contains("tables"));
    EXPECT_FALSE(exists("Temp"));
    EXPECT_FALSE(exists("TmpSQL"));
}

TEST_F(TForm1Test, AFailedMaintenanceIsToldOnceTheMainWindowClosed)
{
    {
        app::StartupSequence first(options(QDate(2024, 3, 1)));
        first.run();
    }
    damage(data("Pag2.dbf"));
    size_t messagesDuringMainWindow = 99;
    TForm1 form(options(QDate(2024, 3, 2)), [&] { messagesDuringMainWindow = user.messages().size(); });

    EXPECT_EQ(runToEnd(form), 0);
    EXPECT_EQ(messagesDuringMainWindow, 0u);
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_TRUE(user.messages().front().text.contains("Pag2.dbf"));
    EXPECT_EQ(user.messages().front().kind, ui::KindEroare);
    EXPECT_TRUE(form.sequence()->report().reseeded);
    EXPECT_FALSE(exists("Temp"));
}
