// Runs the end-to-end tests on a private Xvfb display, started once for all of them, with
// a GUI application object of its own on that display for the screenshots. When Xvfb
// cannot start, every test is skipped and says why. Listing the tests starts nothing.
#include "desktop_environment.h"
#include "source_path.h"
#include "toolkit/vexa_font.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

namespace vxtest {

namespace {

XvfbDisplay *theDisplay = nullptr;

} // namespace

const std::optional<std::string> &desktopFailure()
{
    return theDisplay->failure();
}

std::filesystem::path artifactFolder()
{
    return VXA_ARTIFACT_DIR;
}

} // namespace vxtest

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    std::filesystem::create_directories(vxtest::artifactFolder());
    vxtest::XvfbDisplay display(1600, 1200, vxtest::artifactFolder());
    vxtest::theDisplay = &display;
    if (display.failure()) {
        std::cout << "Xvfb could not start: " << *display.failure() << "\n";
        return RUN_ALL_TESTS();
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    VexaFont::installGlyphs(
        VexaFont::loadGlyphs({QString::fromStdString(vxtest::sourcePath("resources/ST20.FNT"))}));
    std::cout << "Screenshots and program logs: " << vxtest::artifactFolder().string() << "\n";
    return RUN_ALL_TESTS();
}
