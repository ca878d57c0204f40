#include "app/tcontor.h"

#include "support/qt_application.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

using lirma::app::TContor;

namespace {

// A window the user was working in when a long operation started.
class TContorTest : public testing::Test {
protected:
    void SetUp() override {
        window.setWindowTitle("Gospodarii");
        window.resize(300, 200);
        activate(window);
    }
    static void activate(QWidget& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), &w);
    }
    QWidget window;
    TContor contor;
};

}  // namespace

TEST_F(TContorTest, LooksAsDesigned) {
    EXPECT_EQ(contor.size(), QSize(331, 80));
    EXPECT_TRUE(contor.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(contor.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(contor.windowTitle(), "Contor");
    EXPECT_TRUE(contor.Descr()->font().bold());
    EXPECT_EQ(contor.Bar()->maximum(), 100);
    EXPECT_EQ(contor.stopButton()->text(), "Opreste");
    EXPECT_FALSE(contor.stopButton()->isVisibleTo(&contor));
}

TEST_F(TContorTest, BeginDisablesTheActiveWindowAndEndGivesItBack) {
    contor.setPosition(40);
    contor.Begin();
    EXPECT_TRUE(contor.isVisible());
    EXPECT_EQ(contor.position(), 0);
    EXPECT_EQ(contor.rememberedWindow(), &window);
    EXPECT_FALSE(window.isEnabled());
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(contor.stopButton()->isVisible());

    contor.End();
    EXPECT_FALSE(contor.isVisible());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(contor.rememberedWindow(), nullptr);

    // End without Begin touches nothing.
    window.setEnabled(false);
    contor.End();
    EXPECT_FALSE(window.isEnabled());
}

TEST_F(TContorTest, StepStopsAtTheMaximum) {
    contor.Begin();
    contor.setMaximum(3);
    const std::vector<int> expected = {1, 2, 3, 3, 3};
    for (int want : expected) {
        contor.Step();
        EXPECT_EQ(contor.position(), want);
    }
    contor.setPosition(7);
    EXPECT_EQ(contor.position(), 3);
    contor.setMaximum(2);
    EXPECT_EQ(contor.Bar()->value(), 2);
    contor.End();
}

TEST_F(TContorTest, ASecondBeginOnlyResets) {
    contor.Begin();
    for (int i = 0; i < 5; ++i) contor.Step();
    // Meanwhile another window became the active one.
    QWidget other;
    activate(other);
    contor.BeginStoppable();
    EXPECT_EQ(contor.position(), 0);
    EXPECT_TRUE(contor.stopButton()->isVisible());
    EXPECT_EQ(contor.rememberedWindow(), &window);
    EXPECT_TRUE(other.isEnabled());

    contor.End();
    EXPECT_TRUE(window.isEnabled());
    EXPECT_FALSE(contor.isVisible());
}

TEST_F(TContorTest, OpresteRequestsAStopUntilTheNextBegin) {
    contor.BeginStoppable();
    EXPECT_TRUE(contor.stopButton()->isVisible());
    EXPECT_FALSE(contor.StopRequested());
    contor.stopButton()->click();
    EXPECT_TRUE(contor.StopRequested());
    contor.Begin();
    EXPECT_FALSE(contor.StopRequested());
    EXPECT_FALSE(contor.stopButton()->isVisible());
    contor.End();
}

TEST_F(TContorTest, AWindowClosedMeanwhileIsForgotten) {
    auto* doomed = new QWidget;
    activate(*doomed);
    contor.Begin();
    EXPECT_EQ(contor.rememberedWindow(), doomed);
    delete doomed;
    contor.End();  // must not touch the deleted window
    EXPECT_FALSE(contor.isVisible());
}
