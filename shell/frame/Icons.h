#pragma once
// The program's icons, drawn at run time so that no image files need to travel with it.

#include <QIcon>

namespace shell {

QIcon programIcon();      // a bar with cut marks: the frame and every window
QIcon ordersIcon();       // list of orders
QIcon profilesIcon();     // profile catalogue (cross-sections)
QIcon cuttingListIcon();  // cutting orders (a cut card)

} // namespace shell
