#include "global/Services.h"

#include <QHash>
#include <QMutex>

namespace global {

namespace {

class NoFileChooser : public FileChooser {
public:
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
};

class RunUserValues : public UserValues {
public:
    QString value(const QString& name) const override
    {
        QMutexLocker lock(&mutex_);
        return values_.value(name);
    }
    bool setValue(const QString& name, const QString& value) override
    {
        QMutexLocker lock(&mutex_);
        values_.insert(name, value);
        return true;
    }

private:
    mutable QMutex mutex_;
    QHash<QString, QString> values_;
};

class SilentProgress : public Progress {
public:
    void start(const QString&, qint64) override {}
    bool advance(qint64) override { return true; }
    void finish() override {}
};

class SilentBeeper : public Beeper {
public:
    void beep() override {}
};

} // namespace

FileChooser& noFileChooser()
{
    static NoFileChooser chooser;
    return chooser;
}

UserValues& runUserValues()
{
    static RunUserValues values;
    return values;
}

Progress& silentProgress()
{
    static SilentProgress progress;
    return progress;
}

Beeper& silentBeeper()
{
    static SilentBeeper beeper;
    return beeper;
}

} // namespace global
