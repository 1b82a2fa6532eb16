// Runs the window layer's tests under an application object on Qt's offscreen platform,
// so dialogs, alerts and widgets exist without a display.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Settings go to a test program's own place; each test that keeps settings points
    // them into a folder of its own.
    QApplication::setOrganizationName(QStringLiteral("vexatron-tests"));
    return RUN_ALL_TESTS();
}
