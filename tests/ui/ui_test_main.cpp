// Runs the screen tests under a GUI application object on Qt's offscreen platform, as the
// program itself paints under one, without needing a display. Like the program, the tests
// install the shipped font before painting anything.
#include "source_tree.h"
#include "toolkit/vexa_font.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace uitest {

QString sourcePath(const QString &relative)
{
    const QByteArray root = qgetenv("VXA_SOURCE_DIR");
    if (root.isEmpty()) {
        std::fputs("VXA_SOURCE_DIR must name the repository root (ctest sets it)\n", stderr);
        std::exit(2);
    }
    return QString::fromLocal8Bit(root) + u'/' + relative;
}

namespace {

// Installed when the tests run, not when they are only listed (test discovery does that
// without the environment).
class ShippedFont : public ::testing::Environment {
    void SetUp() override
    {
        VexaFont::installGlyphs(VexaFont::loadGlyphs({sourcePath("resources/ST20.FNT")}));
    }
};

} // namespace

} // namespace uitest

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::AddGlobalTestEnvironment(new uitest::ShippedFont);
    return RUN_ALL_TESTS();
}
