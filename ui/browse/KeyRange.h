#pragma once
// The records a browse shows: those of one key of a table whose first `components` key
// components equal those of `prefix` (all records of the key when components is 0). A status tab
// is one such range ("the orders with status 1" over the key by status), and so is the detail list
// of the highlighted record of another list ("the positions of order 7").
//
// A range may also leave out records of the key range that do not pass its filter ("the profiles
// that have approved pieces"): the list reads past them, so a filter that passes few records of a
// long range reads more to fill a page.

#include "global/Table.h"

#include <functional>

namespace ui {

template <class R>
struct KeyRange {
    typename global::Table<R>::Key key{};
    R prefix{};
    int components = 0;
    std::function<bool(const R&)> filter{};   // none: every record of the key range

    bool passes(const R& record) const { return !filter || filter(record); }
};

} // namespace ui
