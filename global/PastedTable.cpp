#include "global/PastedTable.h"

#include "global/Deform.h"

#include <cmath>

namespace global {

namespace {

bool isDropped(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 32 && u != u'\t') || (u >= 127 && u <= 159);
}

PastedRow rowOf(int line, const QString& text)
{
    PastedRow row;
    row.line = line;
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text)
        if (!isDropped(c))
            clean.append(c);
    for (const QString& field : clean.split(QLatin1Char('\t')))
        row.fields << field.trimmed();
    return row;
}

bool isBlank(const PastedRow& row)
{
    for (const QString& field : row.fields)
        if (!field.isEmpty())
            return false;
    return true;
}

} // namespace

double pastedNumber(const QString& field)
{
    return std::round(deform(field));   // std::round rounds half away from zero
}

std::optional<uint32_t> PastedRow::count(int index) const
{
    const double value = pastedNumber(field(index));
    if (!(value >= 1 && value <= double(PastedNumberMax)))
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

PastedTable readPastedTable(const QString& text)
{
    PastedTable table;
    int line = 1;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i <= size; ++i) {
        const bool end = i == size;
        const QChar c = end ? QChar() : text.at(i);
        if (!end && c != u'\r' && c != u'\n')
            continue;
        PastedRow row = rowOf(line, text.mid(start, i - start));
        if (!isBlank(row))
            table.rows.append(std::move(row));
        if (!end && c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;   // carriage return + line feed end one line
        start = i + 1;
        ++line;
    }
    return table;
}

} // namespace global
