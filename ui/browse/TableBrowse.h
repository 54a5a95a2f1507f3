#pragma once
// A browse over the records of one table: the window (BrowseWindow.h) joined to a model of those
// records (BrowseModel.h), one key range per status tab, and the form that inserts, changes,
// deletes and views a record. After the form the list stands on the record the form returned
// (answers 1 and 40; a deleted record's place goes to the record after it), otherwise on the
// record it stood on.
//
//   auto* browse = new ui::TableBrowse<SetupParRecord>(context, definition, columns,
//                      {{Table::ByName}}, [&](ui::FormRequest request, SetupParRecord& r, QWidget* parent) {
//                          return ui::runRecordForm<SetupParEditor>(context, request, r, parent); });
//   context.host->showBrowse(browse);

#include "ui/browse/BrowseModel.h"
#include "ui/browse/BrowseWindow.h"
#include "ui/window/WindowContext.h"

#include <functional>

namespace ui {

template <class R>
class TableBrowse : public BrowseWindow {
public:
    // The form a request goes to; it answers as a record form does and leaves the stored (1) or
    // the existing (40) record in its argument.
    using Form = std::function<FormResponse(FormRequest request, R& record, QWidget* parent)>;

    // ranges: one per tab of the definition (the first when it has no tabs).
    TableBrowse(WindowContext& context, const BrowseDefinition& definition, QList<BrowseColumn<R>> columns,
                QList<KeyRange<R>> ranges, Form form, QWidget* parent = nullptr)
        : BrowseWindow(context, definition, parent),
          model_(new BrowseModel<R>(context.database, std::move(columns), ranges.value(0), definition.context, this)),
          ranges_(std::move(ranges)), form_(std::move(form))
    {
        attach(*model_);
    }

    BrowseModel<R>& model() { return *model_; }
    // The highlighted record; none (nullptr) when the list is empty.
    const R* current() const { return currentRow() >= 0 ? &model_->record(currentRow()) : nullptr; }
    // A new record starts as this (by default empty but for the key fields of the shown range,
    // so that it lands in the list it was inserted from).
    void setNewRecord(std::function<R()> make) { newRecord_ = std::move(make); }
    // Positions the list on the record (found by its identity key) or where it would stand.
    void highlight(const R& record) { setCurrentRow(model_->relocate(record)); }

protected:
    void carryOut(FormRequest request) override
    {
        if (!form_)
            return;
        const int row = currentRow();
        const bool onRecord = request != FormRequest::Insert;
        if (onRecord && row < 0)
            return;
        R record = onRecord ? model_->record(row) : newRecord();
        const QString position = row >= 0 ? model_->positionAt(row) : QString();
        const FormResponse response = form_(request, record, this);
        const bool answered = response == FormResponse::Done || response == FormResponse::Duplicate;
        if (answered && request != FormRequest::Delete)
            setCurrentRow(model_->relocate(record));
        else
            setCurrentRow(model_->relocateAt(position));
    }

    void showTab(int tab) override { model_->setRange(ranges_.value(tab, ranges_.value(0))); }

private:
    R newRecord() const
    {
        if (newRecord_)
            return newRecord_();
        return model_->range().prefix;
    }

    BrowseModel<R>* model_;
    QList<KeyRange<R>> ranges_;
    Form form_;
    std::function<R()> newRecord_;
};

} // namespace ui
