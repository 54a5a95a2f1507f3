#include "FramePicture.h"

#include "MainFrame.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace shell {

namespace {

// The window's title bar as a desktop would draw it, so that the picture shows the title too.
QPixmap withTitleBar(const MainFrame& frame, const QPixmap& window)
{
    constexpr int TitleHeight = 30;
    QPixmap picture(window.width(), window.height() + TitleHeight);
    picture.fill(QColor(52, 73, 102));
    QPainter painter(&picture);
    painter.drawPixmap(8, (TitleHeight - 20) / 2, frame.windowIcon().pixmap(20, 20));
    painter.setPen(Qt::white);
    QFont font = frame.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(36, 0, window.width() - 44, TitleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     frame.windowTitle());
    painter.drawPixmap(0, TitleHeight, window);
    return picture;
}

} // namespace

QPixmap framePicture(MainFrame& frame, const QString& menuName)
{
    QPixmap picture = frame.grab();
    auto* menu = menuName.isEmpty() ? nullptr : frame.findChild<QMenu*>(menuName);
    if (!menu)
        return withTitleBar(frame, picture);
    const QRect title = frame.menuBar()->actionGeometry(menu->menuAction());
    const QPoint below = frame.menuBar()->mapTo(&frame, title.bottomLeft());
    menu->popup(frame.mapToGlobal(below));
    const QPixmap open = menu->grab();
    menu->hide();
    QPainter painter(&picture);
    painter.drawPixmap(below, open);
    painter.end();
    return withTitleBar(frame, picture);
}

} // namespace shell
