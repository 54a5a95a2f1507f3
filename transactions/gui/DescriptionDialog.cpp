#include "transactions/gui/DescriptionDialog.h"

#include "transactions/DescriptionForm.h"
#include "ui/form/DateText.h"
#include "ui/form/RecordForm.h"
#include "ui/window/WindowContext.h"
#include "ui/window/WindowHost.h"

namespace transactions::gui {

namespace {
constexpr const char* Context = "DescriptionDialog";
constexpr int DescriptionWidth = 80;
constexpr int DateWidth = 10;
} // namespace

DescriptionEditor::DescriptionEditor(global::Database& db, global::Services services,
                                     const global::StockTransRecord& order)
    : RecordEditorBase(services, ui::FormRequest::Change, DescriptionDialogName, Context), db_(db), loaded_(order),
      stored_(order), description_(order.documentDescr), productionDate_(ui::dateFieldText(order.productionDate))
{
}

QString DescriptionEditor::title() const
{
    return QCoreApplication::translate("DescriptionDialog", "Edycja danych opisowych");
}

QList<ui::FormFieldInfo> DescriptionEditor::fieldInfos() const
{
    return {{QStringLiteral("STOT:DOCUMENT_DESCR"), QT_TRANSLATE_NOOP("DescriptionDialog", "Opis dodatkowy"),
             DescriptionWidth},
            {QStringLiteral("STOT:PRODUCTION_DATE"), QT_TRANSLATE_NOOP("DescriptionDialog", "Planowana data prod."),
             DateWidth}};
}

QString DescriptionEditor::fieldText(int field) const
{
    return field == Description ? description_ : productionDate_;
}

void DescriptionEditor::setFieldText(int field, const QString& text)
{
    if (field == Description)
        description_ = text.left(DescriptionWidth);
    else
        productionDate_ = text;
}

bool DescriptionEditor::isChanged() const
{
    const ui::TypedDate date = ui::readDateField(productionDate_);
    return description_ != loaded_.documentDescr || !date.valid || date.date != loaded_.productionDate;
}

bool DescriptionEditor::save()
{
    focusField_ = -1;
    const ui::TypedDate date = ui::readDateField(productionDate_);
    if (!date.valid) {
        refuse(QCoreApplication::translate("DescriptionDialog", "\"%1\" nie jest datą (np. %2).")
                   .arg(productionDate_, ui::dateFieldText(QDate(2026, 4, 7))),
               {}, ProductionDate);
        return false;
    }
    if (!isChanged()) {
        response_ = ui::FormResponse::Cancelled;
        return true;
    }
    const DescriptionEntry entry{description_, date.date};
    response_ = saveDescription(db_, services_, loaded_, entry, stored_) == 1 ? ui::FormResponse::Done
                                                                              : ui::FormResponse::Cancelled;
    return true;
}

ui::FormResponse runDescriptionDialog(ui::WindowContext& context, const global::StockTransRecord& order,
                                      QWidget* parent)
{
    DescriptionEditor editor(context.database, context.services, order);
    ui::RecordForm form(context, editor, parent ? parent : (context.host ? context.host->modalParent() : nullptr));
    form.exec();
    return editor.response();
}

} // namespace transactions::gui
