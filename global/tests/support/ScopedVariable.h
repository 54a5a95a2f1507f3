#pragma once
// Sets an environment variable for one scope and restores it afterwards.

#include <QByteArray>
#include <QtGlobal>

namespace testing_support {

class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value) : name_(name), had_(qEnvironmentVariableIsSet(name)),
                                                                  old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedVariable()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

} // namespace testing_support
