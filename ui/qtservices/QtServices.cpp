#include "ui/qtservices/QtServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QThread>

#include <algorithm>

namespace ui {

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
    const int index = int(added.indexOf(box.clickedButton()));
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

QString QtFileChooser::openFile(const QString& caption, const QString& startPath, const QString& filters)
{
    return QFileDialog::getOpenFileName(parent_.data(), caption, startPath, filters);
}

QString QtFileChooser::saveFile(const QString& caption, const QString& startPath, const QString& filters)
{
    return QFileDialog::getSaveFileName(parent_.data(), caption, startPath, filters);
}

const QString QtUserValues::Organisation = QStringLiteral("Tervox");
const QString QtUserValues::Application = QStringLiteral("Barmond");

QString QtUserValues::value(const QString& name) const
{
    const QSettings settings(QSettings::UserScope, Organisation, Application);
    return settings.value(name).toString();
}

bool QtUserValues::setValue(const QString& name, const QString& value)
{
    QSettings settings(QSettings::UserScope, Organisation, Application);
    settings.setValue(name, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QtProgress::QtProgress(QWidget* parent) : parent_(parent) {}

QtProgress::~QtProgress()
{
    delete window_.data();
}

void QtProgress::start(const QString& text, qint64 steps)
{
    cancelled_ = false;
    done_ = 0;
    if (QThread::currentThread() == thread())
        show(text, steps);
    else
        QMetaObject::invokeMethod(this, [this, text, steps] { show(text, steps); }, Qt::QueuedConnection);
}

void QtProgress::show(const QString& text, qint64 steps)
{
    if (!window_) {
        window_ = new QProgressDialog(parent_.data());
        window_->setObjectName(QStringLiteral("PROGRESS"));
        window_->setWindowModality(Qt::WindowModal);
        window_->setAutoReset(false);
        window_->setAutoClose(false);
        window_->setMinimumDuration(0);
        QObject::connect(window_, &QProgressDialog::canceled, this, [this] { cancelled_ = true; });
    }
    steps_ = steps;
    window_->setCancelButtonText(QCoreApplication::translate("ui::QtProgress", "Przerwij"));
    window_->setLabelText(text);
    // Steps beyond what the bar holds are shown in proportion.
    window_->setRange(0, steps > 0 ? 1000 : 0);
    window_->setValue(0);
    window_->show();
}

bool QtProgress::advance(qint64 done)
{
    done_ = done;
    if (QThread::currentThread() == thread()) {
        showStep();
        QCoreApplication::processEvents();   // the window stays painted and Cancel can be pressed
    } else if (!stepPosted_.exchange(true)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                stepPosted_ = false;
                showStep();
            },
            Qt::QueuedConnection);
    }
    return !cancelled_;
}

void QtProgress::showStep()
{
    if (window_ && steps_ > 0)
        window_->setValue(int(std::clamp<qint64>(done_.load() * 1000 / steps_, 0, 1000)));
}

void QtProgress::finish()
{
    auto close = [this] {
        if (window_)
            window_->hide();
    };
    if (QThread::currentThread() == thread())
        close();
    else
        QMetaObject::invokeMethod(this, close, Qt::QueuedConnection);
}

void QtBeeper::beep()
{
    QApplication::beep();
}

void DesktopServices::setParent(QWidget* parent)
{
    dialogs.setParent(parent);
    files.setParent(parent);
    progress.setParent(parent);
}

} // namespace ui
