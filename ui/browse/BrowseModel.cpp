#include "ui/browse/BrowseModel.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace ui {

BrowseModelBase::BrowseModelBase(const char* translationContext, QObject* parent)
    : QAbstractTableModel(parent), context_(translationContext)
{
}

int BrowseModelBase::rowOfPosition(const QString& position) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (positionAt(row) == position)
            return row;
    return -1;
}

bool BrowseModelBase::isTagged(int row) const
{
    return tags_.contains(positionAt(row));
}

void BrowseModelBase::setTagged(int row, bool tagged)
{
    const QString position = positionAt(row);
    if (position.isEmpty() || tags_.contains(position) == tagged)
        return;
    if (tagged)
        tags_.insert(position);
    else
        tags_.remove(position);
    tagsShown();
}

void BrowseModelBase::toggleTag(int row)
{
    setTagged(row, !isTagged(row));
}

void BrowseModelBase::toggleTags(int from, int to)
{
    const int first = qMax(0, std::min(from, to));
    const int last = qMin(rowCount() - 1, std::max(from, to));
    for (int row = first; row <= last; ++row) {
        const QString position = positionAt(row);
        if (!tags_.remove(position))
            tags_.insert(position);
    }
    tagsShown();
}

void BrowseModelBase::untagAll()
{
    if (tags_.isEmpty())
        return;
    tags_.clear();
    tagsShown();
}

QStringList BrowseModelBase::taggedPositions() const
{
    QStringList positions(tags_.begin(), tags_.end());
    // Positions are row identifiers: in number order the records come in the order they were made.
    std::sort(positions.begin(), positions.end(),
              [](const QString& a, const QString& b) { return a.toLongLong() < b.toLongLong(); });
    return positions;
}

void BrowseModelBase::dropTags()
{
    if (tags_.isEmpty())
        return;
    tags_.clear();
    emit tagsChanged(0);
}

void BrowseModelBase::tagsShown()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, tagColumn_), index(rowCount() - 1, tagColumn_),
                         {Qt::DecorationRole, TaggedRole});
    emit tagsChanged(taggedCount());
}

QVariant BrowseModelBase::tagMark() const
{
    static const QIcon mark = QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton);
    return mark;
}

void BrowseModelBase::retranslate()
{
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int BrowseModelBase::failed(int code, const QString& text)
{
    lastError_ = code;
    lastErrorText_ = text;
    emit readFailed(code, text);
    return code;
}

int BrowseModelBase::succeeded()
{
    lastError_ = 0;
    lastErrorText_.clear();
    return 0;
}

} // namespace ui
