// The log viewer: its grid filled from the chosen log, the two-row header with the band "Data si ora",
// closing that lets go of the rows, a log that cannot be read, and its picture (saved as
// tlogview.png when LIRMA_SCREENS_DIR names a folder, as docs/screens is made under xvfb).
#include "core/activity_log.h"
#include "core/banded_header.h"
#include "core/log_table_model.h"
#include "core/tlogview.h"

#include "platform/storage/storage.h"
#include "platform/ui/scripted_interaction.h"

#include "support/qt_application.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using lirma::base::Folders;
using lirma::core::ActivityLog;
using lirma::core::BandedHeaderView;
using lirma::core::LogSource;
using lirma::core::LogTableModel;
using lirma::core::TLogView;
using lirma::ui::ScriptedInteraction;

namespace {

std::filesystem::path toPath(const QString& p) { return std::filesystem::path(QFile::encodeName(p).toStdString()); }

class TLogViewTest : public testing::Test {
protected:
    TLogViewTest()
    {
        folders = Folders::ForProgram(dir.path());
        EXPECT_TRUE(folders.createMissing());
        data = std::make_unique<lirma::storage::Database>(toPath(folders.data));
        log = std::make_unique<ActivityLog>(
            *data, folders, [this] { return user; }, [this] { return now; });
    }

    void add(const QDateTime& at, const QString& who, const QString& rol, const QString& action)
    {
        now = at;
        user = who;
        ASSERT_TRUE(log->LogAction(rol, action));
    }

    // The texts a row shows, column by column.
    static QStringList rowTexts(const QTableView& grid, int row)
    {
        QStringList out;
        for (int c = 0; c < grid.model()->columnCount(); ++c)
            out << grid.model()->index(row, c).data().toString();
        return out;
    }

