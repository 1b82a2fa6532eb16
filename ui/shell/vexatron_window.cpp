#include "vexatron_window.h"

#include "edit_menu.h"
#include "error_line.h"
#include "playback_menu.h"
#include "player_engine.h"
#include "recent_modules_menu.h"
#include "root_view.h"
#include "screen/default_file_names.h"
#include "screen/file_actions.h"
#include "screen_key_filter.h"
#include "ui_tables.h"
#include "wav_export_progress.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenuBar>
#include <QMimeData>

#include <filesystem>
#include <optional>

namespace {

// The first file on this computer among the dropped items, if any.
std::optional<std::filesystem::path> firstLocalFile(const QMimeData *dropped)
{
    if (!dropped)
        return std::nullopt;
    for (const QUrl &url : dropped->urls()) {
        if (url.isLocalFile())
            return std::filesystem::path(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    return std::nullopt;
}

} // namespace

VexatronWindow::VexatronWindow(RootView *rootView, std::shared_ptr<vexa::PlayerEngine> player,
                               const GlyphTable &font)
    : player_(std::move(player)), rootView_(rootView)
{
    setWindowTitle(QStringLiteral("Vexatron"));
    setCentralWidget(rootView_);
    QPalette face = palette();
    face.setColor(QPalette::Window, VexaChrome::colFace);
    setPalette(face);
    setAcceptDrops(true);
    addFileMenu();
    menuBar()->addMenu(new EditMenu(player_, this));
    menuBar()->addMenu(new PlaybackMenu(player_, this));
    ErrorLine::addTo(*menuBar(), player_, font);
    keyFilter_ = std::make_unique<ScreenKeyFilter>(rootView_->screen(), *this);
    resize(sizeHint());
}

VexatronWindow::~VexatronWindow() = default;

void VexatronWindow::addFileMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction *open = file->addAction(QStringLiteral("Open Module\u2026"), [this] {
        QCoreApplication::postEvent(rootView_, new QEvent(RootView::openModuleEvent()));
    });
    open->setShortcut(QKeySequence::Open);
    file->addMenu(new RecentModulesMenu(player_, file));
    file->addSeparator();
    // The disk-op panel's module saves, on the keys the help page names: a save never
    // overwrites (the next free version), Save As asks where.
    QAction *save = file->addAction(QStringLiteral("Save Module"), this, [this] {
        VexaFileActions::run(VexaDiskOpAction::saveModule, player_, *rootView_);
    });
    save->setShortcut(QKeySequence::Save);
    QAction *saveAs = file->addAction(QStringLiteral("Save Module As\u2026"), this, [this] {
        VexaFileActions::run(VexaDiskOpAction::saveModuleAs, player_, *rootView_);
    });
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    QAction *exportAction =
        file->addAction(QStringLiteral("Export WAV\u2026"), this, [this] { exportWav(); });
    exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    file->addSeparator();
    QAction *quit = file->addAction(QStringLiteral("Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
}

void VexatronWindow::exportWav()
{
    rootView_->runFileDialog(VexaFileDialog::exportWav, VexaDefaultFileNames::wav(player_->title()),
                             [this](const std::filesystem::path &file) {
                                 if (auto running = player_->exportWav(file))
                                     WavExportProgress::start(
                                         std::move(running),
                                         QFile::decodeName(file.filename().c_str()), this);
                             });
}

void VexatronWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (firstLocalFile(event->mimeData()))
        event->acceptProposedAction();
}

void VexatronWindow::dropEvent(QDropEvent *event)
{
    const auto file = firstLocalFile(event->mimeData());
    if (!file)
        return;
    event->acceptProposedAction();
    activateWindow(); // keys go to the file just dropped, not to where it came from
    player_->open(*file);
}
