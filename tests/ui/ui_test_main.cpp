// Runs the screen toolkit tests under a GUI application object on Qt's offscreen
// platform, as the program itself paints under one, without needing a display.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
