#pragma once
// The profile form "Edycja danych podstawowych profila" without its window: the fields of one
// profile over the record editor, with the rules of the profile procedures (stock/ProfileForm.h):
// the code and the minimal usable remnant are required, a code held by another profile is refused
// (a change of case alone is no duplicate), a new code is carried into the open order positions,
// and deleting takes the profile's stock lengths with it. A new profile starts with the unit of the
// setup parameter GLO:DEF_UOM.

#include "global/Records.h"
#include "ui/form/RecordEditor.h"

namespace ui { struct WindowContext; }

namespace stock {

enum class ProfileFormField {
    Code, Code2, Descr, RemnantLenght, Weight, Hight, Width, Symetrical, Uom, Price, ScrapPrice, WeldingPrice,
    RemnantLoss, Hidden
};

class ProfileEditor : public ui::RecordEditor<global::ProfileRecord> {
    Q_DECLARE_TR_FUNCTIONS(ProfileEditor)
public:
    ProfileEditor(global::Database& db, global::Services services, ui::FormRequest request,
                  const global::ProfileRecord& record);

    QString title() const override;
    bool save() override;
    bool remove() override;

    QString field(ProfileFormField field) const { return fieldText(int(field)); }
    void setField(ProfileFormField field, const QString& value) { setFieldText(int(field), value); }

protected:
    QList<ui::FormField<global::ProfileRecord>> fields() const override;

private:
    global::Database& db_;
};

// UPDPROFILE: runs the form for one profile (insert and change show it, delete only asks and
// deletes). The record holds the stored profile on 1 and the existing one on 40.
ui::FormResponse runProfileForm(ui::WindowContext& context, ui::FormRequest request, global::ProfileRecord& record,
                                QWidget* parent = nullptr);

} // namespace stock
