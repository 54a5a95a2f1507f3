#pragma once
// The rows of a browse: the records of one key range of one table (KeyRange.h), read page by page
// through the table's cursor, so that a list over a table of any size opens at once. The model
// holds a window of the range: it grows at the bottom when the list scrolls down (fetchMore) and
// at the top when it scrolls up (fetchPrevious); locating a record (typing, re-locating after a
// form, the end of the list) loads the rows around it without reading those in between.
//
// Tags: records the operator marked (Ctrl/Shift-click, tag all), kept by position so that they
// stay marked while the rows are read again; changing the range drops them.
//
// Every read answers 0 or an error number of the table layer; a failed read keeps the rows shown
// and emits readFailed() for the window to report.

#include "global/Database.h"
#include "global/Table.h"
#include "ui/browse/BrowseColumn.h"
#include "ui/browse/KeyRange.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QList>
#include <QSet>
#include <QStringList>

#include <limits>
#include <variant>

namespace ui {

class BrowseModelBase : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        TaggedRole = Qt::UserRole + 1,   // bool
        PositionRole,                    // the record's position (text)
    };
    static constexpr int DefaultPageSize = 100;

    // translationContext: where the column captions are translated.
    explicit BrowseModelBase(const char* translationContext, QObject* parent = nullptr);

    int pageSize() const { return pageSize_; }
    void setPageSize(int rows) { pageSize_ = qMax(1, rows); }

    // The first page of the range. 0 or an error number.
    virtual int reload() = 0;
    // The last page of the range. 0 or an error number.
    virtual int loadEnd() = 0;
    // Whether records of the range lie before the first row held, and the page before it; the
    // number of rows added at the top.
    virtual bool canFetchPrevious() const = 0;
    virtual int fetchPrevious() = 0;
    // Locates the first record at or after the typed text in the key component that follows the
    // range's prefix (the list's locator); the row, or -1 when the range is empty or the text does
    // not fit the component (letters for a number).
    virtual int locateText(const QString& typed) = 0;
    // The record at this position again, or the one that took its place when it is gone or left
    // the range; the row, or -1 when the range is empty.
    virtual int relocateAt(const QString& position) = 0;
    virtual QString positionAt(int row) const = 0;
    int rowOfPosition(const QString& position) const;

    bool isTagged(int row) const;
    void setTagged(int row, bool tagged);
    void toggleTag(int row);
    // Toggles every row from `from` to `to`, both included, in either direction.
    void toggleTags(int from, int to);
    // Tags every record of the range, also those not read yet. 0 or an error number.
    virtual int tagAll() = 0;
    // Tags every record of the key range, also those the range's filter leaves out of the list
    // (a list that tags "all open orders" whatever the operator has filtered). 0 or an error number.
    virtual int tagWholeRange() = 0;
    void untagAll();
    int taggedCount() const { return int(tags_.size()); }
    QStringList taggedPositions() const;
    // The column that shows the tag mark (the first by default).
    int tagColumn() const { return tagColumn_; }
    void setTagColumn(int column) { tagColumn_ = column; }

    // The data field and the width in characters of each column.
    virtual QStringList fields() const = 0;
    virtual int columnWidth(int column) const = 0;
    virtual QString tableName() const = 0;
    const char* translationContext() const { return context_; }
    // The captions follow a change of language.
    void retranslate();

    int lastError() const { return lastError_; }
    QString lastErrorText() const { return lastErrorText_; }

signals:
    void readFailed(int code, const QString& text);
    void tagsChanged(int count);

protected:
    int failed(int code, const QString& text);
    int succeeded();
    void dropTags();
    // The tags changed: the tag marks are drawn again and tagsChanged() is emitted.
    void tagsShown();
    QVariant tagMark() const;

    QSet<QString> tags_;
    int pageSize_ = DefaultPageSize;

private:
    const char* context_;
    int tagColumn_ = 0;
    int lastError_ = 0;
    QString lastErrorText_;
};

template <class R>
class BrowseModel : public BrowseModelBase {
public:
    using Table = global::Table<R>;
    using Key = typename Table::Key;

    BrowseModel(global::Database& db, QList<BrowseColumn<R>> columns, const KeyRange<R>& range,
                const char* translationContext, QObject* parent = nullptr)
        : BrowseModelBase(translationContext, parent), db_(db), columns_(std::move(columns)), range_(range)
    {
    }

