#pragma once
// UPD_HEATNO, the form "Edycja numeru wytopu": the heat number of one bar of a cutting order,
// opened from the bar/piece tree of the cutting order. Only a change is served (an insert or a
// delete gets the standard "Invalid Request" warning). OK writes a changed number (global/HeatNumber.h)
// and closes with response 1; an unchanged one closes without a write. A failed write asks whether to
// try again (at most three attempts in all); another station's change is shown, with one's own
// number back on Ctrl+'. Closing the form any other way after changing the number asks whether to
// save it.
//
//   StockTransItemRecord bar = tree.currentBar();
//   stock::gui::runHeatNumberForm(context, ui::FormRequest::Change, bar);

#include "global/Records.h"
#include "ui/form/RecordEditor.h"

class QWidget;

namespace ui { struct WindowContext; }

namespace stock::gui {

inline const QString HeatNumberFormName = QStringLiteral("Upd_HeatNo");

class HeatNumberEditor : public ui::RecordEditorBase {
    Q_DECLARE_TR_FUNCTIONS(HeatNumberForm)
public:
    enum Field { BarLength, HeatNumber };

    HeatNumberEditor(global::Database& db, global::Services services, ui::FormRequest request,
                     const global::StockTransItemRecord& bar);

    bool open() override;
    QString title() const override;
    QList<ui::FormFieldInfo> fieldInfos() const override;
    QString fieldText(int field) const override;
    void setFieldText(int field, const QString& text) override;
    QString dittoText(int field) const override { return field == HeatNumber ? ditto_ : QString(); }
    bool isChanged() const override;
    bool save() override;
    bool remove() override { return false; }
    // Closing without OK after a change: save it (yes), return to the field (cancel) or drop it (no).
    bool cancel() override;

    // The note the form shows under its title.
    QString note() const;
    const global::StockTransItemRecord& values() const { return bar_; }

private:
    global::Database& db_;
    global::StockTransItemRecord bar_;   // as loaded, or as stored after a save
    QString heatNumber_;                 // as typed
    QString ditto_;
};

ui::FormResponse runHeatNumberForm(ui::WindowContext& context, ui::FormRequest request,
                                   global::StockTransItemRecord& bar, QWidget* parent = nullptr);

} // namespace stock::gui
