#pragma once
// CHANGE_TRANSACTION, the form "Edycja danych opisowych": the description and the planned
// production date of one cutting order. Saving writes those two fields onto the cutting order as
// it is now (transactions/DescriptionForm.h); a date that is no date is refused and the form stays
// open.
//
//   StockTransRecord order = ...;   // read again just before
//   transactions::gui::runDescriptionDialog(context, order, parent);

#include "global/Records.h"
#include "ui/form/RecordEditor.h"

class QWidget;

namespace ui { struct WindowContext; }

namespace transactions::gui {

inline const QString DescriptionDialogName = QStringLiteral("Change_Transaction");

class DescriptionEditor : public ui::RecordEditorBase {
public:
    enum Field { Description = 0, ProductionDate = 1 };

    DescriptionEditor(global::Database& db, global::Services services, const global::StockTransRecord& order);

    bool open() override { return true; }
    QString title() const override;
    QList<ui::FormFieldInfo> fieldInfos() const override;
    QString fieldText(int field) const override;
    void setFieldText(int field, const QString& text) override;
    QString dittoText(int) const override { return {}; }
    bool isChanged() const override;
    // An unchanged form closes without a write; a refused or failed save has shown why and closes
    // too (the list shows the order as it is then).
    bool save() override;
    bool remove() override { return false; }

    // The cutting order as stored after a save (as loaded otherwise).
    const global::StockTransRecord& stored() const { return stored_; }

private:
    global::Database& db_;
    global::StockTransRecord loaded_;
    global::StockTransRecord stored_;
    QString description_;
    QString productionDate_;
};

// Shows the form modally; Done when the description was saved.
ui::FormResponse runDescriptionDialog(ui::WindowContext& context, const global::StockTransRecord& order,
                                      QWidget* parent = nullptr);

} // namespace transactions::gui
