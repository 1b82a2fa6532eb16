#include "screen/vexatron_screen.h"

#include "key_codes.h"
#include "player_engine.h"
#include "screen/default_file_names.h"
#include "screen/middle_band.h"
#include "screen/parameter_panel.h"
#include "screen/pattern_click.h"
#include "screen/screen_buttons.h"
#include "screen/screen_layout.h"
#include "screen/screen_snapshot.h"
#include "toolkit/bevel.h"
#include "toolkit/hit_map.h"
#include "toolkit/vexa_font.h"
#include "views/help_pages.h"
#include "views/help_view.h"
#include "views/mid_well_view.h"
#include "views/pattern_well.h"

#include <cstring>
#include <optional>

using namespace VexaScreenLayout;
using vexa::PlayerEngine;

namespace {

std::vector<std::vector<uint8_t>> traces(const vexa::ScopeBuffers &scopes)
{
    std::vector<std::vector<uint8_t>> out;
    for (const vexa::ScopeBuffer &scope : scopes)
        out.emplace_back(scope.begin(), scope.end());
    return out;
}

VexaSmpEdModel smpEdModel(const VexaScreenSnapshot &snapshot)
{
    const VexaPaintedValues &v = snapshot.painted;
    return {.sample = v.currentSample,
            .length = v.sampleLength,
            .volume = v.sampleVolume,
            .loopStart = v.sampleLoopStart,
            .loopLength = v.sampleLoopLength,
            .wave = {snapshot.live.sampleWave.begin(), snapshot.live.sampleWave.end()},
            .markNext = snapshot.live.smpEdMarkNext};
}

// The middle well as the snapshot shows it, without callbacks.
VexaMidWellView midWellView(const VexaScreenSnapshot &snapshot, const QImage &splash)
{
    return {.mode = snapshot.live.midWellMode,
            .overlay = snapshot.painted.midWellOverlay,
            .scopes = traces(snapshot.live.scopeBuffers),
            .spectrum = {snapshot.live.spectrumBins.begin(), snapshot.live.spectrumBins.end()},
            .width = midWell.width(),
            .height = midWell.height(),
            .splash = splash,
            .smpEdModel = smpEdModel(snapshot)};
}

const VexaPatternWell::Layout &patternLayout()
{
    static const VexaPatternWell::Layout layout = VexaPatternWell::layout(patY, patH);
    return layout;
}

} // namespace

struct VexatronScreen::State final : VexaButtonTarget {
    State(std::shared_ptr<PlayerEngine> player, VexaScreenHost &host, QImage splash,
          std::function<void()> onOpenModule)
        : player_(std::move(player)), host(host), splash(std::move(splash)),
          onOpenModule(std::move(onOpenModule)),
          paintLayer(VexaCanvas::width, VexaCanvas::height, VexaCanvas::format)
    {
        changesObserver = player_->changes.observe([this] { changed(); });
        noticeObserver = player_->notice.observe(
            [this](const std::optional<vexa::VexaNotice> &notice) { presentNotice(notice); });
        confirmObserver = player_->confirm.observe(
            [this](const std::optional<vexa::VexaConfirm> &confirm) { presentConfirm(confirm); });
    }

    ~State()
    {
        player_->changes.forget(changesObserver);
        player_->notice.forget(noticeObserver);
        player_->confirm.forget(confirmObserver);
    }

    State(const State &) = delete;
    State &operator=(const State &) = delete;

    PlayerEngine &player() override { return *player_; }

    // Tells the host once per burst of changes; canvas() takes the burst.
    void changed()
    {
        if (canvasTold)
            return;
        canvasTold = true;
        host.canvasChanged();
    }

    const QImage &canvas()
    {
        canvasTold = false;
        VexaScreenSnapshot now = VexaScreenSnapshot::read(*player_, helpOpen, helpPage);
        if (painted && *painted == now)
            return composite;
        if (!painted || painted->painted != now.painted)
            paintPaintLayer(now.painted);
        compose(now);
        painted = std::move(now);
        return composite;
    }

    // Panels, texts, values, buttons and the pattern well: everything but the middle well
    // and the help overlay.
    void paintPaintLayer(const VexaPaintedValues &values)
    {
        paintLayer.fill(VexaChrome::colFace);
        QPainter painter(&paintLayer);
        VexaChrome::Bevel{.width = topPanel.width(),
                          .height = topPanel.height(),
                          .pressed = true,
                          .fill = VexaChrome::colFace}
            .paint(painter, topPanel.topLeft());
        VexaParameterPanel::paint(painter, values);
        painter.fillRect(verticalSeparator, VexaChrome::colShadow);
        painter.fillRect(horizontalSeparator, VexaChrome::colShadow);
        VexaMiddleBand::paint(painter, values);
        VexaScreenButton::paintAll(painter, values);
        VexaPatternWell{.rows = values.patternRows,
                        .levels = {values.chanMuzak.begin(), values.chanMuzak.end()},
                        .patY = patY,
                        .patH = patH,
                        .editCh = values.editCh,
                        .cursorPos = values.cursorPos}
            .paint(painter);
    }

