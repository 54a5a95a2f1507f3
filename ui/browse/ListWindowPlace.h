#pragma once
// The place of a window of several linked lists (the catalogue, the orders browse): where the window
// stood and where its splitters were, restored when it is first shown; on closing, its lists'
// format managers closed and both places saved.

#include <QString>
#include <initializer_list>

class QWidget;

namespace layout {
class ControlPositions;
}

namespace ui {

class BrowseWindow;

// key names the window's section in iniFile; an empty iniFile keeps no place; splitters may be null.
void restoreListWindowPlace(QWidget& window, const QString& key, const QString& iniFile, layout::ControlPositions* splitters);
void saveListWindowPlace(QWidget& window, const QString& key, const QString& iniFile, layout::ControlPositions* splitters,
                         std::initializer_list<BrowseWindow*> lists);

} // namespace ui
