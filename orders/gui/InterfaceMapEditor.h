#pragma once
// The form UPD_INTERFACE_MAP "Form INTERFACE_MAP" without its window: one entry of the import field
// map (interface type, internal name, external name, formula, description) over the record editor
// (ui/form/RecordEditor.h).
//
// Rules of the entry:
// - the type is stored in upper case; the type and the internal name must be filled in;
// - the internal name is unique within its type without regard to letter case (key "Internal
//   Key"); a filled-in external name is unique within its type (key "Order by external name"),
//   while any number of entries of a type may leave it blank and be computed by their formula
//   alone; a duplicate is refused and the form stays open on the first field;
// - a formula must read as a formula (its names are bound only when it is evaluated, so a name
//   unknown here is no reason to refuse it).

#include "global/Records.h"
#include "ui/form/RecordEditor.h"

namespace ui { struct WindowContext; }

namespace orders {

enum class InterfaceMapField { Type, InternalName, ExternalName, Formula, Description };

class InterfaceMapEditor : public ui::RecordEditor<global::InterfaceMapRecord> {
    Q_DECLARE_TR_FUNCTIONS(InterfaceMapEditor)
public:
    InterfaceMapEditor(global::Database& db, global::Services services, ui::FormRequest request,
                       const global::InterfaceMapRecord& record);

    QString title() const override;

    QString field(InterfaceMapField field) const { return fieldText(int(field)); }
    void setField(InterfaceMapField field, const QString& value) { setFieldText(int(field), value); }

protected:
    QList<ui::FormField<global::InterfaceMapRecord>> fields() const override;
    QString keyDescription(int key) const override;
    bool check(global::InterfaceMapRecord& record) override;
};

// Runs the form for one entry: insert, change and view show it, delete only asks and deletes.
ui::FormResponse runInterfaceMapForm(ui::WindowContext& context, ui::FormRequest request,
                                     global::InterfaceMapRecord& record, QWidget* parent = nullptr);

} // namespace orders
