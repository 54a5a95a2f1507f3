#pragma once
// A read-only list model over the rows of one of the optimizer's tables. Each column has the data
// field it shows (the name the list formats store), its caption and how a row's value is written;
// numbers are right-aligned.

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <functional>
#include <vector>

namespace ui {

template <class Row>
class RowListModel : public QAbstractTableModel {
public:
    struct Column {
        QString field;
        QString caption;
        std::function<QString(const Row&)> text;
        bool number = true;
    };

    explicit RowListModel(QList<Column> columns, QObject* parent = nullptr)
        : QAbstractTableModel(parent), columns_(std::move(columns))
    {
    }

    // Shows these rows (nullptr shows none); the model reads them, it never changes them.
    void setRows(const std::vector<Row>* rows)
    {
        beginResetModel();
        rows_ = rows;
        endResetModel();
    }
    // The rows changed in place: the list shows them anew.
    void refresh()
    {
        beginResetModel();
        endResetModel();
    }

    // New captions of the columns, in column order (the language changed).
    void setCaptions(const QStringList& captions)
    {
        for (int i = 0; i < columns_.size() && i < captions.size(); ++i)
            columns_[i].caption = captions.at(i);
        if (!columns_.isEmpty())
            emit headerDataChanged(Qt::Horizontal, 0, int(columns_.size()) - 1);
    }

    QStringList fields() const
    {
        QStringList names;
        for (const auto& column : columns_)
            names << column.field;
        return names;
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!rows_ || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
            return {};
        const Column& column = columns_.at(index.column());
        if (role == Qt::DisplayRole)
            return column.text((*rows_)[static_cast<std::size_t>(index.row())]);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignVCenter | (column.number ? Qt::AlignRight : Qt::AlignLeft));
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return columns_.at(section).caption;
        return {};
    }

private:
    QList<Column> columns_;
    const std::vector<Row>* rows_ = nullptr;
};

} // namespace ui
