#pragma once
// The form SETUP_PAR_UPD without its window: one parameter inserted, changed or deleted, with every
// question and refusal of the form. The window (SetupParForm) only shows the fields and calls it.
//
//   insert  – the record is added; a duplicate technical name or name is refused and the form
//             stays open; another failure is reported and the form stays open.
//   change  – the record was read under watch when the form opened; an unchanged record is not
//             written; when another station changed it meanwhile, "Record Was Not Updated" is
//             shown and the form shows the other station's values (Ctrl+' brings back one's own).
//   delete  – confirmed, then deleted; a failed delete may be tried again.

#include "global/Records.h"

#include <QCoreApplication>
#include <QString>

#include <memory>

namespace global {
class Database;
class Dialogs;
template <class R> class Table;
}

namespace settings {

enum class FormRequest { Insert = 1, Change = 2, Delete = 3 };
enum class FormResponse { Done = 1, Cancelled = 2 };
enum class SetupParField { TechName, Name, Value };

class SetupParEditor {
    Q_DECLARE_TR_FUNCTIONS(SetupParEditor)
public:
    SetupParEditor(global::Database& db, global::Dialogs& dialogs, FormRequest request,
                   const global::SetupParRecord& record);
    ~SetupParEditor();

    // Reads the record to change or delete under watch. False when it is gone (reported).
    bool open();

    FormRequest request() const { return request_; }
    // "Dodawanie parametru  (New)" or "Zmiana parametru  (<name>)".
    QString title() const;

    QString field(SetupParField field) const;
    void setField(SetupParField field, const QString& value);
    const global::SetupParRecord& values() const { return values_; }
    // Whether the fields differ from the record as the form received or last read it.
    bool isChanged() const;

    // OK of an insert or change form: stores the record. True when the form may close.
    bool save();
    // Delete: asks for confirmation and deletes. True when the form may close.
    bool remove();
    // Cancel: asks first when something was changed. True when the form may close.
    bool cancel();

    // Ctrl+': the field's value of the last parameter saved in this form during the run (empty
    // when none was saved yet); after a change by another station, the operator's own values.
    static QString dittoValue(SetupParField field);
    static void forgetLastSaved();   // for a fresh start (tests)

    FormResponse response() const { return response_; }

private:
    bool insert();
    bool change();
    void rememberSaved();
    void reportDuplicate();

    global::Dialogs& dialogs_;
    std::unique_ptr<global::Table<global::SetupParRecord>> table_;
    FormRequest request_;
    global::SetupParRecord original_;   // as received or read from the table
    global::SetupParRecord values_;     // as shown in the form
    FormResponse response_ = FormResponse::Cancelled;
};

// The value of one field of a record.
QString setupParField(const global::SetupParRecord& record, SetupParField field);
void setSetupParField(global::SetupParRecord& record, SetupParField field, const QString& value);

} // namespace settings
