#pragma once
// The rules of a record form without its widgets: one record inserted, changed, deleted or viewed,
// with every question and refusal of the form. The widgets (RecordForm.h) only show the fields and
// call it; tests call it directly.
//
//   insert  the record is checked and added in one transaction; a duplicate key is refused (the
//           form stays open) or answered with the existing record (response 40), as the form
//           chooses.
//   change  the form remembers the record as it loaded it. An unchanged record is not written.
//           Saving re-reads the record inside the transaction: when another station changed it
//           meanwhile nothing is written, "Record Was Not Updated" is shown and the form shows the
//           current values (the operator's own come back with the ditto key); when it was deleted
//           meanwhile the save is refused.
//   delete  confirmed, then re-read inside the transaction and deleted unless another station
//           changed or deleted it.
//   cancel  asks first when something was changed.
// A save or delete that fails for another reason may be tried again, at most MaxSaveAttempts times
// in all, so that a lasting fault cannot hold the operator in the question.
//
// A form is a subclass naming its fields and, where it has them, its own checks.

#include "global/Database.h"
#include "global/Services.h"
#include "global/Table.h"
#include "ui/form/FormRequest.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>

namespace ui {

// What the widgets need to know of a field.
struct FormFieldInfo {
    // How the field is edited: as text, or as a check box whose text is "1" (checked) or "0".
    enum class Kind { Text, Check };

    QString name;            // object name of the field's widget, e.g. "TECH_NAME"
    const char* caption;     // Polish prompt, translated in the form's context
    int width = 0;           // characters the field holds
    bool multiline = false;
    Kind kind = Kind::Text;
    bool readOnly = false;   // shown, never edited (also when the request would allow it)
};

class RecordEditorBase {
    Q_DECLARE_TR_FUNCTIONS(RecordEditor)
public:
    static constexpr int MaxSaveAttempts = 3;

    // formName: the form's name (its Barmond.ini section and the memory of its ditto key);
    // context: where its texts are translated.
    RecordEditorBase(global::Services services, FormRequest request, QString formName, const char* context);
    virtual ~RecordEditorBase();

    FormRequest request() const { return request_; }
    FormResponse response() const { return response_; }
    QString formName() const { return formName_; }
    const char* translationContext() const { return context_; }
    global::Services& services() { return services_; }

    // Reads the record to change, delete or view. False when it cannot be read (reported).
    virtual bool open() = 0;
    virtual QString title() const = 0;

    virtual QList<FormFieldInfo> fieldInfos() const = 0;
    virtual QString fieldText(int field) const = 0;
    virtual void setFieldText(int field, const QString& text) = 0;
    // Ctrl+': the field of the record saved last in this form during the run (empty when none);
    // after a change by another station, the operator's own value.
    virtual QString dittoText(int field) const = 0;
    // Whether the fields differ from the record as the form loaded it.
    virtual bool isChanged() const = 0;

    // OK: stores the record (a view only closes). True when the form may close.
    virtual bool save() = 0;
    // The delete request: asks for confirmation and deletes. True when it was deleted.
    virtual bool remove() = 0;
    // Cancel: asks first when something was changed. True when the form may close.
    virtual bool cancel();
    // The cursor left a field whose text the form has just handed over: a form whose fields follow
    // each other recomputes them here. True when other fields changed (the window shows them again).
    virtual bool leaveField(int field) { Q_UNUSED(field); return false; }

    // The field the cursor goes to after a refusal (-1: where it is).
    int focusField() const { return focusField_; }

protected:
    // A refusal: the message, a beep, and the field to correct.
    void refuse(const QString& text, const QString& caption = {}, int field = -1);
    // After a failed write: whether to try again (asked while attempts remain; after the last one
    // the failure is reported with its error).
    bool tryAgain(int attempt, bool deleting, const QString& table, const QString& error);

    global::Services services_;
    FormRequest request_;
    FormResponse response_ = FormResponse::Cancelled;
    int focusField_ = -1;

private:
    QString formName_;
    const char* context_;
};

// A field of the record as a form edits it: as text.
template <class R>
struct FormField {
    FormFieldInfo info;
    std::function<QString(const R&)> text;
    std::function<void(R&, const QString&)> setText;
};

// A text field of the record.
template <class R>
FormField<R> textField(const QString& name, const char* caption, int width, QString R::*member, bool multiline = false)
{
    return {{name, caption, width, multiline},
            [member](const R& r) { return r.*member; },
            [member](R& r, const QString& text) { r.*member = text; }};
}

template <class R>
class RecordEditor : public RecordEditorBase {
public:
    using Table = global::Table<R>;
    using Key = typename Table::Key;

