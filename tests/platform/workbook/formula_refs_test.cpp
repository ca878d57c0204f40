// Moving references in formula text: rows and columns inserted, copied and deleted, copies of a formula.
#include "platform/workbook/formula_refs.h"

#include <gtest/gtest.h>

using namespace lirma::workbook;

TEST(FormulaRefs, ShiftOnTheEditedSheet)
{
    struct Case {
        const char* what;
        const char* formula;
        Edit edit;
        bool grow;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"rows inserted inside a range grow it", "SUM(F9:F12)", Edit::Insert(Axis::Rows, 10, 3), true, "SUM(F9:F15)"},
        {"rows inserted at a range's first row move it", "SUM(F9:F12)", Edit::Insert(Axis::Rows, 9, 2), true, "SUM(F11:F14)"},
        {"rows inserted below a range leave it", "SUM(F9:F12)", Edit::Insert(Axis::Rows, 13, 2), true, "SUM(F9:F12)"},
        {"copies below the data row join its total", "SUM(F9:F9)", Edit::InsertCopies(Axis::Rows, 10, 4, 9, 9), true, "SUM(F9:F13)"},
        {"copies below a block join a range holding the block", "SUM(F8:F10)", Edit::InsertCopies(Axis::Rows, 11, 3, 9, 10), true, "SUM(F8:F13)"},
        {"a range starting inside the block does not take copies", "SUM(F10:F10)", Edit::InsertCopies(Axis::Rows, 11, 3, 9, 10), true, "SUM(F10:F10)"},
        {"the block's own formulas do not take copies", "SUM($F$9:F9)", Edit::InsertCopies(Axis::Rows, 10, 4, 9, 9), false, "SUM($F$9:F9)"},
        {"a single reference to the copied row stays", "F9*2", Edit::InsertCopies(Axis::Rows, 10, 4, 9, 9), true, "F9*2"},
        {"absolute references move with the cells", "$F$12+F$12+$F12", Edit::Insert(Axis::Rows, 10, 1), true, "$F$13+F$13+$F13"},
        {"deleted rows inside a range shrink it", "SUM(F9:F15)", Edit::Delete(Axis::Rows, 10, 12), true, "SUM(F9:F12)"},
        {"deleting a range's first rows", "SUM(F9:F15)", Edit::Delete(Axis::Rows, 8, 10), true, "SUM(F8:F12)"},
        {"deleting every row of a range", "SUM(F9:F10)+1", Edit::Delete(Axis::Rows, 9, 10), true, "SUM(#REF!)+1"},
        {"deleting the cell of a single reference", "A5+B6", Edit::Delete(Axis::Rows, 5, 5), true, "#REF!+B5"},
        {"whole columns ignore row edits", "SUM(F:F)+SUM(3:4)", Edit::Insert(Axis::Rows, 2, 2), true, "SUM(F:F)+SUM(5:6)"},
        {"columns inserted inside a range", "SUM(B2:E2)", Edit::Insert(Axis::Columns, 3, 2), true, "SUM(B2:G2)"},
        {"column copies right of a block join a range holding it", "SUM(F9:F9)", Edit::InsertCopies(Axis::Columns, 7, 2, 6, 6), true, "SUM(F9:H9)"},
        {"columns deleted", "A1+D1+SUM(B1:E1)", Edit::Delete(Axis::Columns, 2, 3), true, "A1+B1+SUM(B1:C1)"},
        {"whole rows ignore column edits", "SUM(2:3)+SUM(C:D)", Edit::Insert(Axis::Columns, 1, 1), true, "SUM(2:3)+SUM(D:E)"},
        {"text in quotes is not a reference", "IF(A5>0,\"A5:B9\",B9)", Edit::Insert(Axis::Rows, 5, 1), true, "IF(A6>0,\"A5:B9\",B10)"},
        {"function names that look like cells", "LOG10(A10)+ATAN2(B2,C20)", Edit::Insert(Axis::Rows, 3, 1), true, "LOG10(A11)+ATAN2(B2,C21)"},
        {"names are left alone", "Total_an+AB", Edit::Insert(Axis::Rows, 1, 1), true, "Total_an+AB"},
        {"references to the sheet by name", "Lista!A5+'Lista'!B5", Edit::Insert(Axis::Rows, 5, 1), true, "Lista!A6+'Lista'!B6"},
        {"references to another sheet stay", "Alta!A5+A5", Edit::Insert(Axis::Rows, 5, 1), true, "Alta!A5+A6"},
        {"numbers are not references", "A2*1.5E3+2:3", Edit::Insert(Axis::Rows, 1, 1), true, "A3*1.5E3+3:4"},
    };
    for (const Case& c : cases) {
        FormulaPlace place{"Lista", true, c.grow};
        EXPECT_EQ(ShiftFormula(c.formula, c.edit, place), c.expected) << c.what;
    }
}

TEST(FormulaRefs, FormulasOnOtherSheetsFollowOnlyQualifiedReferences)
{
    FormulaPlace place{"Date 1", false, true};
    Edit edit = Edit::Insert(Axis::Rows, 3, 2);
    EXPECT_EQ(ShiftFormula("'Date 1'!$A$1:$H$20", edit, place), "'Date 1'!$A$1:$H$22");
    EXPECT_EQ(ShiftFormula("SUM('date 1'!B3:B4)+B3", edit, place), "SUM('date 1'!B5:B6)+B3");
    EXPECT_EQ(ShiftFormula("'Date 1'!$7:$8", Edit::Delete(Axis::Rows, 7, 8), place), "'Date 1'!#REF!");
}

TEST(FormulaRefs, CopiedFormulasMoveTheirRelativeParts)
{
    struct Case {
        const char* formula;
        int dr;
        int dc;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"F9+G9", 3, 0, "F12+G12"},
        {"SUM($F$9:F9)", 2, 0, "SUM($F$9:F11)"},
        {"$A1+A$1", 1, 1, "$A2+B$1"},
        {"SUM(C:C)", 5, 1, "SUM(D:D)"},
        {"A1", -1, 0, "#REF!"},
        {"Alta!B2*2", 1, 0, "Alta!B3*2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OffsetFormula(c.formula, c.dr, c.dc), c.expected) << c.formula;
}

TEST(FormulaRefs, RangeListsAndSheetNames)
{
    EXPECT_EQ(ShiftRangeList("A1:B2 D9 F9:F9", Edit::InsertCopies(Axis::Rows, 10, 2, 9, 9), true), "A1:B2 D9:D11 F9:F11");
    EXPECT_EQ(ShiftRangeList("A5:B5 C7", Edit::Delete(Axis::Rows, 5, 5), true), "C6");
    EXPECT_EQ(QuoteSheetName("Sheet1"), "Sheet1");
    EXPECT_EQ(QuoteSheetName("Lista de incasat"), "'Lista de incasat'");
    EXPECT_EQ(QuoteSheetName("AB12"), "'AB12'");
    EXPECT_EQ(QuoteSheetName("O'Neil"), "'O''Neil'");
    EXPECT_EQ(RenameSheetInFormula("Sursa!A1+'Sursa'!B2+A3", "sursa", "Copie 1"), "'Copie 1'!A1+'Copie 1'!B2+A3");
}
