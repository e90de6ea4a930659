// GoogleTest entry point for tests that need a QApplication (fonts, images,
// widgets). The offscreen platform keeps them independent of any display.
// Exit status: 0 when all passed, 1 on any failure, and 77 (ctest's
// "skipped") only when every test that ran skipped itself and none failed.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (RUN_ALL_TESTS() != 0) {
        return 1;
    }
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    const bool allSkipped =
        unit.test_to_run_count() > 0 && unit.skipped_test_count() == unit.test_to_run_count();
    return allSkipped ? 77 : 0;
}
