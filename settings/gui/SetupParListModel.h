#pragma once
// The rows of the parameter list SETUP_PAR: every parameter in the order of its name (then its
// technical name), with the columns "Nazwa parametru", "Wartość" and "Nazwa techn.".

#include "global/Records.h"

#include <QAbstractTableModel>
#include <QList>

namespace global { class Database; }

namespace settings {

class SetupParListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, ValueColumn, TechNameColumn, ColumnCount };

    explicit SetupParListModel(global::Database& db, QObject* parent = nullptr);

    // Reads the table again. Returns 0 or the table's error number.
    int reload();
    QString lastErrorText() const { return errorText_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const global::SetupParRecord& record(int row) const { return rows_.at(row); }
    // The row of the parameter with this technical name, or -1.
    int rowOf(const QString& techName) const;

    // The data fields of the columns, for the stored list formats.
    static QStringList fieldNames();

private:
    global::Database& db_;
    QList<global::SetupParRecord> rows_;
    QString errorText_;
};

} // namespace settings
