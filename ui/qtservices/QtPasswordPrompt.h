#pragma once
// The desktop's password question: a modal window with the text, a field that shows no letters,
// OK and Cancel.

#include "global/ServerPassword.h"

#include <QInputDialog>
#include <QPointer>
#include <QWidget>

namespace ui {

class QtPasswordPrompt : public global::PasswordPrompt {
public:
    explicit QtPasswordPrompt(QWidget* parent = nullptr) : parent_(parent) {}

    bool askPassword(const QString& text, QString& password, const QString& caption = {}) override;

    // The window askPassword() shows, not yet shown ("|" in the text starts a new line).
    static QInputDialog* makeDialog(const QString& text, const QString& caption, QWidget* parent);

private:
    QPointer<QWidget> parent_;
};

} // namespace ui
