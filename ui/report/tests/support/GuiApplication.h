#pragma once
// The application the report engine needs in a test program: fonts and painting want a
// QGuiApplication (on the offscreen platform unless another is named).

#include <QGuiApplication>

namespace testing_support {

inline void ensureGuiApplication()
{
    if (QGuiApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "report-test";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

} // namespace testing_support