    const KeyRange<R>& range() const { return range_; }
    // Shows another range (a tab, or the detail of another list's record): the tags go and the
    // first page of the new range is read.
    int setRange(const KeyRange<R>& range)
    {
        range_ = range;
        dropTags();
        return reload();
    }
    // The unique key by which a record a form returned is found again (the table's first key
    // unless set).
    void setIdentityKey(Key key) { identityKey_ = key; }

    const R& record(int row) const { return rows_.at(row).record; }
    QString positionAt(int row) const override
    {
        return row >= 0 && row < rows_.size() ? rows_.at(row).position : QString();
    }
    bool inRange(const R& record) const { return sameKeyPrefix(range_.key, record, range_.prefix, range_.components); }
    bool atStart() const { return atStart_; }
    bool atEnd() const { return atEnd_; }

    int reload() override
    {
        QList<Row> rows;
        bool end = false;
        if (const int code = readForward(nullptr, pageSize_, rows, end); code != 0)
            return code;
        show(std::move(rows), true, end);
        return succeeded();
    }

    int loadEnd() override
    {
        Table table(db_);
        if (range_.components == 0)
            table.setEnd(range_.key);
        else   // reading backward from the prefix gives the last record of the range first
            table.set(range_.key, range_.prefix, range_.components);
        QList<Row> rows;
        bool start = false;
        R rec;
        while (rows.size() < pageSize_) {
            const int code = table.previous(rec);
            if (code == global::err::NoMoreRecords || (code == 0 && !inRange(rec))) {
                start = true;
                break;
            }
            if (code != 0)
                return failed(code, table.errorText());
            if (range_.passes(rec))
                rows.prepend({rec, table.position()});
        }
        show(std::move(rows), start, true);
        return succeeded();
    }

    bool canFetchMore(const QModelIndex& parent) const override { return !parent.isValid() && !atEnd_; }

    void fetchMore(const QModelIndex& parent) override
    {
        if (parent.isValid() || atEnd_)
            return;
        QList<Row> more;
        bool end = false;
        if (readForward(rows_.isEmpty() ? nullptr : &rows_.last(), pageSize_, more, end) != 0)
            return;
        atEnd_ = end;
        if (more.isEmpty())
            return;
        beginInsertRows({}, int(rows_.size()), int(rows_.size() + more.size()) - 1);
        rows_.append(more);
        endInsertRows();
    }

    bool canFetchPrevious() const override { return !rows_.isEmpty() && !atStart_; }

    int fetchPrevious() override
    {
        if (!canFetchPrevious())
            return 0;
        QList<Row> before;
        bool start = false;
        if (readBackward(rows_.first(), pageSize_, before, start) != 0)
            return 0;
        atStart_ = start;
        if (before.isEmpty())
            return 0;
        beginInsertRows({}, 0, int(before.size()) - 1);
        rows_ = before + rows_;
        endInsertRows();
        return int(before.size());
    }

    // The first record at or after `values` in the key's order, over the range's prefix and the
    // next `extra` components of values.
    int locate(const R& values, int extra = 1)
    {
        R from = values;
        copyKeyPrefix(from, range_.prefix, range_.components);
        Table table(db_);
        table.set(range_.key, from, range_.components + extra);
        R rec;
        int code = table.next(rec);
        while (code == 0 && inRange(rec) && !range_.passes(rec))
            code = table.next(rec);
        if (code == global::err::NoMoreRecords || (code == 0 && !inRange(rec)))
            return loadEnd() == 0 ? int(rows_.size()) - 1 : -1;   // beyond the last: the last one
        if (code != 0) {
            failed(code, table.errorText());
            return -1;
        }
        return showAround({rec, table.position()});
    }

    int locateText(const QString& typed) override
    {
        const auto& parts = TableDef::keys().at(range_.key).parts;
        if (range_.components >= parts.size())
            return -1;
        R values = range_.prefix;
        if (!setField(values, parts.at(range_.components).column, typed))
            return -1;
        return locate(values, 1);
    }

    // After a form answered 1 or 40: the record it returned, found again by the identity key.
    int relocate(const R& record)
    {
        Table table(db_);
        R current = record;
        const int code = table.fetch(identityKey_, current);
        if (code == global::err::RecordNotFound)
            return near(record, {});
        if (code != 0) {
            failed(code, table.errorText());
            return -1;
        }
        const Row row{current, table.position()};
        return inRange(current) && range_.passes(current) ? showAround(row) : near(current, {});
    }

