#include "shell/frame/Icons.h"

#include <QPainter>
#include <QPixmap>

#include <functional>

namespace shell {

namespace {

QIcon drawn(const std::function<void(QPainter&)>& paint)
{
    QIcon icon;
    for (int side : {16, 24, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(side / 32.0, side / 32.0);
        paint(painter);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon programIcon()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(40, 60, 90), 1.5));
        p.setBrush(QColor(170, 190, 215));
        p.drawRect(QRectF(2, 11, 28, 10));
        p.setPen(QPen(QColor(200, 30, 30), 2));
        for (qreal x : {10.0, 17.0, 24.0})
            p.drawLine(QPointF(x, 7), QPointF(x, 25));
    });
}

QIcon ordersIcon()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 20, 26));
        p.setPen(QPen(QColor(30, 80, 160), 2));
        for (qreal y : {9.0, 14.0, 19.0, 24.0})
            p.drawLine(QPointF(10, y), QPointF(22, y));
    });
}

QIcon profilesIcon()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(50, 50, 50), 1.5));
        p.setBrush(QColor(190, 195, 200));
        // an angle section and a box section
        p.drawPolygon(QPolygonF({QPointF(3, 4), QPointF(8, 4), QPointF(8, 23), QPointF(15, 23),
                                 QPointF(15, 28), QPointF(3, 28)}));
        p.drawRect(QRectF(18, 6, 11, 20));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(21, 9, 5, 14));
    });
}

QIcon cuttingListIcon()
{
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(255, 250, 220));
        p.drawRect(QRectF(4, 3, 24, 26));
        p.setBrush(QColor(170, 190, 215));
        p.drawRect(QRectF(7, 8, 18, 4));
        p.drawRect(QRectF(7, 15, 18, 4));
        p.setPen(QPen(QColor(200, 30, 30), 1.5));
        p.drawLine(QPointF(14, 6), QPointF(14, 21));
        p.drawLine(QPointF(20, 13), QPointF(20, 21));
    });
}

} // namespace shell