    ScriptedInteraction said;
    lirma::ui::ScopedInteraction scope{said};
    QTemporaryDir dir;
    Folders folders;
    std::unique_ptr<lirma::storage::Database> data;
    std::unique_ptr<ActivityLog> log;
    QString user;
    QDateTime now;
};

TEST_F(TLogViewTest, FillsItsGridFromTheChosenLogInTheOrderOfWriting)
{
    add(QDateTime(QDate(2024, 3, 5), QTime(8, 1, 2)), "ADMIN", "", "Pornire program.");
    add(QDateTime(QDate(2024, 3, 5), QTime(8, 15, 40)), "ADMIN", "127", "Adaugat la plata");
    // A row written by another workstation reaches only the general log.
    data->exec("INSERT INTO Log (DATAA, ORA, UTILIZATOR, ROL, ACTIUNE) VALUES (?, ?, ?, ?, ?)",
               {"2024-03-04", "16:20:00", "IONESCU", "88", "Stergere Poprire"});

    TLogView view(*log);
    EXPECT_EQ(view.windowTitle(), "Istoric actiuni");
    EXPECT_EQ(view.titleLabel()->text(), "Istoricul operatiunilor efectuate");
    EXPECT_EQ(view.RenuntButton()->text(), "&Renunt");

    struct Case {
        LogSource source;
        std::vector<QStringList> rows;
    };
    const std::vector<Case> cases = {
        {LogSource::General,
         {{"05.03.2024", "08:01:02", "ADMIN", "", "Pornire program."},
          {"05.03.2024", "08:15:40", "ADMIN", "127", "Adaugat la plata"},
          {"04.03.2024", "16:20:00", "IONESCU", "88", "Stergere Poprire"}}},
        {LogSource::ThisComputer,
         {{"05.03.2024", "08:01:02", "ADMIN", "", "Pornire program."},
          {"05.03.2024", "08:15:40", "ADMIN", "127", "Adaugat la plata"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.source));
        ASSERT_TRUE(view.Load(c.source));
        view.show();
        QApplication::processEvents();
        QTableView* grid = view.grid();
        ASSERT_EQ(grid->model()->rowCount(), int(c.rows.size()));
        for (int r = 0; r < int(c.rows.size()); ++r) EXPECT_EQ(rowTexts(*grid, r), c.rows[size_t(r)]);
        // Every row is laid out in the grid, not merely held by the model.
        EXPECT_GT(grid->rowViewportPosition(int(c.rows.size()) - 1), grid->rowViewportPosition(0));
        EXPECT_EQ(grid->currentIndex().row(), 0);
        view.hide();
    }
    EXPECT_TRUE(said.records().empty());
}

TEST_F(TLogViewTest, TheGridIsReadOnlyUnderATwoRowHeader)
{
    add(QDateTime(QDate(2024, 3, 5), QTime(8, 1, 2)), "ADMIN", "", "Pornire program.");
    TLogView view(*log);
    ASSERT_TRUE(view.Load(LogSource::General));
    view.show();
    QApplication::processEvents();

    QStringList titles;
    for (int c = 0; c < view.model()->columnCount(); ++c)
        titles << view.model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Data", "Ora", "Nume operator", "ROL", "Actiune"}));

    EXPECT_EQ(view.grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(view.model()->flags(view.model()->index(0, 0)) & Qt::ItemIsEditable);

    BandedHeaderView* header = view.header();
    ASSERT_EQ(header, view.grid()->horizontalHeader());
    // The band "Data si ora" covers exactly the first two columns, above their titles.
    for (int c = 0; c < LogTableModel::ColumnCount; ++c) {
        const auto* band = header->bandOf(c);
        EXPECT_EQ(band != nullptr, c < 2) << c;
        if (band) EXPECT_EQ(band->title, "Data si ora");
    }
    const QRect band = header->bandRect(*header->bandOf(0));
    EXPECT_EQ(band.left(), header->sectionViewportPosition(0));
    EXPECT_EQ(band.right(), header->sectionViewportPosition(1) + header->sectionSize(1) - 1);
    EXPECT_EQ(band.height(), header->height() / 2);
    EXPECT_GE(header->height(), 2 * view.grid()->fontMetrics().height());
}

TEST_F(TLogViewTest, ClosingLetsGoOfTheRows)
{
    add(QDateTime(QDate(2024, 3, 5), QTime(8, 1, 2)), "ADMIN", "", "Pornire program.");
    TLogView view(*log);
    int rowsWhileShown = -1;
    QTimer::singleShot(0, &view, [&] {
        rowsWhileShown = view.model()->rowCount();
        view.RenuntButton()->click();
    });
    view.ShowLog(LogSource::ThisComputer);
    EXPECT_EQ(rowsWhileShown, 1);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.model()->rowCount(), 0);
    EXPECT_EQ(view.source(), LogSource::ThisComputer);
}

TEST_F(TLogViewTest, ALogThatCannotBeReadIsReportedAndNotShown)
{
    add(QDateTime(QDate(2024, 3, 5), QTime(8, 1, 2)), "ADMIN", "", "Pornire program.");
    TLogView view(*log);
    ASSERT_TRUE(view.Load(LogSource::General));
    QFile damaged(folders.data + "/Log.dbf");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("damaged");
    damaged.close();

    // Had the window been shown, this would have run inside it.
    bool ranWhileShown = false;
    QTimer::singleShot(0, &view, [&] {
        ranWhileShown = true;
        view.reject();
    });
    view.ShowLog(LogSource::General);
    EXPECT_FALSE(ranWhileShown);
    EXPECT_EQ(view.model()->rowCount(), 0);
    ASSERT_EQ(said.messages().size(), 1u);
    EXPECT_EQ(said.messages()[0].kind, lirma::ui::KindEroare);
    EXPECT_TRUE(said.messages()[0].text.contains(folders.data + "/Log.dbf"));
}

TEST_F(TLogViewTest, Picture)
{
    struct Row {
        int day, h, m, s;
        const char* user;
        const char* rol;
        const char* action;
    };
    const std::vector<Row> rows = {
        {4, 8, 2, 11, "ADMIN", "", "Pornire program."},
        {4, 8, 40, 3, "POPESCU MARIA", "127", "Adaugat la plata"},
        {4, 9, 12, 57, "POPESCU MARIA", "127", "Operat Chitanta nr.1045"},
        {4, 10, 5, 30, "IONESCU ION", "", "Pornire program."},
        {4, 10, 7, 14, "IONESCU ION", "88", "Adaugare Nota de plata nr.311/04.03.2024"},
        {4, 11, 31, 0, "IONESCU ION", "88", "Adaugare Poprire"},
        {5, 8, 0, 45, "POPESCU MARIA", "", "Pornire program."},
        {5, 8, 21, 9, "POPESCU MARIA", "412", "Anulat Chitanta TX nr.1046 / 05.03.2024 - GHEORGHE VASILE"},
        {5, 9, 3, 18, "POPESCU MARIA", "412", "Operat Chitanta nr.1047"},
        {5, 12, 44, 2, "ADMIN", "X", "Preluare date din salvare RA2020."},
        {5, 13, 10, 37, "ADMIN", "", "A fost adaugat BD 7 diferente Taxe-RA."},
        {5, 15, 2, 50, "IONESCU ION", "1203", "Stergere Auto Dosar nr.56"},
    };
    for (const Row& r : rows)
        add(QDateTime(QDate(2024, 3, r.day), QTime(r.h, r.m, r.s)), r.user, r.rol, r.action);

    TLogView view(*log);
    ASSERT_TRUE(view.Load(LogSource::General));
    view.show();
    QApplication::processEvents();
    const QImage image = view.grab().toImage();
    view.hide();
    EXPECT_EQ(image.size(), view.size());
    // The last row is visible without scrolling and its action column is wide enough for its text.
    QTableView* grid = view.grid();
    const int last = int(rows.size()) - 1;
    EXPECT_LE(grid->rowViewportPosition(last) + grid->rowHeight(last), grid->viewport()->height());
    EXPECT_GE(grid->columnWidth(LogTableModel::ColAction),
              grid->fontMetrics().horizontalAdvance(QString::fromUtf8(rows[7].action)));

    const QString out = qEnvironmentVariable("LIRMA_SCREENS_DIR");
    if (!out.isEmpty()) {
        QDir().mkpath(out);
        EXPECT_TRUE(image.save(QDir(out).filePath("tlogview.png")));
    }
}

}  // namespace
