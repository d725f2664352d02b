#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>

// CMake lists the tests by running this binary at build time, without a display.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt warns without a private runtime folder; a temporary one is made with mode 0700.
    QTemporaryDir runtimeDir;
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

// Qt and fontconfig keep caches until exit that LeakSanitizer would report, also while CMake
// lists the tests at build time, where the test's environment is not applied.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
