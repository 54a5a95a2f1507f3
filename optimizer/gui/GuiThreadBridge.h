#pragma once
// The optimizer window computes on a worker thread while the window stays painted. Whatever the
// calculation asks of the window's thread goes through these bridges: messages and questions (the
// control-time question among them) are shown modally by the window's thread, and the records are
// read there too, since a database connection belongs to the thread that opened it. The worker
// waits for each answer.

#include "Preparation.h"
#include "Services.h"

#include <QObject>
#include <QThread>

namespace kadrel {

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

class GuiThreadDialogs : public global::Dialogs {
public:
    explicit GuiThreadDialogs(global::Dialogs& target) : target_(target) {}

    void message(const QString& text, const QString& caption = {}) override;
    int ask(const QString& text, const QStringList& buttons, const QString& caption = {}) override;

private:
    global::Dialogs& target_;
    GuiThreadBridge bridge_;
};

class GuiThreadInput : public OptimizerInput {
public:
    explicit GuiThreadInput(OptimizerInput& target) : target_(target) {}

    int fetchOrder(uint32_t orderId, global::OrderRecord& out) override;
    int fetchOrderProfile(uint32_t orderProfileId, global::OrderProfileRecord& out) override;
    int fetchProfile(uint32_t profileId, global::ProfileRecord& out) override;
    int fetchLength(uint32_t lengthId, global::ProfileLengthRecord& out) override;
    int cutsOfOrderProfile(uint32_t orderId, uint32_t orderProfileId, std::vector<global::CutRecord>& out) override;
    int cutsOfProfileStatus(uint32_t profileId, uint16_t status, std::vector<global::CutRecord>& out) override;
    int activeLengths(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out) override;
    int lengthsOfProfile(uint32_t profileId, std::vector<global::ProfileLengthRecord>& out) override;

private:
    OptimizerInput& target_;
    GuiThreadBridge bridge_;
};

} // namespace kadrel
