#pragma once
// The import field map MAPIMPORTFIELDS "Mapowanie pól do importu danych": every entry of every
// interface type in the order of type and internal name, with its internal name, external name,
// formula and description; insert, change and delete through the form UPD_INTERFACE_MAP. Its place
// and list formats are kept under "MapImportFields".

#include "global/Records.h"
#include "ui/browse/TableBrowse.h"

namespace orders {

class InterfaceMapWindow : public ui::TableBrowse<global::InterfaceMapRecord> {
public:
    explicit InterfaceMapWindow(ui::WindowContext& context, QWidget* parent = nullptr);

    // Highlights the entry of this type and internal name (or where it would stand).
    void highlight(const QString& type, const QString& internalName);
};

} // namespace orders
