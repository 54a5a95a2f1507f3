#include "global/RiRoutines.h"

namespace global {

namespace {

const QString UpdateErrorCaption = QStringLiteral("Update Operation Error");
const QString DeleteErrorCaption = QStringLiteral("Delete Operation Error");

// Keeps the error for the messages and abandons any open transaction of this thread.
void saveError(Database& db)
{
    db.rollback();
}

QString errorTail(int code, const QString& text)
{
    return QStringLiteral(" ErrorCode = %1 %2").arg(code).arg(text);
}

template <class R>
int riDelete(Table<R>& table, const R& rec, Dialogs& dialogs)
{
    // The position of the record in the buffer by its primary key, read again by that position.
    QString position;
    R current = rec;
    int code = table.positionOf(static_cast<typename Table<R>::Key>(0), rec, position);
    if (code == 0)
        code = table.reget(position, current);
    if (code == 0)
        code = table.remove();
    if (code == 0)
        return ri::Done;
    const QString text = table.errorText();
    saveError(table.core().database());
    dialogs.message(QStringLiteral("Error deleting the record from the %1 table.").arg(table.tableName())
                        + errorTail(code, text),
                    DeleteErrorCaption);
    return ri::Failed;
}

template <class R>
int riUpdate(Table<R>& table, R& rec, bool showChangedNotice, Dialogs& dialogs)
{
    // The record's position: the record last read (the form's record), else its primary key.
    QString position = table.position();
    if (position.isEmpty())
        table.positionOf(static_cast<typename Table<R>::Key>(0), rec, position);
    int code = position.isEmpty() ? err::RecordNotFound : table.update(rec);
    if (code == 0)
        return ri::Done;
    const QString text = position.isEmpty() ? errorDescription(code) : table.errorText();
    saveError(table.core().database());
    if (code != err::RecordChanged) {
        dialogs.message(QStringLiteral("Error updating the record of the %1 table.").arg(table.tableName())
                            + errorTail(code, text),
                        UpdateErrorCaption);
        return ri::Failed;
    }
    if (showChangedNotice)
        dialogs.message(QStringLiteral("This record was changed by another station. Those changes will now be "
                                       "displayed. Use the Ditto Button or Ctrl+' to recall your changes."),
                        QStringLiteral("Record Was Not Updated"));
    else
        dialogs.message(QStringLiteral("This record was changed by another station."), UpdateErrorCaption);
    table.watch();
    if (table.reget(position, rec) != 0) {
        dialogs.message(QStringLiteral("Error reading the record of the %1 table again.").arg(table.tableName())
                            + errorTail(table.errorCode(), table.errorText()),
                        UpdateErrorCaption);
        return ri::Failed;
    }
    return ri::ChangedByOtherStation;
}

} // namespace

int riDeleteSetupPar(Table<SetupParRecord>& table, const SetupParRecord& rec, Dialogs& dialogs)
{
    return riDelete(table, rec, dialogs);
}

int riDeleteInterfaceMap(Table<InterfaceMapRecord>& table, const InterfaceMapRecord& rec, Dialogs& dialogs)
{
    return riDelete(table, rec, dialogs);
}

int riUpdateSetupPar(Table<SetupParRecord>& table, SetupParRecord& rec, bool showChangedNotice, Dialogs& dialogs)
{
    return riUpdate(table, rec, showChangedNotice, dialogs);
}

int riUpdateInterfaceMap(Table<InterfaceMapRecord>& table, InterfaceMapRecord& rec, bool showChangedNotice,
                         Dialogs& dialogs)
{
    return riUpdate(table, rec, showChangedNotice, dialogs);
}

int riUpdateStockTransItems(Table<StockTransItemRecord>& table, StockTransItemRecord& rec, bool showChangedNotice,
                            Dialogs& dialogs)
{
    return riUpdate(table, rec, showChangedNotice, dialogs);
}

} // namespace global
