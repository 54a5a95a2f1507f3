#pragma once
// The desktop program's services: message boxes, the system clipboard, the real clock and the
// login and host names. Windows hand these to the procedures they call; tests use the scripted
// ones of global/ScriptedServices.h instead.

#include "global/ScriptedServices.h"
#include "global/Services.h"

#include <QPointer>
#include <QWidget>

namespace global {

// Messages and questions as modal message boxes. "|" in a text starts a new line; the buttons of a
// question are shown in the order given and the index of the pressed one is returned. Closing the
// box without a choice (Esc, the close button) counts as the last button ("Nie" / "No").
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    void message(const QString& text, const QString& caption = {}) override;
    int ask(const QString& text, const QStringList& buttons, const QString& caption = {}) override;

    // The window the boxes are centred on; may change while the program runs.
    void setParent(QWidget* parent) { parent_ = parent; }
    // Title of boxes whose caller gives none (the program's name by default).
    void setDefaultCaption(const QString& caption) { defaultCaption_ = caption; }

    // The text as the box shows it: every "|" becomes a line break.
    static QString displayText(const QString& text);

private:
    QString captionOr(const QString& caption) const;

    QPointer<QWidget> parent_;
    QString defaultCaption_ = QStringLiteral("Barmond");
};

// The system clipboard's text.
class QtClipboard : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
};

// Everything a procedure called from a window needs, with the desktop's implementations.
class DesktopServices {
public:
    explicit DesktopServices(QWidget* parent = nullptr) : dialogs(parent) {}

    Services services() { return Services{dialogs, clipboard, clock, identity}; }

    QtDialogs dialogs;
    QtClipboard clipboard;
    SystemClock clock;
    SystemIdentity identity;
};

} // namespace global
