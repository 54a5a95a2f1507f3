#pragma once
// The icons of the orders browse, drawn once: the progress of an order, the state of a piece, the
// padlock of a blocked position, piece or stock length, the tick of a tagged order and the truck of
// a length always available on the market.

#include "orders/OrdersList.h"

#include <QIcon>

namespace orders::gui {

QIcon progressIcon(OrderProgress progress);
QIcon pieceStateIcon(PieceState state);   // none for PieceState::None
const QIcon& padlockIcon();
const QIcon& truckIcon();

} // namespace orders::gui
