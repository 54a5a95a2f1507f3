#include "ui/window/WindowHost.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace ui {

MdiWindowHost::MdiWindowHost(QMdiArea& area, QWidget* frame) : area_(&area), frame_(frame) {}

void MdiWindowHost::showBrowse(QWidget* browse)
{
    browse->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* window = area_->addSubWindow(browse);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(browse->windowIcon());
    window->show();
    area_->setActiveSubWindow(window);
}

bool MdiWindowHost::activateBrowse(const QString& name)
{
    for (QMdiSubWindow* window : area_->subWindowList()) {
        if (window->widget() && window->widget()->objectName() == name) {
            if (window->isMinimized())
                window->showNormal();
            area_->setActiveSubWindow(window);
            return true;
        }
    }
    return false;
}

QWidget* MdiWindowHost::modalParent() const
{
    return frame_;
}

QList<QWidget*> MdiWindowHost::browses() const
{
    QList<QWidget*> open;
    for (QMdiSubWindow* window : area_->subWindowList())
        if (window->widget())
            open << window->widget();
    return open;
}

QMdiSubWindow* MdiWindowHost::subWindowOf(const QWidget* browse) const
{
    for (QMdiSubWindow* window : area_->subWindowList())
        if (window->widget() == browse)
            return window;
    return nullptr;
}

void TopLevelWindowHost::showBrowse(QWidget* browse)
{
    browse->setAttribute(Qt::WA_DeleteOnClose);
    browses_.removeAll(nullptr);
    browses_ << browse;
    browse->show();
}

bool TopLevelWindowHost::activateBrowse(const QString& name)
{
    for (const auto& browse : std::as_const(browses_)) {
        if (browse && browse->objectName() == name) {
            browse->raise();
            browse->activateWindow();
            return true;
        }
    }
    return false;
}

QWidget& placedWindowOf(QWidget& window)
{
    if (auto* frameWindow = qobject_cast<QMdiSubWindow*>(window.parentWidget()))
        return *frameWindow;
    return window;
}

} // namespace ui