    RecordEditor(global::Database& db, global::Services services, FormRequest request, const R& record,
                 QString formName, const char* context)
        : RecordEditorBase(services, request, std::move(formName), context), db_(db), table_(db), loaded_(record),
          values_(record)
    {
    }

    const R& values() const { return values_; }
    R& values() { return values_; }
    const R& loaded() const { return loaded_; }

    bool open() override
    {
        if (request_ == FormRequest::Insert)
            return true;
        R current = values_;
        if (const int code = table_.fetch(identityKey(), current); code != 0) {
            standardMessage(35, table_.tableName(), table_.errorText());
            return false;
        }
        position_ = table_.position();
        loaded_ = values_ = current;
        return true;
    }

    QList<FormFieldInfo> fieldInfos() const override
    {
        QList<FormFieldInfo> infos;
        for (const auto& f : fields())
            infos << f.info;
        return infos;
    }
    QString fieldText(int field) const override { return fields().at(field).text(values_); }
    void setFieldText(int field, const QString& text) override { fields().at(field).setText(values_, text); }
    QString dittoText(int field) const override
    {
        const auto saved = dittoMemory().constFind(formName());
        return saved == dittoMemory().constEnd() ? QString() : fields().at(field).text(*saved);
    }
    bool isChanged() const override { return global::toStoredValues(values_) != global::toStoredValues(loaded_); }

    bool save() override
    {
        focusField_ = -1;
        switch (request_) {
        case FormRequest::Insert: return insert();
        case FormRequest::Change: return change();
        case FormRequest::Delete: return remove();
        case FormRequest::View: return true;
        }
        return false;
    }

    bool remove() override
    {
        if (standardMessage(32) != 0)
            return false;
        if (!checkDelete(loaded_))
            return false;
        for (int attempt = 1;; ++attempt) {
            global::Transaction transaction(db_, lockWaitMs());
            int code = transaction.result();
            QString error = db_.lastErrorText();
            if (code == 0) {
                R current;
                code = table_.reget(position_, current);
                error = table_.errorText();
                if (code == global::err::RecordNotFound) {
                    refuse(tr("Rekord %1 został usunięty na innym stanowisku.").arg(recordName()));
                    return false;
                }
                if (code == 0 && !same(current, loaded_)) {
                    refuse(tr("Rekord %1 został zmieniony na innym stanowisku. Usunięcie niemożliwe.").arg(recordName()));
                    return false;
                }
                if (code == 0)
                    code = table_.remove();
                error = table_.errorText();
                if (code == 0) {
                    code = transaction.commit();
                    error = db_.lastErrorText();
                }
            }
            if (code == 0) {
                response_ = FormResponse::Done;
                return true;
            }
            transaction.rollback();
            if (!tryAgain(attempt, true, table_.tableName(), error))
                return false;
        }
    }

    // Forgets the records saved in every form (a fresh start, for tests).
    static void forgetDitto() { dittoMemory().clear(); }

protected:
    enum class DuplicateAnswer { StayOpen, AnswerExisting };

    virtual QList<FormField<R>> fields() const = 0;
    // The key named in the duplicate refusal (the key's name unless the form names it).
    virtual QString keyDescription(int key) const { return global::TableDef<R>::keys().at(key).name; }
    // The form's own checks before writing: false refuses the save (the check has told why).
    virtual bool check(R& record) { Q_UNUSED(record); return true; }
    virtual bool checkDelete(const R& record) { Q_UNUSED(record); return true; }
    // What a duplicate key does: by default the form stays open with the duplicate refusal.
    // `raced`: another station stored the key between the check and the writing.
    virtual DuplicateAnswer onDuplicate(bool raced) const { Q_UNUSED(raced); return DuplicateAnswer::StayOpen; }
    // The unique key by which the form finds its record (the table's first key).
    virtual Key identityKey() const { return Key(0); }
    // How the refusals name the record: the table and the values of the identity key as loaded
    // ("SETUP_PAR GLO:Saw_Width").
    virtual QString recordName() const
    {
        const global::TableSchema& schema = global::TableDef<R>::schema();
        const QVariantList stored = global::toStoredValues(loaded_);
        QStringList parts{schema.name};
        for (const global::KeyPart& part : schema.keys.at(identityKey()).parts)
            parts << stored.value(schema.columnIndex(part.column)).toString();
        return parts.join(QLatin1Char(' '));
    }
    virtual int lockWaitMs() const { return 3000; }
    // The field the cursor goes to after a duplicate refusal.
    virtual int duplicateField() const { return 0; }
    // The duplicate refusal: "Adding this record creates a duplicate entry for the key:" and the
    // key's description (key -1: not known).
    virtual void reportDuplicate(int key) { standardMessage(24, key >= 0 ? keyDescription(key) : QString()); }

