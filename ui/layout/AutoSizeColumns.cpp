#include "ui/layout/AutoSizeColumns.h"

#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

#include <algorithm>

namespace layout {

namespace {

QHeaderView* headerOf(QAbstractItemView& list)
{
    if (auto* table = qobject_cast<QTableView*>(&list))
        return table->horizontalHeader();
    if (auto* tree = qobject_cast<QTreeView*>(&list))
        return tree->header();
    return nullptr;
}

} // namespace

int widestContent(QAbstractItemView& list, int column)
{
    QHeaderView* header = headerOf(list);
    const int caption = header ? header->sectionSizeHint(column) : 0;
    // The view classes hide this size hint; through the base class it is public.
    const int content = static_cast<const QAbstractItemView&>(list).sizeHintForColumn(column);
    return std::max(caption, content);
}

void enableColumnAutoSize(QAbstractItemView& list)
{
    QHeaderView* header = headerOf(list);
    if (!header)
        return;
    header->setSectionsClickable(true);
    QObject::connect(header, &QHeaderView::sectionHandleDoubleClicked, &list, [&list, header](int column) {
        if (header->sectionResizeMode(column) == QHeaderView::Interactive)
            header->resizeSection(column, widestContent(list, column));
    });
}

} // namespace layout
