#include "stock/gui/LengthForm.h"

#include "global/Deform.h"
#include "global/Table.h"
#include "ui/form/RecordForm.h"
#include "ui/layout/StandardWarning.h"
#include "ui/window/WindowContext.h"
#include "ui/window/WindowHost.h"

#include <QWidget>

#include <cmath>
#include <limits>

using global::ProfileLengthRecord;
using global::ProfileRecord;
using global::Table;

namespace stock::gui {

namespace {

constexpr int64_t MaxCount = std::numeric_limits<int32_t>::max();
constexpr int64_t MinCount = std::numeric_limits<int32_t>::min();

QString flagText(uint32_t value)
{
    return value != 0 ? QStringLiteral("1") : QStringLiteral("0");
}

bool checked(const QString& text)
{
    const QString t = text.trimmed();
    return !t.isEmpty() && t != QLatin1String("0");
}

// The operator's values of the last save in this run, or of a save another station's change refused.
struct Ditto {
    std::array<QString, LengthEditor::FieldCount> texts;
    bool kept = false;
};

Ditto& ditto()
{
    static Ditto memory;
    return memory;
}

void keepDitto(const std::array<QString, LengthEditor::FieldCount>& texts)
{
    ditto() = Ditto{texts, true};
}

QString profileCodeOf(global::Database& db, uint32_t profileId)
{
    Table<ProfileRecord> profiles(db);
    ProfileRecord profile;
    profile.id = profileId;
    if (profiles.fetch(Table<ProfileRecord>::Auto, profile) != 0)
        return {};
    return profile.profileCode.trimmed();
}

} // namespace

LengthEditor::LengthEditor(global::Database& db, global::Services services, ui::FormRequest request,
                           uint32_t profileId, const ProfileLengthRecord& record)
    : RecordEditorBase(services, request, LengthFormName, "LengthForm"), db_(db), profileId_(profileId),
      loaded_(record), values_(record)
{
}

void LengthEditor::forgetDitto()
{
    ditto() = Ditto{};
}

bool LengthEditor::open()
{
    switch (request_) {
    case ui::FormRequest::Insert:
        // A new length starts with every field cleared.
        loaded_ = ProfileLengthRecord{};
        loaded_.profileId = profileId_;
        break;
    case ui::FormRequest::Change:
    case ui::FormRequest::Delete: {
        Table<ProfileLengthRecord> lengths(db_);
        ProfileLengthRecord stored;
        stored.id = loaded_.id;
        if (const int code = lengths.fetch(Table<ProfileLengthRecord>::Auto, stored); code != 0) {
            layout::standardWarning(services_.dialogs, 35, lengths.tableName(),
                                    QStringLiteral("%1 (%2)").arg(lengths.errorText(), QString::number(code)));
            return false;
        }
        loaded_ = stored;
        profileId_ = stored.profileId;
        break;
    }
    default:
        services_.dialogs.message(QStringLiteral("Action %1 not allowed in this procedure").arg(int(request_)));
        return false;
    }
    profileCode_ = profileCodeOf(db_, profileId_);
    values_ = loaded_;
    show(loaded_);
    loadedTexts_ = texts_;
    return true;
}

void LengthEditor::show(const ProfileLengthRecord& length)
{
    texts_[ProfileCode] = profileCode_;
    texts_[Lenght] = length.lenght == 0 ? QString() : QString::number(length.lenght);
    texts_[IntStock] = QString::number(length.intStock);
    texts_[ExtStock] = QString::number(length.extStock);
    texts_[IncomStock] = QString::number(length.incomStock);
    texts_[Hidden] = flagText(length.status);
    texts_[Unlimited] = flagText(length.unlimitedStock);
    texts_[BlockSelection] = flagText(length.blockSelection);
    texts_[Typical] = flagText(length.typicalLength);
}

QString LengthEditor::title() const
{
    return tr("Edycja długości dostępnej dla profila");
}

QList<ui::FormFieldInfo> LengthEditor::fieldInfos() const
{
    using Kind = ui::FormFieldInfo::Kind;
    const bool lengthFixed = request_ != ui::FormRequest::Insert;
    return {
        {QStringLiteral("PRFT:PROFILE_CODE"), QT_TRANSLATE_NOOP("LengthForm", "Profil"), 64, false, Kind::Text, true},
        {QStringLiteral("PROFL:LENGHT"), QT_TRANSLATE_NOOP("LengthForm", "Długość dostępna [mm]"), 10, false, Kind::Text,
         lengthFixed},
        {QStringLiteral("PROFL:INT_STOCK"), QT_TRANSLATE_NOOP("LengthForm", "Ilość w magazynie [szt]"), 11},
        {QStringLiteral("PROFL:EXT_STOCK"), QT_TRANSLATE_NOOP("LengthForm", "Ilość w mag. zewn. [szt]"), 10},
        {QStringLiteral("PROFL:INCOM_STOCK"), QT_TRANSLATE_NOOP("LengthForm", "Ilość w produkcji [sz]"), 11},
        {QStringLiteral("PROFL:STATUS"), QT_TRANSLATE_NOOP("LengthForm", "Ukryj długość na liście"), 0, false, Kind::Check},
        {QStringLiteral("PROFL:UNLIMITED_STOCK"), QT_TRANSLATE_NOOP("LengthForm", "Długość dostępna w hurt."), 0, false,
         Kind::Check},
        {QStringLiteral("PROFL:BLOCK_SELECTION"), QT_TRANSLATE_NOOP("LengthForm", "Wyłącz z optymalizacji"), 0, false,
         Kind::Check},
        {QStringLiteral("PROFL:TYPICAL_LENGTH"), QT_TRANSLATE_NOOP("LengthForm", "Długość handl. (typowa)"), 0, false,
         Kind::Check},
    };
}

void LengthEditor::setFieldText(int field, const QString& text)
{
    if (field < 0 || field >= FieldCount || field == ProfileCode)
        return;
    if (field == Lenght && request_ != ui::FormRequest::Insert)
        return;
    texts_[field] = text;
}

QString LengthEditor::dittoText(int field) const
{
    if (!ditto().kept || field < 0 || field >= FieldCount)
        return {};
    return ditto().texts.at(field);
}

// A count as typed: a whole number within its range (an empty field is 0).
bool LengthEditor::readCount(Field field, int64_t min, int64_t max, int64_t& out)
{
    const QString text = texts_.at(field).trimmed();
    const QString caption = QCoreApplication::translate("LengthForm", fieldInfos().at(field).caption);
    bool digits = text.isEmpty();
    for (const QChar c : text)
        digits = digits || c.isDigit();
    const double value = global::deform(text);
    if (!digits || value != std::trunc(value)) {
        refuse(tr("%1: \"%2\" nie jest liczbą całkowitą").arg(caption, text), {}, field);
        return false;
    }
    if (value < double(min) || value > double(max)) {
        refuse(tr("%1: wartość musi leżeć między %2 a %3").arg(caption).arg(min).arg(max), {}, field);
        return false;
    }
    out = static_cast<int64_t>(value);
    return true;
}

bool LengthEditor::readFields(ProfileLengthRecord& out)
{
    out = loaded_;
    int64_t lenght = 0, intStock = 0, extStock = 0, incomStock = 0;
    if (request_ == ui::FormRequest::Insert) {
        if (!readCount(Lenght, 1, std::numeric_limits<uint32_t>::max(), lenght))
            return false;
        out.lenght = static_cast<uint32_t>(lenght);
    }
    if (!readCount(IntStock, MinCount, MaxCount, intStock) || !readCount(ExtStock, 0, MaxCount, extStock)
        || !readCount(IncomStock, MinCount, MaxCount, incomStock))
        return false;
    out.intStock = static_cast<int32_t>(intStock);
    out.extStock = static_cast<uint32_t>(extStock);
    out.incomStock = static_cast<int32_t>(incomStock);
    out.status = checked(texts_[Hidden]) ? 1 : 0;
    out.unlimitedStock = checked(texts_[Unlimited]) ? 1 : 0;
    out.blockSelection = checked(texts_[BlockSelection]) ? 1 : 0;
    // A commercial length keeps the value it is stored with; a newly marked one takes 1.
    if (!checked(texts_[Typical]))
        out.typicalLength = 0;
    else if (out.typicalLength == 0)
        out.typicalLength = 1;
    return true;
}

bool LengthEditor::save()
{
    focusField_ = -1;
    refusal_ = LengthRefusal::None;
    if (request_ == ui::FormRequest::Delete)
        return remove();
    if (request_ == ui::FormRequest::Change && !isChanged()) {
        response_ = ui::FormResponse::Done;
        return true;
    }
    ProfileLengthRecord buffer;
    if (!readFields(buffer)) {
        refusal_ = LengthRefusal::Input;
        return false;
    }
    LengthForm form(db_, services_);
    const LengthResponse response =
        request_ == ui::FormRequest::Insert ? form.insert(profileId_, buffer) : form.change(loaded_, buffer);
    if (response == LengthResponse::Refused && form.refusal() == LengthRefusal::ChangedElsewhere) {
        // The other station's length is shown; the operator's own values come back with Ctrl+'.
        refusal_ = LengthRefusal::ChangedElsewhere;
        keepDitto(texts_);
        loaded_ = values_ = buffer;
        show(buffer);
        loadedTexts_ = texts_;
        services_.beeper.beep();
        return false;
    }
    values_ = buffer;
    return answer(response, form);
}

bool LengthEditor::answer(LengthResponse response, LengthForm& form)
{
    switch (response) {
    case LengthResponse::Done:
        show(values_);
        keepDitto(texts_);
        loaded_ = values_;
        loadedTexts_ = texts_;
        response_ = ui::FormResponse::Done;
        return true;
    case LengthResponse::AlreadyExists:
        response_ = ui::FormResponse::Duplicate;
        return true;
    case LengthResponse::Cancelled:
        response_ = ui::FormResponse::Cancelled;
        return true;
    case LengthResponse::Refused:
        break;
    }
    refusal_ = form.refusal();
    values_ = loaded_;
    if (refusal_ == LengthRefusal::Input) {
        // The procedure's own range check: the form stays open on the length.
        focusField_ = Lenght;
        services_.beeper.beep();
        return false;
    }
    response_ = ui::FormResponse::Cancelled;
    return true;
}

bool LengthEditor::remove()
{
    refusal_ = LengthRefusal::None;
    LengthForm form(db_, services_);
    ProfileLengthRecord buffer = loaded_;
    const LengthResponse response = form.remove(buffer);
    refusal_ = form.refusal();
    if (response == LengthResponse::Done) {
        values_ = buffer;
        response_ = ui::FormResponse::Done;
        return true;
    }
    response_ = ui::FormResponse::Cancelled;
    return false;
}

ui::FormResponse runLengthForm(ui::WindowContext& context, ui::FormRequest request, uint32_t profileId,
                               ProfileLengthRecord& length, QWidget* parent)
{
    LengthEditor editor(context.database, context.services, request, profileId, length);
    if (!editor.open())
        return ui::FormResponse::Cancelled;
    if (request == ui::FormRequest::Delete) {
        editor.remove();
    } else {
        ui::RecordForm form(context, editor, parent ? parent : (context.host ? context.host->modalParent() : nullptr));
        const QList<std::pair<LengthEditor::Field, const char*>> help{
            {LengthEditor::IntStock, "Internal stock (immediately accessible)"},
            {LengthEditor::ExtStock, "External stock (possible to transfer)"},
            {LengthEditor::IncomStock, "Incomming stock (result from other cut, not confirmed yet)"},
            {LengthEditor::Unlimited, "Available onthe market"},
        };
        for (const auto& [field, text] : help)
            if (QWidget* widget = form.fieldWidget(field))
                widget->setToolTip(QString::fromLatin1(text));
        form.exec();
    }
    const ui::FormResponse response = editor.response();
    if (response == ui::FormResponse::Done || response == ui::FormResponse::Duplicate)
        length = editor.values();
    return response;
}

bool editStockLength(ui::WindowContext& context, ui::FormRequest request, uint32_t profileId, uint32_t lengthId,
                     QWidget* parent)
{
    ProfileLengthRecord length;
    length.id = lengthId;
    length.profileId = profileId;
    return runLengthForm(context, request, profileId, length, parent) == ui::FormResponse::Done;
}

} // namespace stock::gui
