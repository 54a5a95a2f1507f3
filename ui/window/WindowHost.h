#pragma once
// Where the windows of the program open. Browses are windows of the frame (several at a time,
// listed under "Otwarte okna"); forms and the optimizer window are modal over the window that
// opened them.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;

namespace ui {

class WindowHost {
public:
    virtual ~WindowHost() = default;
    // Shows a browse as a window of the frame. The host owns it; it is deleted when it closes.
    virtual void showBrowse(QWidget* browse) = 0;
    // Brings the open browse with this object name to the front; false when none is open.
    virtual bool activateBrowse(const QString& name) = 0;
    // The window modal windows open over.
    virtual QWidget* modalParent() const = 0;
};

// The frame's work area.
class MdiWindowHost : public WindowHost {
public:
    // frame: the parent of modal windows.
    MdiWindowHost(QMdiArea& area, QWidget* frame);

    void showBrowse(QWidget* browse) override;
    bool activateBrowse(const QString& name) override;
    QWidget* modalParent() const override;

    // The open browses, in the order the frame lists them.
    QList<QWidget*> browses() const;
    QMdiSubWindow* subWindowOf(const QWidget* browse) const;

private:
    QPointer<QMdiArea> area_;
    QPointer<QWidget> frame_;
};

// Shows browses as windows of their own (tests, tools without a frame).
class TopLevelWindowHost : public WindowHost {
public:
    void showBrowse(QWidget* browse) override;
    bool activateBrowse(const QString& name) override;
    QWidget* modalParent() const override { return nullptr; }

private:
    QList<QPointer<QWidget>> browses_;
};

// What a window's placement is kept for: the frame's sub-window holding it, else the window itself.
QWidget& placedWindowOf(QWidget& window);

} // namespace ui
