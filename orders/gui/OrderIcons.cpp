#include "orders/gui/OrderIcons.h"

#include "ui/browse/ListIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orders::gui {

namespace {

constexpr int Size = 16;

QPixmap canvas()
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A ball of the colour, the sign of a piece's or an order's state.
QIcon ball(const QColor& colour)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shine(QPointF(6, 5), 9);
    shine.setColorAt(0, colour.lighter(170));
    shine.setColorAt(1, colour);
    p.setBrush(shine);
    p.setPen(QPen(colour.darker(160), 1));
    p.drawEllipse(QRectF(2, 2, 12, 12));
    return QIcon(pixmap);
}

// A factory: grey when everything of the order is at the saw, coloured when only some is.
QIcon factory(const QColor& colour)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(170), 1));
    p.setBrush(colour);
    QPainterPath roof;
    roof.moveTo(1.5, 14.5);
    roof.lineTo(1.5, 7.5);
    roof.lineTo(5.5, 5.5);
    roof.lineTo(5.5, 7.5);
    roof.lineTo(9.5, 5.5);
    roof.lineTo(9.5, 7.5);
    roof.lineTo(11.5, 6.5);
    roof.lineTo(11.5, 1.5);
    roof.lineTo(14.5, 1.5);
    roof.lineTo(14.5, 14.5);
    roof.closeSubpath();
    p.drawPath(roof);
    return QIcon(pixmap);
}

// A tick of the colour (finished work), framed when some pieces were abandoned.
QIcon tick(const QColor& colour, bool framed)
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (framed) {
        p.setPen(QPen(QColor(200, 60, 60), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1, 1, 14, 14));
    }
    p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{QPointF(3.5, 8.5), QPointF(6.5, 11.5), QPointF(12.5, 4.5)});
    return QIcon(pixmap);
}

QIcon cross()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 60, 60), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
    return QIcon(pixmap);
}

QIcon clear()
{
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
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
    p.drawRect(QRectF(9.5, 6.5, 5, 4));
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(2, 10.5, 3.5, 3.5));
    p.drawEllipse(QRectF(10, 10.5, 3.5, 3.5));
    return QIcon(pixmap);
}

} // namespace

QIcon progressIcon(OrderProgress progress)
{
    static QHash<int, QIcon> icons;
    const int key = int(progress);
    if (!icons.contains(key)) {
        switch (progress) {
        case OrderProgress::SomeAbandoned: icons.insert(key, tick(QColor(0, 120, 0), true)); break;
        case OrderProgress::AllFinished: icons.insert(key, tick(QColor(0, 120, 0), false)); break;
        case OrderProgress::SomeCut: icons.insert(key, tick(QColor(60, 110, 200), false)); break;
        case OrderProgress::AllInProduction: icons.insert(key, factory(QColor(140, 140, 140))); break;
        case OrderProgress::SomeInProduction: icons.insert(key, factory(QColor(220, 120, 40))); break;
        case OrderProgress::SomeApproved: icons.insert(key, ball(QColor(0, 150, 0))); break;
        case OrderProgress::Waiting: icons.insert(key, clear()); break;
        }
    }
    return icons.value(key);
}

QIcon pieceStateIcon(PieceState state)
{
    switch (state) {
    case PieceState::Blocked: return ui::padlockIcon();
    case PieceState::Approved: return progressIcon(OrderProgress::SomeApproved);
    case PieceState::InProduction: return progressIcon(OrderProgress::AllInProduction);
    case PieceState::Cut: return progressIcon(OrderProgress::AllFinished);
    case PieceState::Abandoned: {
        static const QIcon abandoned = cross();
        return abandoned;
    }
    case PieceState::None: break;
    }
    return {};
}

const QIcon& truckIcon()
{
    static const QIcon icon = drawTruck();
    return icon;
}

} // namespace orders::gui
