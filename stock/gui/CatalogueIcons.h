#pragma once
// The icons of the catalogue's lists, drawn once: the green ball of a tagged stock length, the
// padlock of a length excluded from optimisation or a blocked piece, the truck of a length always
// available on the market.

#include <QIcon>

namespace stock {

const QIcon& taggedIcon();
const QIcon& padlockIcon();
const QIcon& truckIcon();

} // namespace stock
