#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

// Widget tests need an X display (Xvfb in the test run): shapes, the tray and window managers do not
// exist on Qt's offscreen platform. Without one only the suites that need no display run.
int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* display = std::getenv("DISPLAY");
    std::unique_ptr<QApplication> app;
    if (display && *display) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
        qputenv("QT_QPA_PLATFORM", "xcb");
        app = std::make_unique<QApplication>(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
    } else {
        std::printf("DISPLAY is not set: the widget tests are skipped, only files and text run.\n");
        ::testing::GTEST_FLAG(filter) = "PosixFiles*:TextCodec*:DiskAudio*";
    }
    return RUN_ALL_TESTS();
}
