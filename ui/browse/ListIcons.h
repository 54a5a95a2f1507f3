#pragma once
// Icons that several lists share, drawn once.

#include <QIcon>

namespace ui {

// The padlock of a record kept away from optimisation: a blocked position or piece, an excluded
// stock length.
const QIcon& padlockIcon();

} // namespace ui
