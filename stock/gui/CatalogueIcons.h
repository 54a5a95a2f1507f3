#pragma once
// The icons of the catalogue's lists, drawn once: the green ball of a tagged stock length and the
// truck of a length always available on the market (the padlock of a blocked record is the lists'
// shared one, ui/browse/ListIcons.h).

#include <QIcon>

namespace stock {

const QIcon& taggedIcon();
const QIcon& truckIcon();

} // namespace stock
