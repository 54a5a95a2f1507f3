#pragma once
// UPDPROFILELENGHT, the form "Edycja długości dostępnej dla profila": one stock length of a profile
// added, changed or deleted by hand, over the procedures of stock/StockLengths.h (every count
// change with its stock-log line in one transaction; flags alone write no line).
//
//   insert  the form starts empty; a length the profile already has is refused and handed back
//           (response 40).
//   change  the length itself is read-only. When another station changed the length since the form
//           read it, nothing is written, its values are shown and Ctrl+' brings back one's own.
//   delete  runs at once without the form: refused while a cutting order uses the length as a bar or
//           as its remnant, otherwise asked and deleted with its exclusions.
// A value outside its range keeps the form open on that field; every other refusal or failure has
// shown its message and closes the form (response 2).
//
//   ProfileLengthRecord length = browse.currentLength();
//   if (stock::gui::runLengthForm(context, ui::FormRequest::Change, profileId, length) == ui::FormResponse::Done)
//       browse.highlight(length);

#include "global/Records.h"
#include "stock/StockLengths.h"
#include "ui/form/RecordEditor.h"

#include <array>

class QWidget;

namespace ui { struct WindowContext; }

namespace stock::gui {

inline const QString LengthFormName = QStringLiteral("UpdProfileLenght");

// The rules of the form without its widgets.
class LengthEditor : public ui::RecordEditorBase {
    Q_DECLARE_TR_FUNCTIONS(LengthForm)
public:
    enum Field {
        ProfileCode,
        Lenght,
        IntStock,
        ExtStock,
        IncomStock,
        Hidden,
        Unlimited,
        BlockSelection,
        Typical,
        FieldCount
    };

    // record: the length to change or delete (found again by its identifier); ignored for an insert.
    LengthEditor(global::Database& db, global::Services services, ui::FormRequest request, uint32_t profileId,
                 const global::ProfileLengthRecord& record);

    bool open() override;
    QString title() const override;
    QList<ui::FormFieldInfo> fieldInfos() const override;
    QString fieldText(int field) const override { return texts_.at(field); }
    void setFieldText(int field, const QString& text) override;
    QString dittoText(int field) const override;
    bool isChanged() const override { return texts_ != loadedTexts_; }
    bool save() override;
    bool remove() override;

    // The length as stored (after a save or a refusal by another station's change) or as loaded.
    const global::ProfileLengthRecord& values() const { return values_; }
    // Why the last save was refused (None when it was not).
    LengthRefusal refusal() const { return refusal_; }

    // Forgets the operator's values of earlier saves (a fresh start, for tests).
    static void forgetDitto();

private:
    using Texts = std::array<QString, FieldCount>;

    void show(const global::ProfileLengthRecord& length);
    bool readFields(global::ProfileLengthRecord& out);
    bool readCount(Field field, int64_t min, int64_t max, int64_t& out);
    bool answer(LengthResponse response, LengthForm& form);

    global::Database& db_;
    uint32_t profileId_;
    QString profileCode_;
    global::ProfileLengthRecord loaded_;
    global::ProfileLengthRecord values_;
    Texts texts_;
    Texts loadedTexts_;
    LengthRefusal refusal_ = LengthRefusal::None;
};

// Runs the form for one length of the profile: insert and change show it, delete only asks and
// deletes. On 1 the record holds the stored length, on 40 the existing one.
ui::FormResponse runLengthForm(ui::WindowContext& context, ui::FormRequest request, uint32_t profileId,
                               global::ProfileLengthRecord& length, QWidget* parent = nullptr);

// The same for callers that know the length by its identifier (0 for an insert); true when stored.
bool editStockLength(ui::WindowContext& context, ui::FormRequest request, uint32_t profileId, uint32_t lengthId,
                     QWidget* parent = nullptr);

} // namespace stock::gui
