#include "global/ScriptedServices.h"

#include <QSysInfo>
#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

namespace global {

void stopOnUnplanned(const QString& question)
{
    qFatal("No answer was planned for the question \"%s\"", qPrintable(question));
}

void ScriptedDialogs::message(const QString& text, const QString& caption)
{
    shown_.append({text, caption, {}, -1});
}

int ScriptedDialogs::ask(const QString& text, const QStringList& buttons, const QString& caption)
{
    const bool planned = !planned_.isEmpty();
    const int answer = planned ? planned_.takeFirst() : qMax(0, int(buttons.size()) - 1);
    shown_.append({text, caption, buttons, answer});
    if (!planned) {
        unplanned_ << text;
        if (unplannedHandler_)
            unplannedHandler_(text);
    }
    return answer;
}

QStringList ScriptedDialogs::messages() const
{
    QStringList texts;
    for (const auto& s : shown_)
        texts << s.text;
    return texts;
}

QString ScriptedFileChooser::choose(const QString& caption, const QString& startPath)
{
    asked_ << caption;
    startPaths_ << startPath;
    if (!planned_.isEmpty())
        return planned_.takeFirst();
    if (unplannedHandler_)
        unplannedHandler_(caption);
    return {};
}

QString ScriptedFileChooser::openFile(const QString& caption, const QString& startPath, const QString&)
{
    return choose(caption, startPath);
}

QString ScriptedFileChooser::saveFile(const QString& caption, const QString& startPath, const QString&)
{
    return choose(caption, startPath);
}

bool MemoryUserValues::setValue(const QString& name, const QString& value)
{
    if (failWrites_)
        return false;
    values_.insert(name, value);
    return true;
}

void ScriptedProgress::start(const QString& text, qint64 steps)
{
    QMutexLocker lock(&mutex_);
    texts_ << text;
    steps_ = steps;
    last_ = 0;
}

bool ScriptedProgress::advance(qint64 done)
{
    QMutexLocker lock(&mutex_);
    last_ = done;
    return cancelAt_ < 0 || done < cancelAt_;
}

void ScriptedProgress::finish()
{
    QMutexLocker lock(&mutex_);
    ++finished_;
}

void ScriptedProgress::cancelAt(qint64 step)
{
    QMutexLocker lock(&mutex_);
    cancelAt_ = step;
}

QStringList ScriptedProgress::texts() const
{
    QMutexLocker lock(&mutex_);
    return texts_;
}

qint64 ScriptedProgress::lastStep() const
{
    QMutexLocker lock(&mutex_);
    return last_;
}

qint64 ScriptedProgress::steps() const
{
    QMutexLocker lock(&mutex_);
    return steps_;
}

int ScriptedProgress::finished() const
{
    QMutexLocker lock(&mutex_);
    return finished_;
}

namespace {
constexpr int NameWidth = 19;
}

QString SystemIdentity::userName() const
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("LOGNAME");
    if (name.isEmpty()) {   // services and containers often run without a login environment
        if (const passwd* account = getpwuid(geteuid()))
            name = QString::fromLocal8Bit(account->pw_name);
    }
    return name.left(NameWidth);
}

QString SystemIdentity::computerName() const
{
    return QSysInfo::machineHostName().left(NameWidth);
}

} // namespace global