    void compose(const VexaScreenSnapshot &snapshot)
    {
        if (composite.size() != paintLayer.size())
            composite = QImage(paintLayer.size(), paintLayer.format());
        std::memcpy(composite.bits(), paintLayer.constBits(),
                    static_cast<size_t>(paintLayer.sizeInBytes()));
        QPainter painter(&composite);
        midWellView(snapshot, splash).paint(painter, midWell.topLeft());
        if (helpOpen)
            VexaHelpView{.page = helpPage, .pageCount = helpPageCount}.paint(painter);
    }

    // The click areas, bottom to top: the arrows, the buttons, the pattern well, the
    // middle well, and the help overlay over everything while it is open.
    void rebuildHits()
    {
        hits.clearAreas();
        VexaParameterPanel::addHits(hits, *player_);
        VexaScreenButton::addHits(hits, *this);
        addPatternWellHits();
        addMidWellHits();
        if (helpOpen)
            VexaHelpView{.page = helpPage,
                         .pageCount = helpPageCount,
                         .onAdvance = [this] { advanceHelp(); },
                         .onClose = [this] { closeHelp(); }}
                .addHits(hits);
    }

    void addPatternWellHits()
    {
        const VexaPatternWell::Layout &layout = patternLayout();
        const QRectF area(patternClickLeft, layout.wellTop, patternClickWidth,
                          std::max<qreal>(layout.wellBot - layout.wellTop, 1));
        HitArea click{.rect = area};
        click.release = [this, area](QPointF local) {
            handlePatternClick(area.left() + local.x(), area.top() + local.y());
        };
        hits.add(std::move(click));
    }

    void handlePatternClick(qreal lx, qreal ly)
    {
        const std::optional<VexaPatternClick> click = VexaPatternClick::at(lx, ly, patternLayout());
        if (click)
            player_->patternWellClick(player_->currentRow() + click->rowOffset, click->channel,
                                      click->field);
    }

    void addMidWellHits()
    {
        if (player_->midWellOverlay() == vexa::VexaMidWellOverlay::none) {
            hits.add(HitArea::click(midWell, [this] { player_->cycleMidWell(); }));
            return;
        }
        VexaMidWellView view =
            midWellView(VexaScreenSnapshot::read(*player_, helpOpen, helpPage), QImage());
        view.onDiskOp = [this](VexaDiskOpAction action) { handleDiskOp(action); };
        view.onTranspose = [this](bool trackOnly, int semitones) {
            player_->transpose(trackOnly, semitones);
        };
        view.onSmpEd = [this](vexa::VexaSmpEdAction action) {
            player_->performSmpEdAction(action);
        };
        view.onSmpEdWaveMark = [this](int which, uint32_t offset) {
            player_->smpEdSetLoopMark(which, offset);
        };
        view.onSmpEdMarkNext = [this](int which) { player_->setSmpEdMarkNext(which); };
        view.addHits(hits, midWell.topLeft());
    }

    // Runs a file dialog; the chosen file goes to `use` if the controller still exists.
    void runDialog(VexaFileDialog kind, const std::string &defaultName,
                   void (PlayerEngine::*use)(const std::filesystem::path &))
    {
        host.runFileDialog(
            kind, defaultName,
            [weak = std::weak_ptr<PlayerEngine>(player_), use](const std::filesystem::path &file) {
                if (const auto player = weak.lock())
                    ((*player).*use)(file);
            });
    }

    void runLoadModuleDialog() override
    {
        runDialog(VexaFileDialog::loadModule, {}, &PlayerEngine::load);
    }

    void handleDiskOp(VexaDiskOpAction action)
    {
        switch (action) {
        case VexaDiskOpAction::loadModule:
            runLoadModuleDialog();
            break;
        case VexaDiskOpAction::saveModule:
            player_->saveModuleVersioned();
            break;
        case VexaDiskOpAction::saveModuleAs:
            runDialog(VexaFileDialog::saveModuleAs, VexaDefaultFileNames::module(player_->title()),
                      &PlayerEngine::saveModuleAs);
            break;
        case VexaDiskOpAction::loadSample:
            runDialog(VexaFileDialog::loadSample, {}, &PlayerEngine::loadSample);
            break;
        case VexaDiskOpAction::saveSample:
            player_->saveSampleVersioned();
            break;
        case VexaDiskOpAction::saveSampleAs:
            runDialog(VexaFileDialog::saveSampleAs,
                      VexaDefaultFileNames::sample(player_->sampleName()),
                      &PlayerEngine::saveSampleAs);
            break;
        }
    }

