#include "platform/ui/balloon_hint.h"
#include "platform/ui/gradient_panel.h"
#include "platform/ui/qt_interaction.h"
#include "platform/ui/wrapped_text.h"

#include "support/qt_application.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QDir>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace lirma::ui;

namespace {

// The real service with the program's own windows left out.
class BareQtInteraction : public QtInteraction {
public:
    int message(const QString&, const QString&, int, int) override { return ReplyRenunt; }
    Progress& progress() override { return progress_; }
    HeadlessProgress progress_;
};

}  // namespace

TEST(BalloonHint, PointsAtTheFieldAndHidesItselfAfterFiveSeconds) {
    QWidget form;
    form.setGeometry(200, 150, 400, 300);
    auto* layout = new QVBoxLayout(&form);
    auto* field = new QLineEdit(&form);
    layout->addWidget(field);
    layout->addStretch();
    form.show();

    BareQtInteraction ui;
    ui.problem("Completati numele!", field);
    BalloonHint& balloon = BalloonHint::shared();
    EXPECT_TRUE(balloon.isVisible());
    EXPECT_EQ(balloon.message(), "Completati numele!");
    EXPECT_EQ(balloon.control(), field);
    auto* title = balloon.findChild<QLabel*>();
    ASSERT_NE(title, nullptr);
    QStringList labels;
    for (QLabel* l : balloon.findChildren<QLabel*>()) labels << l->text();
    EXPECT_TRUE(labels.contains("Problema !"));

    // Its pointer starts at the field's lower edge, inside the field's width.
    const QPoint fieldBottom = field->mapToGlobal(QPoint(0, field->height()));
    EXPECT_TRUE(balloon.pointsUp());
    EXPECT_EQ(balloon.geometry().top(), fieldBottom.y());
    EXPECT_GE(balloon.geometry().left() + 8, fieldBottom.x() - 18);
    EXPECT_LE(balloon.geometry().left(), fieldBottom.x() + field->width());

    const QTimer& timer = balloon.hideTimer();
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(timer.isSingleShot());
    EXPECT_EQ(timer.interval(), 5000);

    // A click on it dismisses it at once.
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(20, 20), balloon.mapToGlobal(QPointF(20, 20)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&balloon, &click);
    EXPECT_FALSE(balloon.isVisible());
    EXPECT_FALSE(timer.isActive());
}

TEST(WrappedText, BreaksLinesAndOverlongWordsAndKeepsMarkupAsTyped) {
    WrappedText text;
    text.setText("POPESCU <ION>");
    const int oneLine = text.heightForWidth(400);
    EXPECT_GT(oneLine, 0);
    EXPECT_EQ(text.text(), "POPESCU <ION>");

    text.setText("a\nb\nc");
    EXPECT_GE(text.heightForWidth(400), 3 * oneLine - 2);

    // A path without spaces, wider than the line, is broken rather than cut.
    const QString path = "/srv/primaria/impozite/2024/date/server/foarte/lung/Gospodar.dbf";
    text.setText(path);
    const int narrow = text.fontMetrics().horizontalAdvance(path) / 3;
    EXPECT_GE(text.heightForWidth(narrow), 3 * oneLine - 2);
}

TEST(GradientPanel, PaintsFromTheFirstColourToTheSecond) {
    // Pixels are sampled at their centres, so the ends are within one step of the colours.
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
               std::abs(a.blue() - b.blue()) <= 3;
    };
    const QColor from(255, 213, 213), to(255, 0, 0);
    GradientPanel panel(from, to, Qt::Horizontal);
    panel.resize(200, 200);
    const QImage image = panel.grab().toImage();
    EXPECT_TRUE(near(image.pixelColor(0, 100), from));
    EXPECT_TRUE(near(image.pixelColor(199, 100), to));
    EXPECT_TRUE(near(image.pixelColor(100, 0), image.pixelColor(100, 199)));  // no vertical change
    panel.setOrientation(Qt::Vertical);
    const QImage vertical = panel.grab().toImage();
    EXPECT_TRUE(near(vertical.pixelColor(100, 0), from));
    EXPECT_TRUE(near(vertical.pixelColor(100, 199), to));
}

TEST(QtInteraction, DoesNotClaimToOpenAMissingDocument) {
    BareQtInteraction ui;
    QTemporaryDir dir;
    EXPECT_FALSE(ui.openDocument(dir.filePath("Lipsa.rtf")));
    EXPECT_FALSE(ui.openDocument(dir.path()));  // a folder is not a document
}

// Draws a form with the balloon beside its field; saved as a PNG when LIRMA_SCREENS_DIR names a folder.
TEST(Screens, BalloonBesideAField) {
    QWidget form;
    form.setWindowTitle("Contribuabil");
    form.setGeometry(100, 100, 420, 190);
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(new QLabel("C.N.P."));
    auto* field = new QLineEdit(&form);
    field->setText("1234");
    layout->addWidget(field);
    layout->addStretch();
    form.show();
    QApplication::processEvents();

    BalloonHint& balloon = BalloonHint::shared();
    balloon.showFor(field, "C.N.P.-ul trebuie sa aiba 13 cifre!\nVerificati cifra de control.");
    QApplication::processEvents();

    QImage canvas = form.grab().toImage();
    const QImage tip = balloon.grab().toImage();
    const QPoint at = balloon.pos() - form.geometry().topLeft();
    QPainter p(&canvas);
    // Only the balloon's shape, as the mask shows it on screen.
    p.setClipRegion(balloon.mask().translated(at));
    p.drawImage(at, tip);
    p.end();

    // The balloon's body is white and framed; the form shows through beside its pointer.
    const QPoint body = at + QPoint(tip.width() / 2, tip.height() - 6);
    EXPECT_EQ(canvas.pixelColor(body), QColor(Qt::white));
    EXPECT_TRUE(QRect(QPoint(0, 0), canvas.size()).contains(QRect(at, tip.size())));
    balloon.hide();

    const QString dir = qEnvironmentVariable("LIRMA_SCREENS_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(canvas.save(QDir(dir).filePath("balon.png")));
    }
}
