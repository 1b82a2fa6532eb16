#include "screen_fixture.h"

#include "key_codes.h"
#include "source_tree.h"
#include "toolkit/vexa_font.h"
#include "views/splash_view.h"

#include <filesystem>

namespace uitest {

void FakeScreenHost::runFileDialog(VexaFileDialog kind, const std::string &defaultName,
                                   FileChosen chosen)
{
    dialogs.push_back({kind, defaultName, std::move(chosen)});
}

void FakeScreenHost::showNotice(const std::string &title, const std::string &message,
                                std::function<void()> dismissed)
{
    notices.push_back({title, message, [dismissed = std::move(dismissed)](bool) { dismissed(); }});
}

void FakeScreenHost::askConfirmation(const std::string &title, const std::string &message,
                                     std::function<void(bool yes)> answered)
{
    confirmations.push_back({title, message, std::move(answered)});
}

void ScreenTest::start()
{
    screen.reset();
    rebuild();
    std::filesystem::copy_file(sourcePath("resources/SPACE_DEBRIS.MOD").toStdString(),
                               resourceFolder.path() / "SPACE_DEBRIS.MOD",
                               std::filesystem::copy_options::overwrite_existing);
    engine->loadBundledDemoIfNeeded();
    drain();
    host = {};
    screen = std::make_unique<VexatronScreen>(
        engine, host, VexaFont::loadGlyphs({sourcePath("resources/ST20.FNT")}),
        readSplashPicture(sourcePath("resources/Splash.png")), [] {});
    screen->shown();
}

void ScreenTest::clickAt(QPointF point)
{
    screen->pointerPressed(point);
    screen->pointerReleased(point);
    drain();
}

void ScreenTest::click(int x, int y)
{
    clickAt(VexatronScreen::pixelCentre(QPoint(x, y)));
}

bool ScreenTest::key(uint16_t code, bool shift)
{
    const bool consumed =
        screen->keyDown({.keyCode = code, .characters = std::nullopt, .shift = shift});
    drain();
    return consumed;
}

bool ScreenTest::type(const std::string &characters, bool shift)
{
    const bool consumed =
        screen->keyDown({.keyCode = vexa::keys::other, .characters = characters, .shift = shift});
    drain();
    return consumed;
}

void ScreenTest::frame(uint32_t frames)
{
    audio->renderOnDeviceThread(frames);
    timers->fireAll();
    drain();
}

} // namespace uitest
