#pragma once
// A picture of the frame for the documentation: the window with one of its menus drawn open.

#include <QPixmap>
#include <QString>

namespace shell {

class MainFrame;

// menuName: the object name of the menu to show open ("settingsMenu"), none when empty.
QPixmap framePicture(MainFrame& frame, const QString& menuName);

} // namespace shell
