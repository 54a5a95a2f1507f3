#include "settings/gui/SetupParEditor.h"

#include "ui/form/RecordForm.h"

namespace settings {

using global::SetupParRecord;

SetupParEditor::SetupParEditor(global::Database& db, global::Services services, ui::FormRequest request,
                               const SetupParRecord& record)
    : RecordEditor(db, services, request, record, QStringLiteral("SETUP_PAR_UPD"), "SetupParEditor")
{
}

QList<ui::FormField<SetupParRecord>> SetupParEditor::fields() const
{
    return {ui::textField("TECH_NAME", QT_TRANSLATE_NOOP("SetupParEditor", "Nazwa techniczna"), 35,
                          &SetupParRecord::techName),
            ui::textField("NAME", QT_TRANSLATE_NOOP("SetupParEditor", "Nazwa parametru"), 80, &SetupParRecord::name),
            ui::textField("VALUE", QT_TRANSLATE_NOOP("SetupParEditor", "Wartość parametru"), 128,
                          &SetupParRecord::value)};
}

QString SetupParEditor::title() const
{
    if (request() == ui::FormRequest::Insert)
        return tr("Dodawanie parametru") + QStringLiteral("  (New)");
    return tr("Zmiana parametru") + QStringLiteral("  (") + loaded().name + QLatin1Char(')');
}

ui::FormResponse runSetupParForm(ui::WindowContext& context, ui::FormRequest request, SetupParRecord& record,
                                 QWidget* parent)
{
    return ui::runRecordForm<SetupParEditor>(context, request, record, parent);
}

} // namespace settings
