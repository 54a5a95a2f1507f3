#pragma once
// A spreadsheet workbook held in memory: its sheets in order, the cells of each by 1-based row and
// column, the column widths and which sheet is active. Workbooks are read from files with
// readWorkbook() (WorkbookReader.h) and written with writeWorkbook() (WorkbookWriter.h).
//
//   Workbook book;
//   WorkbookSheet& sheet = book.addSheet("Cuts");
//   sheet.setText(2, 2, "No");
//   sheet.setNumber(3, 2, 17);
//   sheet.cellText(3, 2)   // "17"
//   sheet.lastUsedRow()    // 3

#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace global {

// One cell. A formula cell keeps its formula and the result last computed by the spreadsheet
// program (its cached result), which is the value it shows and reads as.
struct WorkbookCell {
    enum class Kind { Empty, Text, Number, Boolean };
    Kind kind = Kind::Empty;   // of the value, or of a formula's cached result
    QString text;              // Kind::Text
    double number = 0;         // Kind::Number (NaN never: it reads as empty)
    bool boolean = false;      // Kind::Boolean
    QString formula;           // without the leading "="; empty for a plain value
    // How a number is shown: a format code of the cell's own ("yyyy-mm-dd", "0.00"), else one of
    // the spreadsheet program's built-in formats by number (14 a date, 2 two decimals, ...), else
    // (both empty) the general format.
    QString numberFormat;
    int builtinFormat = 0;

    bool isEmpty() const { return kind == Kind::Empty && formula.isEmpty(); }
    // The cell as text: numbers in plain decimal notation with "." and never an exponent, booleans
    // "TRUE"/"FALSE", a formula its cached result, a date its serial day number, empty otherwise.
    QString asText() const;

    static WorkbookCell ofText(const QString& text);
    static WorkbookCell ofNumber(double number);
    static WorkbookCell ofBoolean(bool value);
    // The serial day number of a date as spreadsheets count it (1900-03-01 is day 61).
    static WorkbookCell ofDate(int year, int month, int day);
};

// A number as a cell shows it in text: plain decimal notation, "." as the separator, no exponent,
// the fewest digits that read back as the same number; "" for NaN and infinities.
QString cellNumberText(double number);
// The serial day number of a calendar date (days since 1899-12-30).
double serialDayNumber(int year, int month, int day);

class WorkbookSheet {
public:
    explicit WorkbookSheet(QString name) : name_(std::move(name)) {}

    const QString& name() const { return name_; }
    void rename(const QString& name) { name_ = name; }

    // Rows and columns start at 1; a cell never written is empty.
    const WorkbookCell& cell(int row, int column) const;
    QString cellText(int row, int column) const { return cell(row, column).asText(); }
    void setCell(int row, int column, const WorkbookCell& cell);
    void setText(int row, int column, const QString& text) { setCell(row, column, WorkbookCell::ofText(text)); }
    void setNumber(int row, int column, double number) { setCell(row, column, WorkbookCell::ofNumber(number)); }
    void clearCell(int row, int column) { setCell(row, column, WorkbookCell{}); }

    // The last row holding a non-empty cell; 0 for an empty sheet. Rows below gaps count.
    int lastUsedRow() const;
    // The last column holding a non-empty cell in any row; 0 for an empty sheet.
    int lastUsedColumn() const;

    // Column widths in characters, as the spreadsheet program keeps them; none for the default.
    std::optional<double> columnWidth(int column) const;
    void setColumnWidth(int column, double width) { widths_[column] = width; }
    const std::map<int, double>& columnWidths() const { return widths_; }

    // Every non-empty cell row by row, columns ascending.
    const std::map<int, std::map<int, WorkbookCell>>& rows() const { return rows_; }

private:
    QString name_;
    std::map<int, std::map<int, WorkbookCell>> rows_;
    std::map<int, double> widths_;
};

class Workbook {
public:
    int sheetCount() const { return int(sheets_.size()); }
    // Sheets by 0-based position, in the order the spreadsheet program shows them.
    WorkbookSheet& sheet(int index) { return sheets_.at(size_t(index)); }
    const WorkbookSheet& sheet(int index) const { return sheets_.at(size_t(index)); }
    QStringList sheetNames() const;
    // The sheet of that name (compared without regard to case, as spreadsheet programs do);
    // nullptr when there is none.
    WorkbookSheet* sheetNamed(const QString& name);
    const WorkbookSheet* sheetNamed(const QString& name) const;
    // Appends a sheet after the others; the first sheet added becomes the active one.
    WorkbookSheet& addSheet(const QString& name);

    // The sheet the spreadsheet program opens on: the active sheet, else the first; nullptr for a
    // workbook without sheets.
    WorkbookSheet* activeSheet();
    const WorkbookSheet* activeSheet() const;
    int activeSheetIndex() const { return active_; }
    void setActiveSheet(int index) { active_ = index; }

private:
    std::vector<WorkbookSheet> sheets_;
    int active_ = 0;
};

} // namespace global
