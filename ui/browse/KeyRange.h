#pragma once
// The records a browse shows: those of one key of a table whose first `components` key
// components equal those of `prefix` (all records of the key when components is 0). A status tab
// is one such range ("the orders with status 1" over the key by status), and so is the detail list
// of the highlighted record of another list ("the positions of order 7").

#include "global/Table.h"

namespace ui {

template <class R>
struct KeyRange {
    typename global::Table<R>::Key key{};
    R prefix{};
    int components = 0;
};

} // namespace ui
