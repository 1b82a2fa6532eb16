#include "root_view.h"

#include "alerts.h"
#include "file_panels.h"
#include "player_engine.h"
#include "screen/vexatron_screen.h"
#include "screen_widget.h"
#include "ui_tables.h"

#include <QMessageBox>
#include <QVBoxLayout>

QEvent::Type RootView::openModuleEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

RootView::RootView(std::shared_ptr<vexa::PlayerEngine> player, const GlyphTable &font,
                   QImage splash, QWidget *parent)
    : QWidget(parent), player_(std::move(player))
{
    screen_ = std::make_unique<VexatronScreen>(player_, *this, font, std::move(splash),
                                               [this] { openModule(); });
    screenWidget_ = new ScreenWidget(*screen_, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(screenWidget_, 0, Qt::AlignCenter);
    QPalette face = palette();
    face.setColor(QPalette::Window, VexaChrome::colFace);
    setPalette(face);
    setAutoFillBackground(true);
}

// The screen goes before the widget that shows it.
RootView::~RootView()
{
    delete screenWidget_;
    screen_.reset();
}

void RootView::runFileDialog(VexaFileDialog kind, const std::string &defaultName, FileChosen chosen)
{
    const QString folder = QString::fromStdString(player_->writableSaveDirectory().string());
    VexaFilePanels::run(kind, defaultName, folder, std::move(chosen));
}

void RootView::showNotice(const std::string &title, const std::string &message,
                          std::function<void()> dismissed)
{
    // A newer notice replaces the one shown, whose answer no longer matters.
    if (notice_) {
        QObject::disconnect(notice_, &QMessageBox::finished, nullptr, nullptr);
        notice_->close();
    }
    notice_ = VexaAlerts::showNotice(window(), title, message, std::move(dismissed));
}

void RootView::askConfirmation(const std::string &title, const std::string &message,
                               std::function<void(bool yes)> answered)
{
    VexaAlerts::askConfirmation(window(), title, message, std::move(answered));
}

void RootView::canvasChanged()
{
    screenWidget_->update();
}

bool RootView::event(QEvent *event)
{
    if (event->type() != openModuleEvent())
        return QWidget::event(event);
    openModule();
    return true;
}

void RootView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!started_) {
        started_ = true;
        startUp();
    }
    screen_->shown();
    screenWidget_->setFocus();
}

void RootView::hideEvent(QHideEvent *event)
{
    screen_->hidden();
    QWidget::hideEvent(event);
}

// Audio first: without it everything else still works, and the error line says why. The
// report waits for the module, whose successful load clears the error line; a module to
// open at start that fails to load keeps its own report there instead.
void RootView::startUp()
{
    std::optional<std::string> audioFailure;
    try {
        player_->ensureEngineRunning();
    } catch (const vexa::AudioError &error) {
        audioFailure = std::string("Audio: ") + error.what();
    }
    player_->startDisplayTimer();
    bool loaded = true;
    if (startModule_)
        loaded = player_->load(*startModule_);
    else
        player_->loadBundledDemoIfNeeded();
    if (audioFailure && loaded)
        player_->setError(*audioFailure);
}

void RootView::openModule()
{
    runFileDialog(VexaFileDialog::loadModule, {},
                  [player = std::weak_ptr(player_)](const std::filesystem::path &file) {
                      if (const auto engine = player.lock())
                          engine->load(file);
                  });
}
