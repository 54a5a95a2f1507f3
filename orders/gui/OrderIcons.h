#pragma once
// The icons of the orders browse, drawn once: the progress of an order, the state of a piece, the
// tick of a tagged order and the truck of a length always available on the market (the padlock of
// a blocked record is the lists' shared one, ui/browse/ListIcons.h).

#include "orders/OrdersList.h"

#include <QIcon>

namespace orders::gui {

QIcon progressIcon(OrderProgress progress);
QIcon pieceStateIcon(PieceState state);   // none for PieceState::None
const QIcon& truckIcon();

} // namespace orders::gui
