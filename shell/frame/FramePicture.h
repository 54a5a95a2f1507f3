#pragma once
// A picture of the frame for the documentation: the window with its title, one of its menus
// drawn open and, when given, one of its windows drawn inside it.

#include <QPixmap>
#include <QString>

class QWidget;

namespace shell {

class MainFrame;

// menuName: the object name of the menu to show open ("settingsMenu"), none when empty.
// inner: a window of the program drawn with its title over the frame's work area (none when null).
QPixmap framePicture(MainFrame& frame, const QString& menuName, QWidget* inner = nullptr);

} // namespace shell
