#include "orders/gui/InterfaceMapEditor.h"

#include "global/Formula.h"
#include "ui/form/RecordForm.h"

namespace orders {

using global::InterfaceMapRecord;
using MapTable = global::Table<InterfaceMapRecord>;

InterfaceMapEditor::InterfaceMapEditor(global::Database& db, global::Services services, ui::FormRequest request,
                                       const InterfaceMapRecord& record)
    : RecordEditor(db, services, request, record, QStringLiteral("Upd_Interface_map"), "InterfaceMapEditor")
{
}

QList<ui::FormField<InterfaceMapRecord>> InterfaceMapEditor::fields() const
{
    return {ui::textField("TYPE", QT_TRANSLATE_NOOP("InterfaceMapEditor", "TYPE:"), 20, &InterfaceMapRecord::type),
            ui::textField("INTERNAL_NAME", QT_TRANSLATE_NOOP("InterfaceMapEditor", "INTERNAL NAME:"), 20,
                          &InterfaceMapRecord::internalName),
            ui::textField("EXTERNAL_NAME", QT_TRANSLATE_NOOP("InterfaceMapEditor", "EXTERNAL NAME:"), 128,
                          &InterfaceMapRecord::externalName),
            ui::textField("FORMULA", QT_TRANSLATE_NOOP("InterfaceMapEditor", "FORMULA:"), 256,
                          &InterfaceMapRecord::formula),
            ui::textField("DESCRIPTION", QT_TRANSLATE_NOOP("InterfaceMapEditor", "Description:"), 1024,
                          &InterfaceMapRecord::description, true)};
}

QString InterfaceMapEditor::title() const
{
    return QStringLiteral("Form INTERFACE_MAP");
}

QString InterfaceMapEditor::keyDescription(int key) const
{
    return key == MapTable::ByExt ? QStringLiteral("Order by external name") : QStringLiteral("Internal Key");
}

bool InterfaceMapEditor::check(InterfaceMapRecord& record)
{
    record.type = record.type.trimmed().toUpper();
    if (record.type.isEmpty()) {
        refuse(tr("Podaj typ interfejsu."), {}, int(InterfaceMapField::Type));
        return false;
    }
    if (record.internalName.trimmed().isEmpty()) {
        refuse(tr("Podaj nazwę systemową pola."), {}, int(InterfaceMapField::InternalName));
        return false;
    }
    if (!record.formula.trimmed().isEmpty()) {
        const global::Formula formula(record.formula);
        if (!formula.isValid()) {
            refuse(tr("Błędna formuła: %1").arg(formula.error().errorMessage()), {}, int(InterfaceMapField::Formula));
            return false;
        }
    }
    return true;
}

ui::FormResponse runInterfaceMapForm(ui::WindowContext& context, ui::FormRequest request, InterfaceMapRecord& record,
                                     QWidget* parent)
{
    return ui::runRecordForm<InterfaceMapEditor>(context, request, record, parent);
}

} // namespace orders
