#pragma once
// CREATEFILTER, the form "Definicja filtra": the nine conditions of the cutting-order list's filter.
// OK turns the filter on when a condition is set (off otherwise) and hands it back, "Usuń filtr"
// clears every condition and hands the filter back off, Cancel leaves the caller's filter as it was.
// Text conditions take "*" and "?" as wildcards; a date that is no date is refused.
//
//   if (transactions::gui::runFilterDialog(context, filter, parent) == 1) list.reload();

#include "transactions/TransactionFilter.h"
#include "ui/form/RecordEditor.h"

class QWidget;

namespace ui { struct WindowContext; }

namespace transactions::gui {

inline const QString FilterDialogName = QStringLiteral("CreateFilter");

class FilterEditor : public ui::RecordEditorBase {
public:
    enum Field {
        ProfileCode,
        DateCreated,
        DocumentDescr,
        ProductionDate,
        OperatorCreated,
        ComputerCreated,
        DateConfirmed,
        OperatorConfirmed,
        ComputerConfirmed,
        FieldCount
    };

    FilterEditor(global::Services services, TransactionFilter& callers);

    bool open() override { return true; }
    QString title() const override;
    QList<ui::FormFieldInfo> fieldInfos() const override;
    QString fieldText(int field) const override;
    void setFieldText(int field, const QString& text) override;
    QString dittoText(int) const override { return {}; }
    bool isChanged() const override;
    // SAVEFILTER: refuses a date that is no date; otherwise hands the filter back (answer 1).
    bool save() override;
    bool remove() override { return false; }
    // Closing without saving never asks: the caller's filter simply stays as it was.
    bool cancel() override { return true; }
    // DELFILTER: every condition cleared, the filter handed back off (answer 1).
    bool clear();

    // 1 when the filter was handed back (saved or cleared), 0 when the form was closed.
    int answer() const { return answer_; }

private:
    bool isDate(int field) const;

    FilterForm form_;
    const TransactionFilter initial_;
    QString texts_[FieldCount];
    int answer_ = 0;
};

// Shows the form modally over the caller's filter; 1 when it handed the filter back.
int runFilterDialog(ui::WindowContext& context, TransactionFilter& filter, QWidget* parent = nullptr);

} // namespace transactions::gui
