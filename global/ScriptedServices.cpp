#include "global/ScriptedServices.h"

#include <QSysInfo>
#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

namespace global {

void ScriptedDialogs::message(const QString& text, const QString& caption)
{
    shown_.append({text, caption, {}, -1});
}

int ScriptedDialogs::ask(const QString& text, const QStringList& buttons, const QString& caption)
{
    const int answer = planned_.isEmpty() ? defaultAnswer_ : planned_.takeFirst();
    shown_.append({text, caption, buttons, answer});
    return answer;
}

QStringList ScriptedDialogs::messages() const
{
    QStringList texts;
    for (const auto& s : shown_)
        texts << s.text;
    return texts;
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
