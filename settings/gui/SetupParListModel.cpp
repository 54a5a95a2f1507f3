#include "settings/gui/SetupParListModel.h"

#include "global/Table.h"

namespace settings {

using SetupParTable = global::Table<global::SetupParRecord>;

SetupParListModel::SetupParListModel(global::Database& db, QObject* parent) : QAbstractTableModel(parent), db_(db)
{
}

int SetupParListModel::reload()
{
    SetupParTable table(db_);
    QList<global::SetupParRecord> rows = table.rows(SetupParTable::ByName);
    const int code = table.errorCode();
    errorText_ = table.errorText();
    if (code != 0)
        return code;
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    return 0;
}

int SetupParListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int SetupParListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SetupParListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const global::SetupParRecord& r = rows_.at(index.row());
    switch (index.column()) {
    case NameColumn: return r.name;
    case ValueColumn: return r.value;
    case TechNameColumn: return r.techName;
    }
    return {};
}

QVariant SetupParListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn: return tr("Nazwa parametru");
    case ValueColumn: return tr("Wartość");
    case TechNameColumn: return tr("Nazwa techn.");
    }
    return {};
}

int SetupParListModel::rowOf(const QString& techName) const
{
    for (int i = 0; i < rows_.size(); ++i)
        if (rows_.at(i).techName == techName)
            return i;
    return -1;
}

QStringList SetupParListModel::fieldNames()
{
    return {QStringLiteral("SETP:NAME"), QStringLiteral("SETP:VALUE"), QStringLiteral("SETP:TECH_NAME")};
}

} // namespace settings
