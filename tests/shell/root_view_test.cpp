// The window's content on a controller with fake platform services: where the screen
// sits, and what showing it for the first time starts.
#include "controller_fixture.h"
#include "root_view.h"
#include "screen_widget.h"
#include "source_path.h"
#include "ui_tables.h"

#include <QLayout>

using namespace vxtest;
namespace fs = std::filesystem;

namespace {

class RootViewTest : public ControllerTest {
protected:
    GlyphTable font{};
};

} // namespace

TEST_F(RootViewTest, keepsTheScreenAt640x480CentredOnTheFaceGrey_andIsNeverSmaller)
{
    RootView view(engine, font, QImage(), nullptr);
    EXPECT_EQ(view.minimumSizeHint(), QSize(640, 480));
    view.resize(800, 600);
    view.layout()->activate();
    const QList<QWidget *> children = view.findChildren<QWidget *>();
    ASSERT_EQ(children.size(), 1);
    ASSERT_TRUE(dynamic_cast<ScreenWidget *>(children.front()));
    EXPECT_EQ(children.front()->geometry(), QRect(80, 60, 640, 480));
    const QImage shot = view.grab().toImage();
    for (const QPoint corner : {QPoint(0, 0), QPoint(79, 300), QPoint(799, 599), QPoint(400, 59)})
        EXPECT_EQ(shot.pixelColor(corner), VexaChrome::colFace) << corner.x() << "," << corner.y();
}

// A successful module load clears the error line, so the audio failure is reported after
// the demo module is in.
TEST_F(RootViewTest, firstShowingStartsAudioTimerAndDemo_once_andTheAudioFailureStaysShown)
{
    fs::copy_file(sourcePath("resources/SPACE_DEBRIS.MOD"),
                  resourceFolder.path() / "SPACE_DEBRIS.MOD");
    audio->startError = "No sound server could be reached.";
    RootView view(engine, font, QImage(), nullptr);
    for (int showing = 0; showing < 2; ++showing) {
        view.show();
        drain();
        view.hide();
    }
    EXPECT_TRUE(engine->hasModule());
    EXPECT_EQ(engine->errorMessage(), "Audio: No sound server could be reached.");
    EXPECT_EQ(timers->scheduledCount(), 1);
}
