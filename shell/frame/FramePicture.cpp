#include "shell/frame/FramePicture.h"

#include "shell/frame/MainFrame.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace shell {

namespace {

constexpr int TitleHeight = 30;

// The window's title bar as a desktop would draw it, so that the picture shows the title too.
QPixmap withTitleBar(const QWidget& window, const QPixmap& content, const QColor& colour)
{
    QPixmap picture(content.width(), content.height() + TitleHeight);
    picture.fill(colour);
    QPainter painter(&picture);
    painter.drawPixmap(8, (TitleHeight - 20) / 2, window.windowIcon().pixmap(20, 20));
    painter.setPen(Qt::white);
    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(36, 0, content.width() - 44, TitleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     window.windowTitle());
    painter.drawPixmap(0, TitleHeight, content);
    return picture;
}

} // namespace

QPixmap framePicture(MainFrame& frame, const QString& menuName, QWidget* inner)
{
    QPixmap picture = frame.grab();
    QPainter painter(&picture);
    if (inner) {
        const QPixmap window = withTitleBar(*inner, inner->grab(), QColor(80, 100, 130));
        const QRect work(frame.mdiArea()->mapTo(&frame, QPoint(0, 0)), frame.mdiArea()->size());
        const QPoint at = work.center() - QPoint(window.width() / 2, window.height() / 2) + QPoint(80, 30);
        painter.fillRect(QRect(at + QPoint(4, 4), window.size()), QColor(0, 0, 0, 60));   // shadow
        painter.drawPixmap(at, window);
    }
    auto* menu = menuName.isEmpty() ? nullptr : frame.findChild<QMenu*>(menuName);
    if (menu) {
        const QRect title = frame.menuBar()->actionGeometry(menu->menuAction());
        const QPoint below = frame.menuBar()->mapTo(&frame, title.bottomLeft());
        menu->popup(frame.mapToGlobal(below));
        const QPixmap open = menu->grab();
        menu->hide();
        painter.drawPixmap(below, open);
    }
    painter.end();
    return withTitleBar(frame, picture, QColor(52, 73, 102));
}

} // namespace shell
