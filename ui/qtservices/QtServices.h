#pragma once
// The desktop program's services: message boxes, the system clipboard, the file dialog, the
// operator's values kept between runs, a progress window with Cancel, the beep, the real clock and
// the login and host names. Windows hand these to the procedures they call; tests use the scripted
// ones of global/ScriptedServices.h instead.

#include "global/ScriptedServices.h"
#include "global/Services.h"

#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

#include <atomic>

namespace ui {

// Messages and questions as modal message boxes. "|" in a text starts a new line; the buttons of a
// question are shown in the order given and the index of the pressed one is returned. Closing the
// box without a choice (Esc, the close button) counts as the last button ("Nie" / "No").
class QtDialogs : public global::Dialogs {
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
class QtClipboard : public global::Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
};

// The file dialog.
class QtFileChooser : public global::FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : parent_(parent) {}
    QString openFile(const QString& caption, const QString& startPath, const QString& filters) override;
    QString saveFile(const QString& caption, const QString& startPath, const QString& filters) override;
    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QPointer<QWidget> parent_;
};

// Values kept for the login user: QSettings in the user's scope, organisation "Tervox",
// application "Barmond".
class QtUserValues : public global::UserValues {
public:
    static const QString Organisation;
    static const QString Application;
    QString value(const QString& name) const override;
    bool setValue(const QString& name, const QString& value) override;
};

// A progress window with "Przerwij". Work on the window's thread keeps it painted through
// advance(); work on a worker thread reports to it and learns of the cancel without waiting.
class QtProgress : public QObject, public global::Progress {
public:
    explicit QtProgress(QWidget* parent = nullptr);
    ~QtProgress() override;

    void start(const QString& text, qint64 steps) override;
    bool advance(qint64 done) override;
    void finish() override;
    void setParent(QWidget* parent) { parent_ = parent; }
    // The window while work runs (tests press its Cancel), else null.
    QProgressDialog* window() const { return window_; }

private:
    void show(const QString& text, qint64 steps);
    void showStep();

    QPointer<QWidget> parent_;
    QPointer<QProgressDialog> window_;
    std::atomic<bool> cancelled_{false};
    std::atomic<qint64> done_{0};
    std::atomic<bool> stepPosted_{false};
    qint64 steps_ = 0;
};

class QtBeeper : public global::Beeper {
public:
    void beep() override;
};

// Everything a procedure called from a window needs, with the desktop's implementations.
class DesktopServices {
public:
    explicit DesktopServices(QWidget* parent = nullptr) : dialogs(parent), files(parent), progress(parent) {}

    global::Services services()
    {
        return global::Services{dialogs, clipboard, clock, identity, files, userValues, progress, beeper};
    }
    // The window dialogs, file choices and progress are centred on.
    void setParent(QWidget* parent);

    QtDialogs dialogs;
    QtClipboard clipboard;
    global::SystemClock clock;
    global::SystemIdentity identity;
    QtFileChooser files;
    QtUserValues userValues;
    QtProgress progress;
    QtBeeper beeper;
};

} // namespace ui
