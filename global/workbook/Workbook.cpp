#include "global/workbook/Workbook.h"

#include <QDate>

#include <charconv>
#include <cmath>

namespace global {

QString cellNumberText(double number)
{
    if (!std::isfinite(number))
        return {};
    if (number == 0)
        return QStringLiteral("0");  // also for -0
    char buffer[400];  // the longest fixed notation of a double is 309 digits and a sign
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

double serialDayNumber(int year, int month, int day)
{
    static const qint64 dayZero = QDate(1899, 12, 30).toJulianDay();
    return double(QDate(year, month, day).toJulianDay() - dayZero);
}

QString WorkbookCell::asText() const
{
    switch (kind) {
    case Kind::Text: return text;
    case Kind::Number: return cellNumberText(number);
    case Kind::Boolean: return boolean ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Kind::Empty: break;
    }
    return {};
}

WorkbookCell WorkbookCell::ofText(const QString& text)
{
    WorkbookCell cell;
    if (!text.isEmpty()) {
        cell.kind = Kind::Text;
        cell.text = text;
    }
    return cell;
}

WorkbookCell WorkbookCell::ofNumber(double number)
{
    WorkbookCell cell;
    if (std::isfinite(number)) {
        cell.kind = Kind::Number;
        cell.number = number;
    }
    return cell;
}

WorkbookCell WorkbookCell::ofBoolean(bool value)
{
    WorkbookCell cell;
    cell.kind = Kind::Boolean;
    cell.boolean = value;
    return cell;
}

WorkbookCell WorkbookCell::ofDate(int year, int month, int day)
{
    WorkbookCell cell = ofNumber(serialDayNumber(year, month, day));
    cell.numberFormat = QStringLiteral("yyyy-mm-dd");
    return cell;
}

const WorkbookCell& WorkbookSheet::cell(int row, int column) const
{
    static const WorkbookCell empty;
    const auto r = rows_.find(row);
    if (r == rows_.end())
        return empty;
    const auto c = r->second.find(column);
    return c == r->second.end() ? empty : c->second;
}

void WorkbookSheet::setCell(int row, int column, const WorkbookCell& cell)
{
    if (cell.isEmpty()) {
        const auto r = rows_.find(row);
        if (r == rows_.end())
            return;
        r->second.erase(column);
        if (r->second.empty())
            rows_.erase(r);
        return;
    }
    rows_[row][column] = cell;
}

int WorkbookSheet::lastUsedRow() const
{
    return rows_.empty() ? 0 : rows_.rbegin()->first;
}

int WorkbookSheet::lastUsedColumn() const
{
    int last = 0;
    for (const auto& [row, cells] : rows_)
        last = std::max(last, cells.rbegin()->first);
    return last;
}

std::optional<double> WorkbookSheet::columnWidth(int column) const
{
    const auto it = widths_.find(column);
    if (it == widths_.end())
        return std::nullopt;
    return it->second;
}

QStringList Workbook::sheetNames() const
{
    QStringList names;
    for (const WorkbookSheet& sheet : sheets_)
        names << sheet.name();
    return names;
}

WorkbookSheet* Workbook::sheetNamed(const QString& name)
{
    for (WorkbookSheet& sheet : sheets_)
        if (sheet.name().compare(name, Qt::CaseInsensitive) == 0)
            return &sheet;
    return nullptr;
}

const WorkbookSheet* Workbook::sheetNamed(const QString& name) const
{
    return const_cast<Workbook*>(this)->sheetNamed(name);
}

WorkbookSheet& Workbook::addSheet(const QString& name)
{
    sheets_.emplace_back(name);
    return sheets_.back();
}

WorkbookSheet* Workbook::activeSheet()
{
    if (sheets_.empty())
        return nullptr;
    if (active_ < 0 || active_ >= sheetCount())
        return &sheets_.front();
    return &sheets_[size_t(active_)];
}

const WorkbookSheet* Workbook::activeSheet() const
{
    return const_cast<Workbook*>(this)->activeSheet();
}

} // namespace global
