#include "ui/browse/ListIcons.h"

#include <QPainter>
#include <QPixmap>

namespace ui {

namespace {

QIcon drawPadlock()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 6), QPointF(4.5, 8));
    p.drawLine(QPointF(11.5, 6), QPointF(11.5, 8));
    p.setPen(QPen(QColor(120, 80, 0), 1));
    p.setBrush(QColor(230, 180, 40));
    p.drawRect(QRectF(2.5, 7.5, 11, 7));
    return QIcon(pixmap);
}

} // namespace

const QIcon& padlockIcon()
{
    static const QIcon icon = drawPadlock();
    return icon;
}

} // namespace ui
