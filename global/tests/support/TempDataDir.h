#pragma once
// A fresh, empty data directory for one test, removed afterwards.

#include <QTemporaryDir>
#include <QString>

namespace testing_support {

class TempDataDir {
public:
    TempDataDir() { dir_.setAutoRemove(true); }
    QString path() const { return dir_.path(); }
    bool valid() const { return dir_.isValid(); }

private:
    QTemporaryDir dir_;
};

} // namespace testing_support
