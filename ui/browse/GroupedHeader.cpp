#include "ui/browse/GroupedHeader.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace ui {

GroupedHeader::GroupedHeader(const char* translationContext, QList<ColumnGroup> groups, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), context_(translationContext), groups_(std::move(groups))
{
    setSectionsClickable(true);
    setDefaultAlignment(Qt::AlignCenter);
    // A group's caption is centred over all its columns: resizing or moving one moves it.
    connect(this, &QHeaderView::sectionResized, this, [this] { viewport()->update(); });
    connect(this, &QHeaderView::sectionMoved, this, [this] { viewport()->update(); });
}

const ColumnGroup* GroupedHeader::groupOf(int logicalIndex) const
{
    for (const ColumnGroup& group : groups_)
        if (logicalIndex >= group.first && logicalIndex < group.first + group.count)
            return &group;
    return nullptr;
}

QString GroupedHeader::groupCaption(int logicalIndex) const
{
    const ColumnGroup* group = groupOf(logicalIndex);
    return group ? QCoreApplication::translate(context_, group->caption) : QString();
}

QSize GroupedHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    if (!groups_.isEmpty())
        size.setHeight(fontMetrics().height() * 2 + 12);
    return size;
}

QRect GroupedHeader::groupRect(const ColumnGroup& group, const QRect& band) const
{
    int left = -1;
    int right = -1;
    for (int column = group.first; column < group.first + group.count && column < count(); ++column) {
        if (isSectionHidden(column))
            continue;
        const int start = sectionViewportPosition(column);
        const int end = start + sectionSize(column);
        left = left < 0 ? start : qMin(left, start);
        right = qMax(right, end);
    }
    return QRect(left, band.top(), right - left, band.height());
}

void GroupedHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const ColumnGroup* group = groupOf(logicalIndex);
    if (!group) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    const int half = rect.height() / 2;
    const QRect top(rect.left(), rect.top(), rect.width(), half);
    const QRect bottom(rect.left(), rect.top() + half, rect.width(), rect.height() - half);
    QHeaderView::paintSection(painter, bottom, logicalIndex);

    // The group's caption is drawn once over its whole width; each column shows its own part of it.
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = groupRect(*group, top);
    option.section = logicalIndex;
    option.text = QCoreApplication::translate(context_, group->caption);
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::Middle;
    painter->save();
    painter->setClipRect(top);
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
}

void GroupedHeader::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        viewport()->update();
    QHeaderView::changeEvent(event);
}

} // namespace ui
