#include "ui/layout/ListFormat.h"

#include <QHeaderView>

namespace layout {

QString ListFormat::toText() const
{
    QStringList parts;
    for (const auto& column : columns)
        parts << column.field + QLatin1Char('=') + QString::number(column.width);
    return parts.join(QLatin1Char(';'));
}

ListFormat ListFormat::fromText(const QString& text)
{
    ListFormat format;
    const QStringList parts = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const int eq = part.lastIndexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        bool ok = false;
        const int width = part.mid(eq + 1).trimmed().toInt(&ok);
        if (!ok || width < 0)
            continue;
        format.columns.append({part.left(eq).trimmed(), width});
    }
    return format;
}

ListFormat ListFormat::fromHeader(const QHeaderView& header, const QStringList& fields)
{
    ListFormat format;
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        if (logical < 0 || logical >= fields.size() || header.isSectionHidden(logical))
            continue;
        format.columns.append({fields.at(logical), header.sectionSize(logical)});
    }
    return format;
}

bool ListFormat::applyTo(QHeaderView& header, const QStringList& fields) const
{
    QList<int> shown;
    for (const auto& column : columns) {
        const int logical = fields.indexOf(column.field);
        if (logical >= 0 && logical < header.count() && !shown.contains(logical))
            shown.append(logical);
    }
    if (shown.isEmpty())
        return false;
    for (int i = 0; i < shown.size(); ++i) {
        const int logical = shown.at(i);
        header.setSectionHidden(logical, false);
        header.moveSection(header.visualIndex(logical), i);
    }
    for (const auto& column : columns) {
        const int logical = fields.indexOf(column.field);
        if (logical >= 0 && logical < header.count() && column.width > 0)
            header.resizeSection(logical, column.width);
    }
    for (int logical = 0; logical < header.count(); ++logical)
        header.setSectionHidden(logical, !shown.contains(logical));
    return true;
}

QString fieldLine(const QStringList& fields)
{
    return fields.join(QLatin1Char(','));
}

} // namespace layout