    int standardMessage(int code, const QString& first = {}, const QString& second = {});

private:
    static QHash<QString, R>& dittoMemory()
    {
        static QHash<QString, R> memory;
        return memory;
    }

    static bool same(const R& a, const R& b) { return global::toStoredValues(a) == global::toStoredValues(b); }

    bool insert()
    {
        if (!check(values_))
            return false;
        R added = values_;
        global::Transaction transaction(db_, lockWaitMs());
        int code = transaction.result();
        QString error = db_.lastErrorText();
        if (code == 0) {
            if (const int key = table_.duplicateKey(added); key >= 0)
                return duplicate(key, false);
            code = needsIdentifier(added) ? table_.addWithNewIdentifier(added) : table_.add(added);
            error = table_.errorText();
            if (code == global::err::DuplicateKey) {
                transaction.rollback();
                return duplicate(table_.duplicateKey(added), true);
            }
            if (code == 0) {
                code = transaction.commit();
                error = db_.lastErrorText();
            }
        }
        if (code != 0) {
            transaction.rollback();
            standardMessage(14, QStringLiteral("%1 (%2)").arg(error, QString::number(code)));
            services_.beeper.beep();
            return false;
        }
        values_ = added;
        position_ = table_.position();
        stored();
        return true;
    }

    bool change()
    {
        if (!isChanged()) {
            response_ = FormResponse::Done;
            return true;
        }
        if (!check(values_))
            return false;
        for (int attempt = 1;; ++attempt) {
            global::Transaction transaction(db_, lockWaitMs());
            int code = transaction.result();
            QString error = db_.lastErrorText();
            if (code == 0) {
                R current;
                code = table_.reget(position_, current);
                error = table_.errorText();
                if (code == global::err::RecordNotFound) {
                    refuse(tr("Rekord %1 został usunięty na innym stanowisku. Zmiany niemożliwe.").arg(recordName()));
                    return false;
                }
                if (code == 0 && !same(current, loaded_)) {
                    transaction.rollback();
                    changedElsewhere(current);
                    return false;
                }
                if (code == 0) {
                    if (const int key = table_.duplicateKey(values_, true); key >= 0)
                        return duplicate(key, false);
                    code = table_.update(values_);
                    error = table_.errorText();
                }
                if (code == global::err::DuplicateKey) {
                    transaction.rollback();
                    return duplicate(table_.duplicateKey(values_, true), true);
                }
                if (code == 0) {
                    code = transaction.commit();
                    error = db_.lastErrorText();
                }
            }
            if (code == 0) {
                stored();
                return true;
            }
            transaction.rollback();
            if (!tryAgain(attempt, false, table_.tableName(), error))
                return false;
        }
    }

    // The record as another station left it is shown; the operator's values become the ditto
    // values, so that Ctrl+' recalls them field by field.
    void changedElsewhere(const R& current)
    {
        dittoMemory().insert(formName(), values_);
        loaded_ = values_ = current;
        standardMessage(38);
        services_.beeper.beep();
    }

    bool duplicate(int key, bool raced)
    {
        reportDuplicate(key);
        if (onDuplicate(raced) == DuplicateAnswer::AnswerExisting && key >= 0) {
            R existing = values_;
            if (table_.fetch(static_cast<Key>(key), existing) == 0) {
                values_ = existing;
                response_ = FormResponse::Duplicate;
                return true;
            }
        }
        services_.beeper.beep();
        focusField_ = duplicateField();
        return false;
    }

    bool needsIdentifier(const R& record) const
    {
        const int column = global::TableDef<R>::schema().identifierColumn;
        return column >= 0 && global::toStoredValues(record).at(column).toLongLong() == 0;
    }

    void stored()
    {
        loaded_ = values_;
        response_ = FormResponse::Done;
        dittoMemory().insert(formName(), values_);
    }

    global::Database& db_;
    Table table_;
    R loaded_;
    R values_;
    QString position_;
};

// The standard warnings of ui/layout/StandardWarning.h, for the template above.
int editorStandardWarning(global::Dialogs& dialogs, int code, const QString& first, const QString& second);

template <class R>
int RecordEditor<R>::standardMessage(int code, const QString& first, const QString& second)
{
    return editorStandardWarning(services_.dialogs, code, first, second);
}

} // namespace ui
