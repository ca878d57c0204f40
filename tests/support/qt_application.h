// One QApplication for a whole test program (gtest_main provides main()). Include it in any test file
// that makes widgets. Windows are drawn offscreen unless the environment chose a platform.
#pragma once

#include <QApplication>
#include <gtest/gtest.h>

namespace lirma::test {

class QtApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (QApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "lirma-tests";
        static char* argv[] = {name, nullptr};
        // Kept until the process ends: widgets created by the tests may outlive any fixture.
        new QApplication(argc, argv);
    }
};

inline testing::Environment* const qtApplicationEnvironment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace lirma::test
