#include "screen/vexatron_screen.h"

#include "key_codes.h"
#include "player_engine.h"
#include "screen/file_actions.h"
#include "screen/middle_band.h"
#include "screen/parameter_panel.h"
#include "screen/pattern_click.h"
#include "screen/screen_alerts.h"
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
        : controller(std::move(player)), host(host), alerts(controller, host),
          splash(std::move(splash)), onOpenModule(std::move(onOpenModule)),
          paintLayer(VexaCanvas::width, VexaCanvas::height, VexaCanvas::format)
    {
        changesObserver = controller->changes.observe([this] { changed(); });
    }

    ~State() { controller->changes.forget(changesObserver); }

    State(const State &) = delete;
    State &operator=(const State &) = delete;

    PlayerEngine &player() override { return *controller; }

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
        VexaScreenSnapshot now = VexaScreenSnapshot::read(*controller, helpOpen, helpPage);
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
        VexaParameterPanel::addHits(hits, *controller);
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
            controller->patternWellClick(controller->currentRow() + click->rowOffset,
                                         click->channel, click->field);
    }

    void addMidWellHits()
    {
        if (controller->midWellOverlay() == vexa::VexaMidWellOverlay::none) {
            hits.add(HitArea::click(midWell, [this] { controller->cycleMidWell(); }));
            return;
        }
        VexaMidWellView view =
            midWellView(VexaScreenSnapshot::read(*controller, helpOpen, helpPage), QImage());
        view.onDiskOp = [this](VexaDiskOpAction action) {
            VexaFileActions::run(action, controller, host);
        };
        view.onTranspose = [this](bool trackOnly, int semitones) {
            controller->transpose(trackOnly, semitones);
        };
        view.onSmpEd = [this](vexa::VexaSmpEdAction action) {
            controller->performSmpEdAction(action);
        };
        // The view numbers the markers as the engine does: 0 = A, 1 = B.
        view.onSmpEdWaveMark = [this](int which, uint32_t offset) {
            controller->smpEdSetLoopMark(static_cast<vxa_loop_marker>(which), offset);
        };
        view.onSmpEdMarkNext = [this](int which) {
            controller->setSmpEdMarkNext(static_cast<vxa_loop_marker>(which));
        };
        view.addHits(hits, midWell.topLeft());
    }

    void runLoadModuleDialog() override
    {
        VexaFileActions::run(VexaDiskOpAction::loadModule, controller, host);
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
        keyGate.player = controller;
        keyGate.helpOpen = helpOpen;
        keyMonitorInstalled = true;
        alerts.present();
    }

    void hidden()
    {
        screenFocused = false;
        keyMonitorInstalled = false;
    }

    std::shared_ptr<PlayerEngine> controller;
    VexaScreenHost &host;
    VexaScreenAlerts alerts;
    QImage splash;
    std::function<void()> onOpenModule;
    bool helpOpen = false;
    int helpPage = 0;
    bool screenFocused = false;
    bool keyMonitorInstalled = false;
    vexa::VexaKeyGate keyGate;

    vexa::ObserverId changesObserver = 0;

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
