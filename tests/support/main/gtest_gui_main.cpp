// main() for the model tests: fonts and pictures need a QGuiApplication, and test discovery runs
// the program without ctest's environment, so the offscreen platform is chosen here too.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A test file may already have made one while statics were initialised.
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QGuiApplication>(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
