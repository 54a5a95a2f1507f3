#pragma once
// Positions of the controls of a window with splitters, kept per user in LFM_DFile: the splitters
// ("?REGION2", ...) by their position, the lists and texts beside them by position and size.

#include "ui/layout/LayoutStore.h"

#include <QList>
#include <QPointer>
#include <QString>

class QSplitter;
class QWidget;

namespace global { class Dialogs; }

namespace layout {

// SAVE_CONTROL_POSITIONS: writes one control's position, adding its record when missing.
bool saveControlPosition(ControlPositionStore& store, global::Dialogs& dialogs, const QString& appName,
                         const QString& procId, int16_t userId, const QString& controlName,
                         uint32_t x, uint32_t y, uint32_t w, uint32_t h);

class ControlPositions {
public:
    ControlPositions(ControlPositionStore& store, global::Dialogs& dialogs, const QString& procId,
                     int16_t userId, QWidget& window);

    // A splitter handle of the window: handleIndex as QSplitter counts them (1 = between the first
    // and the second widget).
    void addSplitter(const QString& name, QSplitter& splitter, int handleIndex);
    // A list, text or button whose position and size are kept.
    void addControl(const QString& name, QWidget& control);

    // Reads the user's stored controls of the window and puts the known ones in place; names the
    // window does not have are skipped. False after a read error (reported).
    bool restore();
    // Stores every registered control. False after the first failure (reported).
    bool save();

private:
    struct Splitter {
        QString name;
        QPointer<QSplitter> splitter;
        int handleIndex = 1;
    };
    struct Control {
        QString name;
        QPointer<QWidget> widget;
    };
    void placeSplitter(const Splitter& splitter, const global::ControlPositionRecord& record);
    void placeControl(const Control& control, const global::ControlPositionRecord& record);
    QRect rectInWindow(const QWidget& widget) const;

    ControlPositionStore& store_;
    global::Dialogs& dialogs_;
    QString procId_;
    int16_t userId_ = 0;
    QWidget& window_;
    QList<Splitter> splitters_;
    QList<Control> controls_;
};

} // namespace layout
