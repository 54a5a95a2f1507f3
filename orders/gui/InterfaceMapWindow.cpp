#include "orders/gui/InterfaceMapWindow.h"

#include "orders/gui/InterfaceMapEditor.h"

namespace orders {

using global::InterfaceMapRecord;
using MapTable = global::Table<InterfaceMapRecord>;

namespace {

ui::BrowseDefinition fieldMapList()
{
    ui::BrowseDefinition d;
    d.name = QStringLiteral("MapImportFields");
    d.layoutName = QStringLiteral("MapImportFields");
    d.context = "InterfaceMapWindow";
    d.title = QT_TRANSLATE_NOOP("InterfaceMapWindow", "Mapowanie pól do importu danych");
    return d;
}

QList<ui::BrowseColumn<InterfaceMapRecord>> fieldMapColumns()
{
    return {{"INTM:INTERNAL_NAME", QT_TRANSLATE_NOOP("InterfaceMapWindow", "Nazwa_Syst."), 16,
             [](const InterfaceMapRecord& r) { return QVariant(r.internalName); }},
            {"INTM:EXTERNAL_NAME", QT_TRANSLATE_NOOP("InterfaceMapWindow", "Nazwa lokalna"), 20,
             [](const InterfaceMapRecord& r) { return QVariant(r.externalName); }},
            {"INTM:FORMULA", QT_TRANSLATE_NOOP("InterfaceMapWindow", "Formuła"), 30,
             [](const InterfaceMapRecord& r) { return QVariant(r.formula); }},
            {"INTM:DESCRIPTION", QT_TRANSLATE_NOOP("InterfaceMapWindow", "Opis"), 30,
             [](const InterfaceMapRecord& r) { return QVariant(r.description); }}};
}

} // namespace

InterfaceMapWindow::InterfaceMapWindow(ui::WindowContext& context, QWidget* parent)
    : TableBrowse(context, fieldMapList(), fieldMapColumns(), {{MapTable::Auto}},
                  [&context](ui::FormRequest request, InterfaceMapRecord& record, QWidget* over) {
                      return runInterfaceMapForm(context, request, record, over);
                  },
                  parent)
{
}

void InterfaceMapWindow::highlight(const QString& type, const QString& internalName)
{
    InterfaceMapRecord record;
    record.type = type;
    record.internalName = internalName;
    TableBrowse::highlight(record);
}

} // namespace orders
