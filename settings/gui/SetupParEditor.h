#pragma once
// The form SETUP_PAR_UPD "Form SETUP_PAR" without its window: the three fields of one parameter
// over the record editor, which holds every rule of the form (ui/form/RecordEditor.h). Nothing is
// validated: what a value means is decided when the parameters are loaded. A duplicate of either
// key is refused with the key description "Sort by name" and the form stays open.

#include "global/Records.h"
#include "ui/form/RecordEditor.h"

namespace ui { struct WindowContext; }

namespace settings {

enum class SetupParField { TechName, Name, Value };

class SetupParEditor : public ui::RecordEditor<global::SetupParRecord> {
    Q_DECLARE_TR_FUNCTIONS(SetupParEditor)
public:
    SetupParEditor(global::Database& db, global::Services services, ui::FormRequest request,
                   const global::SetupParRecord& record);

    // "Dodawanie parametru  (New)", or "Zmiana parametru  (<name>)" when changing or deleting.
    QString title() const override;

    QString field(SetupParField field) const { return fieldText(int(field)); }
    void setField(SetupParField field, const QString& value) { setFieldText(int(field), value); }

protected:
    QList<ui::FormField<global::SetupParRecord>> fields() const override;
    QString keyDescription(int) const override { return QStringLiteral("Sort by name"); }
};

// Runs the form for one parameter: insert and change show it, delete only asks and deletes.
ui::FormResponse runSetupParForm(ui::WindowContext& context, ui::FormRequest request, global::SetupParRecord& record,
                                 QWidget* parent = nullptr);

} // namespace settings
