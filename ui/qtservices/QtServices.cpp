#include "ui/qtservices/QtServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>

namespace global {

QString QtDialogs::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('|'), QLatin1Char('\n'));
    return shown;
}

QString QtDialogs::captionOr(const QString& caption) const
{
    return caption.isEmpty() ? defaultCaption_ : caption;
}

void QtDialogs::message(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Information, captionOr(caption), displayText(text), QMessageBox::Ok,
                    parent_.data());
    box.exec();
}

int QtDialogs::ask(const QString& text, const QStringList& buttons, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, captionOr(caption), displayText(text), QMessageBox::NoButton,
                    parent_.data());
    QList<QAbstractButton*> added;
    for (const QString& label : buttons)
        added << box.addButton(label.trimmed(), QMessageBox::ActionRole);
    if (added.isEmpty())
        added << box.addButton(QMessageBox::Ok);
    box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
    box.setEscapeButton(added.last());
    box.exec();
    const int index = added.indexOf(box.clickedButton());
    return index >= 0 ? index : int(added.size()) - 1;
}

QString QtClipboard::text() const
{
    return QApplication::clipboard()->text();
}

void QtClipboard::setText(const QString& text)
{
    QApplication::clipboard()->setText(text);
}

} // namespace global
