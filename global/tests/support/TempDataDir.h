#pragma once
// A fresh, empty data directory for one test with its database opened, removed afterwards; on the
// test server (ServerDatabase.h) its database is a fresh one there.

#include "global/Database.h"
#include "global/tests/support/ServerDatabase.h"

#include <QTemporaryDir>
#include <QString>
#include <gtest/gtest.h>

namespace testing_support {

class DatabaseFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ServerDatabase server{dir.path()};
    global::Database db{dir.path()};
    void SetUp() override { ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString(); }
};

} // namespace testing_support
