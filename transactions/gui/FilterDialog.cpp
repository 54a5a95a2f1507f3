#include "transactions/gui/FilterDialog.h"

#include "ui/form/DateText.h"
#include "ui/form/RecordForm.h"
#include "ui/window/WindowContext.h"
#include "ui/window/WindowHost.h"

#include <QLineEdit>

namespace transactions::gui {

namespace {

constexpr const char* Context = "FilterDialog";
constexpr int TextWidth = 20;
constexpr int DescriptionWidth = 80;
constexpr int DateWidth = 10;

// The text and date conditions of the filter, by field.
template <class F>   // TransactionFilter or const TransactionFilter
auto textOf(F& f, int field) -> decltype(&f.profileCode)
{
    switch (field) {
    case FilterEditor::ProfileCode: return &f.profileCode;
    case FilterEditor::DocumentDescr: return &f.documentDescr;
    case FilterEditor::OperatorCreated: return &f.operatorCreated;
    case FilterEditor::ComputerCreated: return &f.computerCreated;
    case FilterEditor::OperatorConfirmed: return &f.operatorConfirmed;
    case FilterEditor::ComputerConfirmed: return &f.computerConfirmed;
    default: return nullptr;
    }
}

template <class F>
auto dateOf(F& f, int field) -> decltype(&f.dateCreated)
{
    switch (field) {
    case FilterEditor::DateCreated: return &f.dateCreated;
    case FilterEditor::ProductionDate: return &f.productionDate;
    case FilterEditor::DateConfirmed: return &f.dateConfirmed;
    default: return nullptr;
    }
}

} // namespace

FilterEditor::FilterEditor(global::Services services, TransactionFilter& callers)
    : RecordEditorBase(services, ui::FormRequest::Change, FilterDialogName, Context), form_(callers), initial_(callers)
{
    for (int field = 0; field < FieldCount; ++field) {
        if (QString* text = textOf(form_.edited(), field))
            texts_[field] = *text;
        else
            texts_[field] = ui::dateFieldText(*dateOf(form_.edited(), field));
    }
}

QString FilterEditor::title() const
{
    return QCoreApplication::translate("FilterDialog", "Definicja filtra");
}

QList<ui::FormFieldInfo> FilterEditor::fieldInfos() const
{
    return {
        {QStringLiteral("FLT:PROFILE_CODE"), QT_TRANSLATE_NOOP("FilterDialog", "Kod profila"), TextWidth},
        {QStringLiteral("FLT:DATE_CREATED"), QT_TRANSLATE_NOOP("FilterDialog", "Data utworzenia"), DateWidth},
        {QStringLiteral("FLT:DOCUMENT_DESCR"), QT_TRANSLATE_NOOP("FilterDialog", "Opis dodatkowy"), DescriptionWidth},
        {QStringLiteral("FLT:PRODUCTION_DATE"), QT_TRANSLATE_NOOP("FilterDialog", "Plan. data produkcji"), DateWidth},
        {QStringLiteral("FLT:OPERATOR_CREATED"), QT_TRANSLATE_NOOP("FilterDialog", "Utworzył - operator"), TextWidth},
        {QStringLiteral("FLT:COMPUTER_CREATED"), QT_TRANSLATE_NOOP("FilterDialog", "Utworzył - komputer"), TextWidth},
        {QStringLiteral("FLT:DATE_CONFIRMED"), QT_TRANSLATE_NOOP("FilterDialog", "Data potwierdzenia"), DateWidth},
        {QStringLiteral("FLT:OPERATOR_CONFIRMED"), QT_TRANSLATE_NOOP("FilterDialog", "Potwierdził - operator"),
         TextWidth},
        {QStringLiteral("FLT:COMPUTER_CONFIRMED"), QT_TRANSLATE_NOOP("FilterDialog", "Potwierdził - komputer"),
         TextWidth},
    };
}

QString FilterEditor::fieldText(int field) const
{
    return field >= 0 && field < FieldCount ? texts_[field] : QString();
}

void FilterEditor::setFieldText(int field, const QString& text)
{
    if (field >= 0 && field < FieldCount)
        texts_[field] = text;
}

bool FilterEditor::isDate(int field) const
{
    return field == DateCreated || field == ProductionDate || field == DateConfirmed;
}

bool FilterEditor::isChanged() const
{
    for (int field = 0; field < FieldCount; ++field) {
        if (isDate(field) ? ui::readDateField(texts_[field]).date != *dateOf(initial_, field)
                          : texts_[field] != *textOf(initial_, field))
            return true;
    }
    return false;
}

bool FilterEditor::save()
{
    focusField_ = -1;
    for (int field = 0; field < FieldCount; ++field) {
        if (!isDate(field)) {
            *textOf(form_.edited(), field) = texts_[field];
            continue;
        }
        const ui::TypedDate date = ui::readDateField(texts_[field]);
        if (!date.valid) {
            refuse(QCoreApplication::translate("FilterDialog", "\"%1\" nie jest datą (np. %2).")
                       .arg(texts_[field], ui::dateFieldText(QDate(2026, 4, 7))),
                   {}, field);
            return false;
        }
        *dateOf(form_.edited(), field) = date.date;
    }
    answer_ = form_.save();
    response_ = ui::FormResponse::Done;
    return true;
}

bool FilterEditor::clear()
{
    answer_ = form_.clear();
    for (QString& text : texts_)
        text.clear();
    response_ = ui::FormResponse::Done;
    return true;
}

int runFilterDialog(ui::WindowContext& context, TransactionFilter& filter, QWidget* parent)
{
    FilterEditor editor(context.services, filter);
    ui::RecordForm form(context, editor, parent ? parent : (context.host ? context.host->modalParent() : nullptr));
    form.addButton(QStringLiteral("DELFILTER"), QT_TRANSLATE_NOOP("FilterDialog", "&Usuń filtr"),
                   [&editor] { return editor.clear(); });
    if (auto* first = qobject_cast<QLineEdit*>(form.fieldWidget(FilterEditor::ProfileCode)))
        first->setToolTip(QCoreApplication::translate("FilterDialog", "Dozwolone znaki * oraz ?"));
    form.exec();
    return editor.answer();
}

} // namespace transactions::gui
