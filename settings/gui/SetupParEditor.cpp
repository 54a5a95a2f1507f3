#include "settings/gui/SetupParEditor.h"

#include "global/RiRoutines.h"
#include "global/Table.h"
#include "ui/layout/StandardWarning.h"

namespace settings {

using global::SetupParRecord;
using SetupParTable = global::Table<SetupParRecord>;

namespace {

// The key description the duplicate refusal names.
const QString DuplicateKeyDescription = QStringLiteral("Sort by name");

// The last parameter saved in the form during this run, for the ditto key.
struct LastSaved {
    bool any = false;
    SetupParRecord record;
};
LastSaved& lastSaved()
{
    static LastSaved saved;
    return saved;
}

bool sameRecord(const SetupParRecord& a, const SetupParRecord& b)
{
    return a.techName == b.techName && a.name == b.name && a.value == b.value;
}

} // namespace

QString setupParField(const SetupParRecord& record, SetupParField field)
{
    switch (field) {
    case SetupParField::TechName: return record.techName;
    case SetupParField::Name: return record.name;
    case SetupParField::Value: return record.value;
    }
    return {};
}

void setSetupParField(SetupParRecord& record, SetupParField field, const QString& value)
{
    switch (field) {
    case SetupParField::TechName: record.techName = value; break;
    case SetupParField::Name: record.name = value; break;
    case SetupParField::Value: record.value = value; break;
    }
}

SetupParEditor::SetupParEditor(global::Database& db, global::Dialogs& dialogs, FormRequest request,
                               const SetupParRecord& record)
    : dialogs_(dialogs), table_(std::make_unique<SetupParTable>(db)), request_(request), original_(record),
      values_(record)
{
}

SetupParEditor::~SetupParEditor() = default;

bool SetupParEditor::open()
{
    if (request_ == FormRequest::Insert)
        return true;
    SetupParRecord current = original_;
    if (request_ == FormRequest::Change)
        table_->watch();
    const int code = table_->fetch(SetupParTable::ByTechName, current);
    if (code != 0) {
        layout::standardWarning(dialogs_, 35, table_->tableName(), table_->errorText());
        return false;
    }
    original_ = values_ = current;
    return true;
}

QString SetupParEditor::title() const
{
    if (request_ == FormRequest::Insert)
        return tr("Dodawanie parametru") + QStringLiteral("  (New)");
    return tr("Zmiana parametru") + QStringLiteral("  (") + original_.name + QLatin1Char(')');
}

QString SetupParEditor::field(SetupParField field) const
{
    return setupParField(values_, field);
}

void SetupParEditor::setField(SetupParField field, const QString& value)
{
    setSetupParField(values_, field, value);
}

bool SetupParEditor::isChanged() const
{
    return !sameRecord(values_, original_);
}

bool SetupParEditor::save()
{
    switch (request_) {
    case FormRequest::Insert: return insert();
    case FormRequest::Change: return change();
    case FormRequest::Delete: return remove();
    }
    return false;
}

void SetupParEditor::reportDuplicate()
{
    layout::standardWarning(dialogs_, 24, DuplicateKeyDescription);
}

bool SetupParEditor::insert()
{
    if (table_->isDuplicate(values_)) {
        reportDuplicate();
        return false;
    }
    const int code = table_->add(values_);
    if (code == global::err::DuplicateKey) {   // another station added it meanwhile
        reportDuplicate();
        return false;
    }
    if (code != 0) {
        layout::standardWarning(dialogs_, 14, table_->errorText());
        return false;
    }
    rememberSaved();
    return true;
}

bool SetupParEditor::change()
{
    if (!isChanged()) {
        response_ = FormResponse::Done;
        return true;
    }
    if (table_->isDuplicate(values_, true)) {
        reportDuplicate();
        return false;
    }
    for (;;) {
        SetupParRecord written = values_;
        const int result = global::riUpdateSetupPar(*table_, written, true, dialogs_);
        if (result == global::ri::Done) {
            rememberSaved();
            return true;
        }
        if (result == global::ri::ChangedByOtherStation) {
            // The form stays open and shows the other station's record; the operator's own values
            // become the ditto values, so that Ctrl+' recalls them field by field.
            lastSaved() = LastSaved{true, values_};
            original_ = values_ = written;
            return false;
        }
        if (layout::standardWarning(dialogs_, 16) != 0)
            return false;
    }
}

bool SetupParEditor::remove()
{
    if (layout::standardWarning(dialogs_, 32) != 0)
        return false;
    for (;;) {
        if (global::riDeleteSetupPar(*table_, original_, dialogs_) == global::ri::Done) {
            response_ = FormResponse::Done;
            return true;
        }
        if (layout::standardWarning(dialogs_, 18) != 0)
            return false;
    }
}

bool SetupParEditor::cancel()
{
    if (isChanged() && layout::standardWarning(dialogs_, 23) != 0)
        return false;
    response_ = FormResponse::Cancelled;
    return true;
}

void SetupParEditor::rememberSaved()
{
    original_ = values_;
    response_ = FormResponse::Done;
    lastSaved() = LastSaved{true, values_};
}

QString SetupParEditor::dittoValue(SetupParField field)
{
    return lastSaved().any ? setupParField(lastSaved().record, field) : QString();
}

void SetupParEditor::forgetLastSaved()
{
    lastSaved() = LastSaved{};
}

} // namespace settings
