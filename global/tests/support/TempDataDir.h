#pragma once
// A fresh, empty data directory for one test with its database opened, removed afterwards; on the
// test server (ServerDatabase.h) its database is a fresh one there.

#include "global/Database.h"
#include "global/tests/support/ServerDatabase.h"

#include <QTemporaryDir>
#include <QString>
#include <gtest/gtest.h>

namespace testing_support {

// A fresh, empty data directory for one test, removed afterwards. On the test server its
// Barmond.ini points at a fresh server database (dropped afterwards), so every Database opened on
// the directory, by the test or by a program it starts, works there instead of on the file.
class TestDataDir {
public:
    TestDataDir() = default;
    TestDataDir(const TestDataDir&) = delete;
    TestDataDir& operator=(const TestDataDir&) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    // The server database's address; empty on the file.
    QString serverAddress() const { return server_.name().isEmpty() ? QString() : server_.address(); }

private:
    QTemporaryDir dir_;
    ServerDatabase server_{dir_.path()};
};

class DatabaseFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ServerDatabase server{dir.path()};
    global::Database db{dir.path()};
    void SetUp() override { ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString(); }
};

} // namespace testing_support
