#include "stock/gui/HeatNumberForm.h"

#include "global/HeatNumber.h"
#include "global/Table.h"
#include "ui/form/RecordForm.h"
#include "ui/layout/StandardWarning.h"
#include "ui/window/WindowContext.h"
#include "ui/window/WindowHost.h"

#include <QLabel>
#include <QVBoxLayout>

using global::StockTransItemRecord;
using global::Table;

namespace stock::gui {

namespace {

constexpr int InsertNotAllowed = 19;
constexpr int DeleteNotAllowed = 21;
constexpr int RetrievalError = 35;
constexpr int SaveTheChanges = 33;
enum SaveAnswer { Yes = 0, No = 1, Cancel = 2 };

} // namespace

HeatNumberEditor::HeatNumberEditor(global::Database& db, global::Services services, ui::FormRequest request,
                                   const StockTransItemRecord& bar)
    : RecordEditorBase(services, request, HeatNumberFormName, "HeatNumberForm"), db_(db), bar_(bar),
      heatNumber_(bar.heatNumber)
{
}

bool HeatNumberEditor::open()
{
    if (request_ == ui::FormRequest::Insert) {
        layout::standardWarning(services_.dialogs, InsertNotAllowed);
        return false;
    }
    if (request_ == ui::FormRequest::Delete) {
        layout::standardWarning(services_.dialogs, DeleteNotAllowed);
        return false;
    }
    Table<StockTransItemRecord> bars(db_);
    StockTransItemRecord current;
    current.id = bar_.id;
    if (const int code = bars.fetch(Table<StockTransItemRecord>::Auto, current); code != 0) {
        layout::standardWarning(services_.dialogs, RetrievalError, bars.tableName(),
                                QStringLiteral("%1 (%2)").arg(bars.errorText(), QString::number(code)));
        return false;
    }
    bar_ = current;
    heatNumber_ = current.heatNumber;
    return true;
}

QString HeatNumberEditor::title() const
{
    return tr("Edycja numeru wytopu");
}

QString HeatNumberEditor::note() const
{
    return request_ == ui::FormRequest::Change ? tr("Record will be Changed") : QString();
}

QList<ui::FormFieldInfo> HeatNumberEditor::fieldInfos() const
{
    return {{QStringLiteral("STOTI:PROFILE_LENGHT"), QT_TRANSLATE_NOOP("HeatNumberForm", "Pręt [mm]:"), 10, false,
             ui::FormFieldInfo::Kind::Text, true},
            {QStringLiteral("STOTI:HEAT_NUMBER"), QT_TRANSLATE_NOOP("HeatNumberForm", "Numer wytopu:"), 20}};
}

QString HeatNumberEditor::fieldText(int field) const
{
    return field == BarLength ? QString::number(bar_.profileLenght) : heatNumber_;
}

void HeatNumberEditor::setFieldText(int field, const QString& text)
{
    if (field == HeatNumber && request_ == ui::FormRequest::Change)
        heatNumber_ = text;
}

bool HeatNumberEditor::isChanged() const
{
    return global::storedHeatNumber(heatNumber_) != global::storedHeatNumber(bar_.heatNumber);
}

bool HeatNumberEditor::save()
{
    focusField_ = HeatNumber;
    if (request_ != ui::FormRequest::Change || !isChanged())
        return true;   // nothing to write: closes, the response stays "cancelled"
    for (int attempt = 1;; ++attempt) {
        StockTransItemRecord stored;
        switch (global::saveHeatNumber(db_, services_.dialogs, bar_, heatNumber_, stored)) {
        case global::HeatNumberSave::Stored:
            bar_ = stored;
            heatNumber_ = stored.heatNumber;
            ditto_ = stored.heatNumber;
            response_ = ui::FormResponse::Done;
            return true;
        case global::HeatNumberSave::Unchanged: return true;
        case global::HeatNumberSave::ChangedElsewhere:
            // The other station's number is shown; one's own comes back with Ctrl+'.
            ditto_ = heatNumber_;
            bar_ = stored;
            heatNumber_ = stored.heatNumber;
            services_.beeper.beep();
            return false;
        case global::HeatNumberSave::Gone: return true;
        case global::HeatNumberSave::Failed:
            if (!tryAgain(attempt, false, QStringLiteral("STOCK_TRANS_ITEMS"), QString()))
                return true;   // closes without saving
            break;
        }
    }
}

bool HeatNumberEditor::cancel()
{
    if (request_ != ui::FormRequest::Change || !isChanged())
        return true;
    switch (layout::standardWarning(services_.dialogs, SaveTheChanges)) {
    case Yes: return save();
    case No: return true;
    default: return false;   // back to the field
    }
}

ui::FormResponse runHeatNumberForm(ui::WindowContext& context, ui::FormRequest request, StockTransItemRecord& bar,
                                   QWidget* parent)
{
    HeatNumberEditor editor(context.database, context.services, request, bar);
    if (!editor.open())
        return ui::FormResponse::Cancelled;
    ui::RecordForm form(context, editor, parent ? parent : (context.host ? context.host->modalParent() : nullptr));
    if (auto* layout = qobject_cast<QVBoxLayout*>(form.layout())) {
        auto* note = new QLabel(editor.note(), &form);
        note->setObjectName(QStringLiteral("NOTE"));
        layout->insertWidget(0, note);
    }
    form.exec();
    if (editor.response() == ui::FormResponse::Done)
        bar = editor.values();
    return editor.response();
}

} // namespace stock::gui
