#include "ui/layout/ControlPositions.h"

#include "global/Services.h"

#include <QLayout>
#include <QSplitter>
#include <QWidget>

#include <algorithm>

namespace layout {

bool saveControlPosition(ControlPositionStore& store, global::Dialogs& dialogs, const QString& appName,
                         const QString& procId, int16_t userId, const QString& controlName,
                         uint32_t x, uint32_t y, uint32_t w, uint32_t h)
{
    global::ControlPositionRecord record;
    const StoreResult fetched = store.fetch(appName, procId, userId, controlName, record);
    if (fetched.code == RecordNotFound) {
        record = {};
        record.appName = appName;
        record.procId = procId;
        record.userId = userId;
        record.controlName = controlName;
        const StoreResult added = store.add(record);
        if (!added.ok()) {
            dialogs.message(QStringLiteral("System error after ADD for LFM_DFile. ErrorCode = ") + QString::number(added.code));
            return false;
        }
    } else if (!fetched.ok()) {
        dialogs.message(QStringLiteral("System Error after GET for LFM_DFile. ErrorCode = ") + QString::number(fetched.code));
        return false;
    }
    record.x = x;
    record.y = y;
    record.w = w;
    record.h = h;
    const StoreResult put = store.update(record);
    if (!put.ok()) {
        dialogs.message(QStringLiteral("System error after PUT to LFM_DFile. ErrorCode = ") + QString::number(put.code));
        return false;
    }
    return true;
}

ControlPositions::ControlPositions(ControlPositionStore& store, global::Dialogs& dialogs, const QString& procId,
                                   int16_t userId, QWidget& window)
    : store_(store), dialogs_(dialogs), procId_(procId), userId_(userId), window_(window)
{
}

void ControlPositions::addSplitter(const QString& name, QSplitter& splitter, int handleIndex)
{
    splitters_.append({name, &splitter, handleIndex});
}

void ControlPositions::addControl(const QString& name, QWidget& control)
{
    controls_.append({name, &control});
}

QRect ControlPositions::rectInWindow(const QWidget& widget) const
{
    return QRect(widget.mapTo(&window_, QPoint(0, 0)), widget.size());
}

bool ControlPositions::restore()
{
    QList<global::ControlPositionRecord> stored;
    const StoreResult read = store_.positionsOf(ApplicationName, procId_, userId_, stored);
    if (!read.ok()) {
        dialogs_.message(QStringLiteral("System Error reading NEXt record from LFM_DFile. ErrorCode = ")
                         + QString::number(read.code));
        return false;
    }
    for (const auto& record : stored) {
        for (const auto& splitter : splitters_) {
            if (splitter.name == record.controlName)
                placeSplitter(splitter, record);
        }
        for (const auto& control : controls_) {
            if (control.name == record.controlName)
                placeControl(control, record);
        }
    }
    return true;
}

// A splitter takes only its stored position: the handle is moved there and the two widgets
// beside it share the space they had together.
void ControlPositions::placeSplitter(const Splitter& entry, const global::ControlPositionRecord& record)
{
    QSplitter* splitter = entry.splitter;
    const int index = entry.handleIndex;
    if (!splitter || index < 1 || index >= splitter->count())
        return;
    const bool horizontal = splitter->orientation() == Qt::Horizontal;
    const QPoint origin = splitter->mapTo(&window_, QPoint(0, 0));
    const int wanted = horizontal ? static_cast<int>(record.x) - origin.x() : static_cast<int>(record.y) - origin.y();

    QList<int> sizes = splitter->sizes();
    // Where the widget before the handle begins, in splitter coordinates.
    const QWidget* before = splitter->widget(index - 1);
    const int start = horizontal ? before->x() : before->y();
    const int together = sizes.at(index - 1) + sizes.at(index);
    const int first = std::clamp(wanted - start, 0, together);
    sizes[index - 1] = first;
    sizes[index] = together - first;
    splitter->setSizes(sizes);
}

// Other controls take position and size where no layout manages them; inside a layout or a
// splitter the splitters already decide their place.
void ControlPositions::placeControl(const Control& entry, const global::ControlPositionRecord& record)
{
    QWidget* widget = entry.widget;
    if (!widget || !widget->parentWidget())
        return;
    QWidget* parent = widget->parentWidget();
    if (parent->layout() || qobject_cast<QSplitter*>(parent))
        return;
    const QPoint topLeft = parent->mapFrom(&window_, QPoint(static_cast<int>(record.x), static_cast<int>(record.y)));
    widget->setGeometry(QRect(topLeft, QSize(static_cast<int>(record.w), static_cast<int>(record.h))));
}

bool ControlPositions::save()
{
    auto saveRect = [this](const QString& name, const QRect& rect) {
        return saveControlPosition(store_, dialogs_, ApplicationName, procId_, userId_, name,
                                   static_cast<uint32_t>(std::max(0, rect.x())), static_cast<uint32_t>(std::max(0, rect.y())),
                                   static_cast<uint32_t>(std::max(0, rect.width())),
                                   static_cast<uint32_t>(std::max(0, rect.height())));
    };
    for (const auto& entry : splitters_) {
        if (!entry.splitter || entry.handleIndex < 1 || entry.handleIndex >= entry.splitter->count())
            continue;
        if (!saveRect(entry.name, rectInWindow(*entry.splitter->handle(entry.handleIndex))))
            return false;
    }
    for (const auto& entry : controls_) {
        if (entry.widget && !saveRect(entry.name, rectInWindow(*entry.widget)))
            return false;
    }
    return true;
}

} // namespace layout
