#include "ui/threads/GuiThreadBridge.h"

namespace ui {

void GuiThreadDialogs::message(const QString& text, const QString& caption)
{
    bridge_.onOwnThread([&] {
        target_.message(text, caption);
        return 0;
    });
}

int GuiThreadDialogs::ask(const QString& text, const QStringList& buttons, const QString& caption)
{
    return bridge_.onOwnThread([&] { return target_.ask(text, buttons, caption); });
}

} // namespace ui
