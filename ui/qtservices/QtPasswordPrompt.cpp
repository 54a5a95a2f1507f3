#include "ui/qtservices/QtPasswordPrompt.h"

#include "ui/qtservices/QtServices.h"

#include <QLineEdit>

#include <memory>

namespace ui {

QInputDialog* QtPasswordPrompt::makeDialog(const QString& text, const QString& caption, QWidget* parent)
{
    auto* dialog = new QInputDialog(parent);
    dialog->setObjectName(QStringLiteral("passwordPrompt"));
    dialog->setWindowTitle(caption.isEmpty() ? QStringLiteral("Barmond") : caption);
    dialog->setLabelText(QtDialogs::displayText(text));
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextEchoMode(QLineEdit::Password);
    return dialog;
}

bool QtPasswordPrompt::askPassword(const QString& text, QString& password, const QString& caption)
{
    std::unique_ptr<QInputDialog> dialog(makeDialog(text, caption, parent_.data()));
    if (dialog->exec() != QDialog::Accepted)
        return false;
    password = dialog->textValue();
    return true;
}

} // namespace ui
