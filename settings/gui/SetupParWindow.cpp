#include "settings/gui/SetupParWindow.h"

#include "settings/CheckParameters.h"
#include "settings/gui/SetupParEditor.h"

namespace settings {

using global::SetupParRecord;
using SetupParTable = global::Table<SetupParRecord>;

namespace {

ui::BrowseDefinition parameterList()
{
    ui::BrowseDefinition d;
    d.name = QStringLiteral("SETUP_PAR");
    d.layoutName = QStringLiteral("Setup_Par");
    d.context = "SetupParWindow";
    d.title = QT_TRANSLATE_NOOP("SetupParWindow", "Parametry konfiguracyjne programu");
    return d;
}

QList<ui::BrowseColumn<SetupParRecord>> parameterColumns()
{
    return {{"SETP:NAME", QT_TRANSLATE_NOOP("SetupParWindow", "Nazwa parametru"), 28,
             [](const SetupParRecord& r) { return QVariant(r.name); }},
            {"SETP:VALUE", QT_TRANSLATE_NOOP("SetupParWindow", "Wartość"), 8,
             [](const SetupParRecord& r) { return QVariant(r.value); }},
            {"SETP:TECH_NAME", QT_TRANSLATE_NOOP("SetupParWindow", "Nazwa techn."), 18,
             [](const SetupParRecord& r) { return QVariant(r.techName); }}};
}

} // namespace

SetupParWindow::SetupParWindow(ui::WindowContext& context, QWidget* parent)
    : TableBrowse(context, parameterList(), parameterColumns(), {{SetupParTable::ByName}},
                  [&context](ui::FormRequest request, SetupParRecord& record, QWidget* over) {
                      return runSetupParForm(context, request, record, over);
                  },
                  parent)
{
    // Edited values take effect at once; a deleted parameter comes back with its default.
    connect(this, &BrowseWindow::closed, this, [&context] { checkParameters(context.database, context.services); });
}

QString SetupParWindow::highlighted() const
{
    return current() ? current()->techName : QString();
}

void SetupParWindow::highlight(const QString& techName)
{
    SetupParRecord record;
    record.techName = techName;
    TableBrowse::highlight(record);
}

} // namespace settings
