#include "ui/browse/ListWindowPlace.h"

#include "ui/browse/BrowseWindow.h"
#include "ui/layout/ControlPositions.h"
#include "ui/layout/ListFormatManager.h"
#include "ui/layout/WindowPlacement.h"
#include "ui/window/WindowHost.h"

namespace ui {

void restoreListWindowPlace(QWidget& window, const QString& key, const QString& iniFile, layout::ControlPositions* splitters)
{
    if (!iniFile.isEmpty())
        layout::iniRestoreWindow(placedWindowOf(window), key, iniFile);
    if (splitters)
        splitters->restore();
}

void saveListWindowPlace(QWidget& window, const QString& key, const QString& iniFile, layout::ControlPositions* splitters,
                         std::initializer_list<BrowseWindow*> lists)
{
    for (BrowseWindow* list : lists)
        if (list->formats())
            list->formats()->kill();
    if (splitters)
        splitters->save();
    if (!iniFile.isEmpty())
        layout::iniSaveWindow(placedWindowOf(window), key, iniFile);
}

} // namespace ui
