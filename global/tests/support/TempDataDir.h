#pragma once
// A fresh, empty data directory for one test with its database opened, removed afterwards.

#include "global/Database.h"

#include <QTemporaryDir>
#include <QString>
#include <gtest/gtest.h>

namespace testing_support {

class DatabaseFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    global::Database db{dir.path()};
    void SetUp() override { ASSERT_EQ(db.open(), 0) << db.openErrorText().toStdString(); }
};

} // namespace testing_support
