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
// the module is in; a module that fails to load at start keeps its own report there.
TEST_F(RootViewTest, firstShowingStartsAudioTimerAndModule_once_andTheLastFailureStaysShown)
{
    fs::copy_file(sourcePath("resources/SPACE_DEBRIS.MOD"),
                  resourceFolder.path() / "SPACE_DEBRIS.MOD");
    std::vector<uint8_t> damaged = ModBuilder().song(3, 0, {0, 1, 2}).build();
    damaged.resize(2000);
    const std::string audioFailure = "No sound server could be reached.";
    const struct {
        std::optional<fs::path> startModule;
        std::string title;
        std::string error;
    } cases[] = {
        {std::nullopt, "Circuit Tides", "Audio: " + audioFailure},
        {work.write("start.mod", ModBuilder().title("START").build()), "START",
         "Audio: " + audioFailure},
        {work.write("damaged.mod", damaged), "", "Failed to load module (-1)."},
    };
    for (const auto &c : cases) {
        const auto scheduledBefore = timers->scheduledCount();
        audio->startError = audioFailure.c_str();
        rebuild();
        RootView view(engine, font, QImage(), nullptr);
        if (c.startModule)
            view.openAtStart(*c.startModule);
        for (int showing = 0; showing < 2; ++showing) {
            view.show();
            drain();
            view.hide();
        }
        const std::string what = c.startModule ? c.startModule->filename().string() : "demo";
        EXPECT_EQ(engine->title(), c.title) << what;
        EXPECT_EQ(engine->errorMessage(), c.error) << what;
        EXPECT_EQ(timers->scheduledCount(), scheduledBefore + 1) << what;
    }
}
