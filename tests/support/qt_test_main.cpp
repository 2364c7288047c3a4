// GUI tests run inside one application object on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Thumbnails the program keeps go to a cache of the tests' own, never the user's.
    qputenv("XDG_CACHE_HOME", LUMIVANE_TEST_CACHE_HOME);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
