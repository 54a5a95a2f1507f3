#pragma once
// Work that runs on a worker thread while its window stays painted asks the window's thread for
// whatever belongs to it through these bridges: messages and questions are shown modally by the
// window's thread, and records are read there too, since a database connection belongs to the
// thread that opened it. The worker waits for each answer.

#include "global/Services.h"

#include <QObject>
#include <QThread>

namespace ui {

// Runs a call on the thread the bridge lives in and waits for it; a call from that thread runs
// at once.
class GuiThreadBridge : public QObject {
public:
    template <class Call>
    auto onOwnThread(Call call) -> decltype(call())
    {
        if (QThread::currentThread() == thread())
            return call();
        decltype(call()) result{};
        QMetaObject::invokeMethod(this, [&] { result = call(); }, Qt::BlockingQueuedConnection);
        return result;
    }
};

// Messages and questions of a worker, shown by the dialogs of the bridge's thread.
class GuiThreadDialogs : public global::Dialogs {
public:
    explicit GuiThreadDialogs(global::Dialogs& target) : target_(target) {}

    void message(const QString& text, const QString& caption = {}) override;
    int ask(const QString& text, const QStringList& buttons, const QString& caption = {}) override;

private:
    global::Dialogs& target_;
    GuiThreadBridge bridge_;
};

} // namespace ui
