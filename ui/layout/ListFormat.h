#pragma once
// The column layout of a list as it is stored in CFG:FORMAT: the shown columns in display order,
// each by its data field and width. Captions are not stored: they follow the list's language.
// The text form is "FIELD=width;FIELD=width;...".

#include <QList>
#include <QString>
#include <QStringList>

class QHeaderView;

namespace layout {

struct ListColumn {
    QString field;
    int width = 0;
    bool operator==(const ListColumn&) const = default;
};

struct ListFormat {
    QList<ListColumn> columns;

    bool isEmpty() const { return columns.isEmpty(); }
    bool operator==(const ListFormat&) const = default;

    QString toText() const;
    // Unknown or malformed pieces are skipped; an empty text gives an empty format.
    static ListFormat fromText(const QString& text);

    // The layout a header shows now, with fields[i] naming logical column i.
    static ListFormat fromHeader(const QHeaderView& header, const QStringList& fields);
    // Shows the format's columns in its order and widths and hides the others. A format that
    // names none of the fields leaves the header as it is and returns false.
    bool applyTo(QHeaderView& header, const QStringList& fields) const;
};

// CFG:VARLINE: the list's data fields in column order; a stored format whose field line differs
// no longer fits the list.
QString fieldLine(const QStringList& fields);

} // namespace layout