    void pressHelp() override
    {
        if (!helpOpen) {
            screenFocused = true;
            showHelp(true, 0);
        } else {
            advanceHelp();
        }
    }

    void advanceHelp()
    {
        if (helpPage + 1 >= helpPageCount)
            closeHelp();
        else
            showHelp(true, helpPage + 1);
    }

    void closeHelp() { showHelp(false, 0); }

    // The key gate follows the help state.
    void showHelp(bool open, int page)
    {
        helpOpen = open;
        helpPage = page;
        keyGate.helpOpen = open;
        changed();
    }

    bool keyDown(const vexa::KeyPress &key)
    {
        if (keyMonitorInstalled && keyGate.consume(key))
            return true;
        // The Escape the gate passes on while help is open is the focused screen's own.
        if (screenFocused && helpOpen && key.keyCode == vexa::keys::escape) {
            closeHelp();
            return true;
        }
        return false;
    }

    void shown()
    {
        screenFocused = true;
        keyGate.player = player_;
        keyGate.helpOpen = helpOpen;
        keyMonitorInstalled = true;
        presentNotice(player_->notice());
        presentConfirm(player_->confirm());
    }

    void hidden()
    {
        screenFocused = false;
        keyMonitorInstalled = false;
    }

    // Shows each notice once; its dismissal clears it unless a newer one replaced it.
    void presentNotice(const std::optional<vexa::VexaNotice> &notice)
    {
        if (!notice || notice->id == presentedNotice)
            return;
        presentedNotice = notice->id;
        host.showNotice(notice->title, notice->message,
                        [weak = std::weak_ptr<PlayerEngine>(player_), id = notice->id] {
                            const auto player = weak.lock();
                            if (player && player->notice() && player->notice()->id == id)
                                player->dismissNotice();
                        });
    }

    // Asks each confirmation once; an answer to one that a newer one replaced is dropped.
    void presentConfirm(const std::optional<vexa::VexaConfirm> &confirm)
    {
        if (!confirm || confirm->id == presentedConfirm)
            return;
        presentedConfirm = confirm->id;
        host.askConfirmation(
            confirm->title, confirm->message,
            [weak = std::weak_ptr<PlayerEngine>(player_), id = confirm->id](bool yes) {
                const auto player = weak.lock();
                if (!player || (player->confirm() && player->confirm()->id != id))
                    return;
                player->answerConfirm(yes);
            });
    }

    std::shared_ptr<PlayerEngine> player_;
    VexaScreenHost &host;
    QImage splash;
    std::function<void()> onOpenModule;
    bool helpOpen = false;
    int helpPage = 0;
    bool screenFocused = false;
    bool keyMonitorInstalled = false;
    vexa::VexaKeyGate keyGate;

    vexa::ObserverId changesObserver = 0;
    vexa::ObserverId noticeObserver = 0;
    vexa::ObserverId confirmObserver = 0;
    std::optional<vexa::Uuid> presentedNotice;
    std::optional<vexa::Uuid> presentedConfirm;

    bool canvasTold = false;
    std::optional<VexaScreenSnapshot> painted; // what the canvas shows
    QImage paintLayer;
    QImage composite;
    HitMap hits;
};

VexatronScreen::VexatronScreen(std::shared_ptr<PlayerEngine> player, VexaScreenHost &host,
                               const GlyphTable &glyphs, QImage splash,
                               std::function<void()> onOpenModule)
{
    VexaFont::installGlyphs(glyphs);
    state_ = std::make_unique<State>(std::move(player), host, std::move(splash),
                                     std::move(onOpenModule));
}

VexatronScreen::~VexatronScreen() = default;

const QImage &VexatronScreen::canvas()
{
    return state_->canvas();
}

QPointF VexatronScreen::pixelCentre(QPoint pixel)
{
    return QPointF(pixel) + QPointF(0.5, 0.5);
}

bool VexatronScreen::pointerPressed(QPointF point)
{
    state_->rebuildHits();
    return state_->hits.press(point);
}

void VexatronScreen::pointerDragged(QPointF point)
{
    state_->hits.drag(point);
}

void VexatronScreen::pointerReleased(QPointF point)
{
    state_->hits.release(point);
}

bool VexatronScreen::keyDown(const vexa::KeyPress &key)
{
    return state_->keyDown(key);
}

void VexatronScreen::shown()
{
    state_->shown();
}

void VexatronScreen::hidden()
{
    state_->hidden();
}

const std::function<void()> &VexatronScreen::onOpenModule() const
{
    return state_->onOpenModule;
}

bool VexatronScreen::helpOpen() const
{
    return state_->helpOpen;
}

int VexatronScreen::helpPage() const
{
    return state_->helpPage;
}
