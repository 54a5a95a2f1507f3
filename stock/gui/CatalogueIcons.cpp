#include "stock/gui/CatalogueIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace stock {

namespace {

constexpr int Size = 16;

QPixmap canvas()
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon drawTagged()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shine(QPointF(6, 5), 9);
    shine.setColorAt(0, QColor(170, 255, 170));
    shine.setColorAt(1, QColor(0, 140, 0));
    p.setBrush(shine);
    p.setPen(QPen(QColor(0, 90, 0), 1));
    p.drawEllipse(QRectF(2, 2, 12, 12));
    return QIcon(pixmap);
}

QIcon drawTruck()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 110), 1));
    p.setBrush(QColor(70, 110, 200));
    p.drawRect(QRectF(0.5, 4.5, 9, 6));
    p.setBrush(QColor(200, 60, 60));
    QPainterPath cab;
    cab.moveTo(9.5, 6.5);
    cab.lineTo(13, 6.5);
    cab.lineTo(15.5, 9);
    cab.lineTo(15.5, 10.5);
    cab.lineTo(9.5, 10.5);
    cab.closeSubpath();
    p.drawPath(cab);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QRectF(2, 10, 4, 4));
    p.drawEllipse(QRectF(10.5, 10, 4, 4));
    return QIcon(pixmap);
}

} // namespace

const QIcon& taggedIcon()
{
    static const QIcon icon = drawTagged();
    return icon;
}

const QIcon& truckIcon()
{
    static const QIcon icon = drawTruck();
    return icon;
}

} // namespace stock
