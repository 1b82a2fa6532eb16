#include "vexatron_app.h"

#include "app_icon.h"
#include "file_locations.h"
#include "player_engine.h"
#include "qt_main_queue.h"
#include "qt_timer_service.h"
#include "root_view.h"
#include "rtaudio_device.h"
#include "toolkit/vexa_font.h"
#include "vexatron_window.h"

#include <QApplication>
#include <QFile>

namespace {

std::shared_ptr<vexa::ResourceLocator> programResources()
{
    return std::make_shared<vexa::DiskResourceLocator>(vexa::DiskResourceLocator::forThisProgram());
}

std::shared_ptr<vexa::PlayerEngine> makePlayer(std::shared_ptr<vexa::ResourceLocator> locator)
{
    return vexa::PlayerEngine::create({std::make_shared<vexa::RtAudioDevice>(),
                                       std::make_shared<QtMainQueue>(),
                                       std::make_shared<QtTimerService>(), std::move(locator),
                                       std::make_shared<vexa::DesktopFolderLocator>(
                                           vexa::DesktopFolderLocator::forThisProcess())});
}

QString resourcePath(const vexa::ResourceLocator &locator, const char *name, const char *extension)
{
    const auto file = locator.find(name, extension);
    return file ? QFile::decodeName(file->c_str()) : QString();
}

// Without its font the screen would show no text at all.
GlyphTable loadFont(const vexa::ResourceLocator &locator)
{
    const QString path = resourcePath(locator, "ST20", "FNT");
    if (path.isEmpty() || QFile(path).size() < static_cast<qint64>(fontFileBytes))
        throw StartupError("Vexatron cannot start: its font file ST20.FNT is missing or "
                           "damaged. Please install Vexatron again.");
    return VexaFont::loadGlyphs({path});
}

} // namespace

VexatronApp::VexatronApp() : VexatronApp(programResources()) {}

VexatronApp::VexatronApp(std::shared_ptr<vexa::ResourceLocator> resources)
    : player(makePlayer(resources))
{
    const GlyphTable font = loadFont(*resources);
    QApplication::setWindowIcon(VexaAppIcon::icon(font));
    const QImage splash(resourcePath(*resources, "Splash", "png"));
    rootView_ = new RootView(player, font, splash, nullptr);
    window_ = std::make_unique<VexatronWindow>(rootView_, player, font);
}

VexatronApp::~VexatronApp() = default;

void VexatronApp::show(const std::optional<std::filesystem::path> &startModule)
{
    if (startModule)
        rootView_->openAtStart(*startModule);
    window_->show();
}
