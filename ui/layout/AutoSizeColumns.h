#pragma once
// Double-click auto-size of list columns: a double click on a column divider in the header of a
// registered list sets that column's width to its widest content.

class QAbstractItemView;

namespace layout {

void enableColumnAutoSize(QAbstractItemView& list);

// The width the column needs for its widest content, its caption included.
int widestContent(QAbstractItemView& list, int column);

} // namespace layout