    int relocateAt(const QString& position) override
    {
        if (position.isEmpty())
            return reload() == 0 && !rows_.isEmpty() ? 0 : -1;
        Table table(db_);
        R current;
        const int code = table.reget(position, current);
        if (code == 0 && inRange(current) && range_.passes(current))
            return showAround({current, position});
        if (code == 0)
            return near(current, {});
        if (code != global::err::RecordNotFound) {
            failed(code, table.errorText());
            return -1;
        }
        // Gone: the record after it takes its place.
        const int row = rowOfPosition(position);
        if (row < 0)
            return reload() == 0 && !rows_.isEmpty() ? 0 : -1;
        return near(rows_.at(row).record, position);
    }

    int tagAll() override { return tagRange(true); }
    int tagWholeRange() override { return tagRange(false); }

    // The tagged records as they are stored now; those deleted meanwhile are left out.
    QList<R> taggedRecords()
    {
        QList<R> records;
        Table table(db_);
        for (const QString& position : taggedPositions()) {
            R rec;
            if (table.reget(position, rec) == 0)
                records.append(rec);
        }
        return records;
    }

    QStringList fields() const override
    {
        QStringList names;
        for (const auto& column : columns_)
            names << column.field;
        return names;
    }
    int columnWidth(int column) const override { return columns_.at(column).width; }
    QString tableName() const override { return TableDef::schema().name; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rows_.size() || index.column() >= columns_.size())
            return {};
        const Row& row = rows_.at(index.row());
        const BrowseColumn<R>& column = columns_.at(index.column());
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return cellText(column.value(row.record), column.number);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter
                                       | (isNumber(column.value(row.record)) ? Qt::AlignRight : Qt::AlignLeft));
        case Qt::DecorationRole:
            if (index.column() == tagColumn() && tags_.contains(row.position))
                return tagMark();
            return column.icon ? QVariant(column.icon(row.record)) : QVariant();
        case Qt::ForegroundRole: {
            if (!column.colour)
                return {};
            const QColor colour = column.colour(row.record);
            return colour.isValid() ? QVariant(colour) : QVariant();
        }
        case Qt::BackgroundRole: {
            if (!column.background)
                return {};
            const QColor colour = column.background(row.record);
            return colour.isValid() ? QVariant(colour) : QVariant();
        }
        case TaggedRole: return tags_.contains(row.position);
        case PositionRole: return row.position;
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns_.size())
            return QAbstractTableModel::headerData(section, orientation, role);
        return QCoreApplication::translate(translationContext(), columns_.at(section).caption);
    }

