// Lists written cell by cell: values, dates, merged titles, page breaks and formulas stored with their
// values, which LibreOffice shows as they are.
#include "platform/base/decimal.h"
#include "platform/workbook/xlsx_template.h"
#include "platform/workbook/xlsx_writer.h"

#include "support/libreoffice.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lirma::workbook;

TEST(XlsxWriter, ListWrittenCellByCellReadsBackWithItsTotals)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("borderou.xlsx");
    {
        XlsxWriter w(path);
        w.addSheet("Borderou");
        w.setMargins(0.6, 0.4, 0.3, 0.4);
        w.setHeaderFooter("", "");
        w.setColumnWidths(1, 3, 12);
        CellStyle small = CellStyle().withSize(8);
        CellStyle box = CellStyle().withBorders(BorderAll);
        w.writeText(1, 1, "Primaria TESTENI", small);
        w.merge({3, 2, 3, 5}, "BORDEROU DE DEBITE", box.withBold().withAlign(CellStyle::Align::Center));
        const int64_t amounts[] = {120, 35, 7};
        for (int i = 0; i < 3; ++i) {
            w.writeInteger(5 + i, 1, i + 1, box);
            w.writeText(5 + i, 2, QString("CONTRIBUABIL %1").arg(i + 1), box);
            w.writeInteger(5 + i, 3, amounts[i], box);
            w.writeDate(5 + i, 4, QDate(2024, 3, 10 + i), box);
            w.writeDecimal(5 + i, 5, *lirma::base::Decimal::parse("1.2345"), box.withFormat("0.0000"));
        }
        w.writeBlank(8, 2, box);
        w.writeSum(8, 3, {5, 3, 7, 3}, box.withBold());
        w.writeSum(8, 5, {5, 5, 7, 5}, box.withFormat("0.0000"));
        EXPECT_DOUBLE_EQ(w.numberAt(8, 3), 162);
        w.pageBreakBefore(7);
        w.addSheet("Al doilea");
        w.writeFormula(1, 1, "=2*21", 42);
        ASSERT_TRUE(w.close()) << w.error().toStdString();
    }
    Workbook wb;
    ASSERT_TRUE(wb.open(path));
    EXPECT_EQ(wb.sheetCount(), 2);
    EXPECT_EQ(wb.sheet(0).formula(8, 3), "SUM(C5:C7)");
    EXPECT_EQ(wb.sheet(0).value(8, 3).toDouble(), 162); // the stored value
    EXPECT_EQ(wb.sheet(0).pageBreaks(), std::vector<int>{7});
    EXPECT_EQ(wb.sheet(0).mergedRanges(), std::vector<Range>({{3, 2, 3, 5}}));

    auto tables = lirma::test::LibreOffice::instance().toCsv(path);
    ASSERT_EQ(tables.size(), 2u) << "LibreOffice could not read the workbook";
    const auto& t = tables.at("Borderou");
    EXPECT_EQ(t.cell(1, 1), "Primaria TESTENI");
    EXPECT_EQ(t.cell(3, 2), "BORDEROU DE DEBITE");
    EXPECT_EQ(t.cell(6, 2), "CONTRIBUABIL 2");
    EXPECT_EQ(t.cell(6, 4), "11.03.2024");
    EXPECT_EQ(t.cell(8, 3), "162");
    EXPECT_EQ(t.cell(8, 5), "3.7035");
    EXPECT_EQ(tables.at("Al doilea").cell(1, 1), "42");
}

TEST(XlsxWriter, FailureToWriteIsReported)
{
    XlsxWriter w("/nonexistent-folder/x.xlsx");
    w.writeText(1, 1, "x");
    EXPECT_FALSE(w.close());
    EXPECT_FALSE(w.error().isEmpty());
}
