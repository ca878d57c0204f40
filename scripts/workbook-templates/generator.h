// Building blocks of the workbook template generator: named formats and a tabular list layout
// (title lines, headers in up to three levels, the data row with its markers, a total row, signatures).
// Used at development time only; the generated .xlsx files are committed as resources.
#pragma once

#include <xlsxwriter.h>

#include <map>
#include <string>
#include <vector>

namespace gen {

std::string col(int c0);                  // 0-based column -> "A"
std::string cell(int r0, int c0);         // 0-based -> "B5"

class Book {
public:
    explicit Book(const std::string& path);
    ~Book();
    lxw_worksheet* sheet(const std::string& name);
    lxw_format* f(const std::string& name);
    bool close();

private:
    lxw_workbook* wb_;
    std::map<std::string, lxw_format*> formats_;
};

enum class Kind { Text, Center, Int, Area4, Area2, Date, Percent, Formula, Empty };

struct Col {
    std::string head;
    double width = 10;
    std::string marker;      // what the data row holds ("#NUMEP", "%NRCRT"); "" for none
    Kind kind = Kind::Text;
    std::string formula;     // Kind::Formula: "={#V2}+{#V3}" ({#X} is the column holding #X, on the same row)
    char total = 0;          // 0 none, 'S' sum, 'N' count of rows, 'F' totalFormula
    std::string group;       // second header level ("" none)
    std::string band;        // first header level ("" none)
    std::string totalFormula;// 'F': "={#X}/{#Y}" evaluated on the total row
    Kind formulaKind = Kind::Int; // number format of a formula column
    std::string countFormat; // 'N': number format, e.g. 0" contribuabili"
};

struct Line {
    std::string label;       // "" for a line that is only `value`
    std::string value;
    bool bold = false;
};

struct ListSpec {
    std::string sheet = "Lista";
    bool landscape = false;
    std::vector<std::string> top;         // lines at the top left (the unit's name)
    std::string title;
    std::vector<std::string> subtitles;   // centered lines under the title
    std::vector<Line> labels;             // "Localitatea:" [LOC] lines
    std::vector<Col> cols;
    std::string totalLabel = "TOTAL";
    bool total = true;
    std::vector<std::string> footer;      // text lines under the list (signatures)
    bool dbf = true;                      // put "#DBF" right of the table
};

struct Layout {
    int headerFirst = 0; // 0-based rows
    int headerLast = 0;
    int dataRow = 0;
    int totalRow = -1;
    int lastRow = 0;
};

// Writes the list on a new sheet of the book.
Layout list(Book& book, const ListSpec& def);
// The same on an existing sheet, starting at `row` (0-based).
Layout listOn(Book& book, lxw_worksheet* ws, const ListSpec& def, int row);

void pageSetup(lxw_worksheet* ws, bool landscape, int repeatFirst, int repeatLast, int lastRow, int lastCol);
void merge(Book& b, lxw_worksheet* ws, int r1, int c1, int r2, int c2, const std::string& text, const std::string& fmt);

} // namespace gen