private:
    using TableDef = global::TableDef<R>;
    struct Row {
        R record;
        QString position;
    };

    int tagRange(bool passingFilterOnly)
    {
        Table table(db_);
        table.set(range_.key, range_.prefix, range_.components);
        QSet<QString> all;
        R rec;
        for (;;) {
            const int code = table.next(rec);
            if (code == global::err::NoMoreRecords || (code == 0 && !inRange(rec)))
                break;
            if (code != 0)
                return failed(code, table.errorText());
            if (!passingFilterOnly || range_.passes(rec))
                all.insert(table.position());
        }
        tags_ = std::move(all);
        tagsShown();
        return succeeded();
    }

    // Reads up to `count` records of the range after `after` (from the start when null).
    int readForward(const Row* after, int count, QList<Row>& out, bool& end)
    {
        Table table(db_);
        if (after)
            table.setAt(range_.key, after->record, after->position);
        else
            table.set(range_.key, range_.prefix, range_.components);
        end = false;
        R rec;
        while (out.size() < count) {
            const int code = table.next(rec);
            if (code == global::err::NoMoreRecords || (code == 0 && !inRange(rec))) {
                end = true;
                break;
            }
            if (code != 0)
                return failed(code, table.errorText());
            if (range_.passes(rec))
                out.append({rec, table.position()});
        }
        return 0;
    }

    // Reads up to `count` records of the range before `before`, in key order.
    int readBackward(const Row& before, int count, QList<Row>& out, bool& start)
    {
        Table table(db_);
        table.setAt(range_.key, before.record, before.position);
        start = false;
        R rec;
        while (out.size() < count) {
            const int code = table.previous(rec);
            if (code == global::err::NoMoreRecords || (code == 0 && !inRange(rec))) {
                start = true;
                break;
            }
            if (code != 0)
                return failed(code, table.errorText());
            if (range_.passes(rec))
                out.prepend({rec, table.position()});
        }
        return 0;
    }

    // Holds a page on each side of the row; the row's index.
    int showAround(const Row& row)
    {
        QList<Row> before;
        QList<Row> after;
        bool start = false;
        bool end = false;
        if (readBackward(row, pageSize_, before, start) != 0 || readForward(&row, pageSize_, after, end) != 0)
            return -1;
        const int index = int(before.size());
        show(before + QList<Row>{row} + after, start, end);
        succeeded();
        return index;
    }

    // Where a record that is not (or no longer) in the range would stand: the first record of the
    // range after it (its own position breaks ties when known), else the last one.
    int near(const R& record, const QString& position)
    {
        R at = record;
        copyKeyPrefix(at, range_.prefix, range_.components);
        Table table(db_);
        const auto& parts = TableDef::keys().at(range_.key).parts;
        if (!position.isEmpty() && inRange(record))
            table.setAt(range_.key, at, position);
        else
            table.set(range_.key, at, int(parts.size()));
        R rec;
        int code = table.next(rec);
        while (code == 0 && inRange(rec) && !range_.passes(rec))
            code = table.next(rec);
        if (code == 0 && inRange(rec))
            return showAround({rec, table.position()});
        if (code != 0 && code != global::err::NoMoreRecords) {
            failed(code, table.errorText());
            return -1;
        }
        return loadEnd() == 0 ? int(rows_.size()) - 1 : -1;
    }

    void show(QList<Row> rows, bool atStart, bool atEnd)
    {
        beginResetModel();
        rows_ = std::move(rows);
        atStart_ = atStart;
        atEnd_ = atEnd;
        endResetModel();
    }

    // ---- key fields by column name ----

    static bool sameKeyPrefix(Key key, const R& a, const R& b, int components)
    {
        const QVariantList va = global::toStoredValues(a);
        const QVariantList vb = global::toStoredValues(b);
        const global::TableSchema& schema = TableDef::schema();
        const auto& parts = TableDef::keys().at(key).parts;
        for (int i = 0; i < qMin(components, int(parts.size())); ++i) {
            const int column = schema.columnIndex(parts.at(i).column);
            const QVariant& x = va.at(column);
            const QVariant& y = vb.at(column);
            if (parts.at(i).noCase ? x.toString().toUpper() != y.toString().toUpper() : x != y)
                return false;
        }
        return true;
    }

    // Copies the first `components` key fields of `from` into `to`.
    void copyKeyPrefix(R& to, const R& from, int components) const
    {
        const auto& parts = TableDef::keys().at(range_.key).parts;
        for (int i = 0; i < qMin(components, int(parts.size())); ++i) {
            const auto& binding = fieldBinding(parts.at(i).column);
            std::visit([&](auto member) { to.*member = from.*member; }, binding.member);
        }
    }

    static const global::FieldBinding<R>& fieldBinding(const QString& column)
    {
        const auto& fields = TableDef::fields();
        for (const auto& f : fields)
            if (QLatin1String(f.column) == column)
                return f;
        return fields.first();   // every key column is a field of the record
    }

    // Puts typed text into the field of a key column; false when it does not fit the field.
    static bool setField(R& record, const QString& column, const QString& typed)
    {
        bool fits = false;
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(record.*member)>;
                if constexpr (std::is_same_v<T, QString>) {
                    record.*member = typed;
                    fits = true;
                } else if constexpr (std::is_same_v<T, double>) {
                    const double v = typed.trimmed().toDouble(&fits);
                    if (fits)
                        record.*member = v;
                } else if constexpr (std::is_integral_v<T>) {
                    const qlonglong v = typed.trimmed().toLongLong(&fits);
                    fits = fits && v >= qlonglong(std::numeric_limits<T>::min())
                        && (v < 0 || qulonglong(v) <= qulonglong(std::numeric_limits<T>::max()));
                    if (fits)
                        record.*member = static_cast<T>(v);
                }
            },
            fieldBinding(column).member);
        return fits;
    }

    global::Database& db_;
    QList<BrowseColumn<R>> columns_;
    KeyRange<R> range_;
    Key identityKey_ = Key(0);
    QList<Row> rows_;
    bool atStart_ = true;
    bool atEnd_ = false;
};

} // namespace ui
