#include "stock/gui/ProfileEditor.h"

#include "global/Deform.h"
#include "global/Globals.h"
#include "stock/ProfileForm.h"
#include "ui/form/RecordForm.h"

#include <cmath>
#include <limits>

using global::ProfileRecord;

namespace stock {

namespace {

QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}

uint32_t wholeNumber(const QString& text)
{
    const double value = std::round(global::deform(text));
    if (value <= 0)
        return 0;
    return value >= double(std::numeric_limits<uint32_t>::max()) ? std::numeric_limits<uint32_t>::max()
                                                                  : uint32_t(value);
}

ui::FormField<ProfileRecord> realField(const QString& name, const char* caption, double ProfileRecord::*member)
{
    return {{name, caption, 14},
            [member](const ProfileRecord& r) { return numberText(r.*member); },
            [member](ProfileRecord& r, const QString& text) { r.*member = global::deform(text); }};
}

ui::FormField<ProfileRecord> flagField(const QString& name, const char* caption, uint16_t ProfileRecord::*member)
{
    return {{name, caption, 1, false, ui::FormFieldInfo::Kind::Check},
            [member](const ProfileRecord& r) { return QString::number(r.*member != 0 ? 1 : 0); },
            [member](ProfileRecord& r, const QString& text) { r.*member = wholeNumber(text) != 0 ? 1 : 0; }};
}

int focusFieldOf(ProfileField field)
{
    switch (field) {
    case ProfileField::Code: return int(ProfileFormField::Code);
    case ProfileField::RemnantLenght: return int(ProfileFormField::RemnantLenght);
    case ProfileField::None: break;
    }
    return -1;
}

ProfileRecord presetNew(const ProfileRecord& record, ui::FormRequest request)
{
    ProfileRecord preset = record;
    if (request == ui::FormRequest::Insert)
        preset.uom = global::glo().defUom;
    return preset;
}

} // namespace

ProfileEditor::ProfileEditor(global::Database& db, global::Services services, ui::FormRequest request,
                             const ProfileRecord& record)
    : RecordEditor(db, services, request, presetNew(record, request), QStringLiteral("UpdProfile"), "ProfileEditor"),
      db_(db)
{
}

QList<ui::FormField<ProfileRecord>> ProfileEditor::fields() const
{
    return {
        ui::textField("PROFILE_CODE", QT_TRANSLATE_NOOP("ProfileEditor", "Kod profila"), 64, &ProfileRecord::profileCode),
        ui::textField("PROFILE_CODE2", QT_TRANSLATE_NOOP("ProfileEditor", "Kod pomocniczy"), 64,
                      &ProfileRecord::profileCode2),
        ui::textField("DESCR", QT_TRANSLATE_NOOP("ProfileEditor", "Opis"), 128, &ProfileRecord::descr),
        {{"REMNANT_LENGHT", QT_TRANSLATE_NOOP("ProfileEditor", "Min. odpad użyteczny [mm]"), 10},
         [](const ProfileRecord& r) { return QString::number(r.remnantLenght); },
         [](ProfileRecord& r, const QString& text) { r.remnantLenght = wholeNumber(text); }},
        realField("WEIGHT", QT_TRANSLATE_NOOP("ProfileEditor", "Waga [kg/m]"), &ProfileRecord::weight),
        realField("HIGHT", QT_TRANSLATE_NOOP("ProfileEditor", "Wysokość"), &ProfileRecord::hight),
        realField("WIDTH", QT_TRANSLATE_NOOP("ProfileEditor", "Szerokość"), &ProfileRecord::width),
        flagField("SYMETRICAL", QT_TRANSLATE_NOOP("ProfileEditor", "Symetryczny"), &ProfileRecord::symetrical),
        ui::textField("UOM", QT_TRANSLATE_NOOP("ProfileEditor", "Jednostka (mm, cm)"), 10, &ProfileRecord::uom),
        realField("PRICE", QT_TRANSLATE_NOOP("ProfileEditor", "Cena [za mb]"), &ProfileRecord::price),
        realField("SCRAP_PRICE", QT_TRANSLATE_NOOP("ProfileEditor", "Cena złomu"), &ProfileRecord::scrapPrice),
        realField("WELDING_PRICE", QT_TRANSLATE_NOOP("ProfileEditor", "Koszt spawania"), &ProfileRecord::weldingPrice),
        realField("REMNANT_LOSS", QT_TRANSLATE_NOOP("ProfileEditor", "Przecena odpadu użytkowego"),
                  &ProfileRecord::remnantLoss),
        flagField("STATUS", QT_TRANSLATE_NOOP("ProfileEditor", "Ukryj na liście wyboru"), &ProfileRecord::status),
    };
}

QString ProfileEditor::title() const
{
    return tr("Edycja danych podstawowych profila");
}

bool ProfileEditor::save()
{
    focusField_ = -1;
    ProfileForm form(db_, services_);
    ProfileRecord buffer = values();
    ProfileResponse answer = ProfileResponse::Refused;
    switch (request_) {
    case ui::FormRequest::Insert: answer = form.insert(buffer); break;
    case ui::FormRequest::Change:
        if (!isChanged()) {
            response_ = ui::FormResponse::Done;
            return true;
        }
        answer = form.change(loaded(), buffer);
        break;
    case ui::FormRequest::Delete: return remove();
    case ui::FormRequest::View: return true;
    }
    focusField_ = focusFieldOf(form.focus());
    switch (answer) {
    case ProfileResponse::Done:
        values() = buffer;
        response_ = ui::FormResponse::Done;
        return true;
    case ProfileResponse::Duplicate:
        values() = buffer;
        response_ = ui::FormResponse::Duplicate;
        return true;
    case ProfileResponse::Cancelled:
    case ProfileResponse::Refused: break;
    }
    return false;
}

bool ProfileEditor::remove()
{
    ProfileForm form(db_, services_);
    ProfileRecord buffer = loaded();
    if (form.remove(buffer) != ProfileResponse::Done)
        return false;
    response_ = ui::FormResponse::Done;
    return true;
}

ui::FormResponse runProfileForm(ui::WindowContext& context, ui::FormRequest request, ProfileRecord& record,
                                QWidget* parent)
{
    return ui::runRecordForm<ProfileEditor>(context, request, record, parent);
}

} // namespace stock
