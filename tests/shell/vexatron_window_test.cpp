// The window on a controller with fake platform services: its menus, its error line,
// files dropped on it, and a WAV export with its progress.
#include "controller_fixture.h"
#include "error_line.h"
#include "root_view.h"
#include "screen_widget.h"
#include "vexatron_window.h"
#include "wav_export_progress.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QWindow>

using namespace vxtest;
namespace fs = std::filesystem;

namespace {

// Runs the event loop, deleting what asked to be deleted, until `done` holds or a few
// seconds pass.
template <class Done> bool spinUntil(Done done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

class VexatronWindowTest : public ControllerTest {
protected:
    VexatronWindowTest()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString((work.path() / "settings").string()));
        openWindow();
    }

    // A new window, as a new run of the program makes one.
    void openWindow()
    {
        window.reset();
        window = std::make_unique<VexatronWindow>(new RootView(engine, font, QImage(), nullptr),
                                                  engine, font);
        window->show();
    }

    QMenu *menu(const QString &title) const
    {
        for (QAction *action : window->menuBar()->actions()) {
            if (action->text() == title)
                return action->menu();
        }
        for (QMenu *sub : window->findChildren<QMenu *>()) {
            if (sub->title() == title)
                return sub;
        }
        ADD_FAILURE() << "no menu " << title.toStdString();
        return nullptr;
    }

    // "text" of each shown item; greyed items as "(text)".
    static std::vector<std::string> items(const QMenu &menu)
    {
        std::vector<std::string> texts;
        for (const QAction *action : menu.actions()) {
            if (!action->isVisible() || action->isSeparator())
                continue;
            const std::string text = action->text().toStdString();
            texts.push_back(action->isEnabled() ? text : "(" + text + ")");
        }
        return texts;
    }

    // Drags `urls` over the window to `point` and drops them there, delivered as the
    // windowing system delivers them: to the window, which hands them to the widget under
    // the point that takes drops. Whether the drop was taken.
    bool drop(QPoint point, const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QWindow *handle = window->windowHandle();
        QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &enter);
        if (!enter.isAccepted()) {
            QDragLeaveEvent leave;
            QApplication::sendEvent(handle, &leave);
            return false;
        }
        QDropEvent dropped(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(handle, &dropped);
        drain();
        return dropped.isAccepted();
    }

    // The window's one widget of type T; the shell's widgets are plain C++ types to Qt,
    // so they are told apart by dynamic_cast.
    template <class T> T *child() const
    {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (auto *found = dynamic_cast<T *>(widget))
                return found;
        }
        return nullptr;
    }

    QAction *item(const QString &menuTitle, const QString &text) const
    {
        for (QAction *action : menu(menuTitle)->actions()) {
            if (action->text() == text)
                return action;
        }
        ADD_FAILURE() << "no item " << text.toStdString();
        return nullptr;
    }

    QUrl fileUrl(const std::string &name, const std::vector<uint8_t> &bytes) const
    {
        return QUrl::fromLocalFile(QString::fromStdString(work.write(name, bytes)));
    }

    GlyphTable font{};
    std::unique_ptr<VexatronWindow> window;
};

} // namespace

TEST_F(VexatronWindowTest, errorLineShowsTheLastError_besideTheMenuTitles_howeverLong)
{
    QMenuBar &bar = *window->menuBar();
    QWidget *line = bar.cornerWidget();
    ASSERT_TRUE(dynamic_cast<ErrorLine *>(line));
    EXPECT_FALSE(line->isVisible()) << "an error line without an error";

    const std::string longError = "Audio engine: " + std::string(300, 'x');
    engine->setError(longError);
    drain();
    QApplication::processEvents(); // the menu bar lays out its corner later
    const QRect file = bar.actionGeometry(bar.actions().front());
    EXPECT_EQ(bar.actions().front()->text(), "&File");
    EXPECT_TRUE(bar.rect().contains(file)) << "the File menu was pushed off the bar";
    EXPECT_TRUE(line->isVisible());
    EXPECT_GT(line->geometry().left(), file.right());
    EXPECT_LE(line->geometry().right(), bar.rect().right());
    EXPECT_EQ(line->toolTip().toStdString(), longError);
    EXPECT_EQ(window->width(), 640) << "the error widened the window";
}

TEST_F(VexatronWindowTest, aFileDroppedAnywhere_opensAsItsNameSays_andADamagedModuleChangesNothing)
{
    loadModule(ModBuilder().title("EDITED"));
    std::vector<uint8_t> damaged = ModBuilder().song(3, 0, {0, 1, 2}).build();
    damaged.resize(2000);
    const QPoint onScreen = child<ScreenWidget>()->geometry().center();
    const QPoint onMenuBar(window->width() - 2, window->menuBar()->height() / 2);
    const QPoint inCorner(window->width() - 1, window->height() - 1);
    const struct {
        QPoint at;
        QList<QUrl> urls;
        bool taken;
        std::string title;    // after the drop
        int64_t sampleLength; // of the current slot, after the drop
        std::string notice;   // its title
        std::optional<std::string> error = std::nullopt;
    } cases[] = {
        {onScreen,
         {fileUrl("dropped.mod", ModBuilder().title("DROPPED").build())},
         true,
         "DROPPED",
         0,
         ""},
        {onMenuBar,
         {fileUrl("broken.mod", damaged)},
         true,
         "DROPPED",
         0,
         "",
         "Failed to load module (-1)."},
        {inCorner, {fileUrl("kick.raw", std::vector<uint8_t>(64, 0x90))}, true, "DROPPED", 64, ""},
        {onScreen, {fileUrl("notes.txt", {'h', 'i'})}, true, "DROPPED", 64, "OPEN"},
        {onScreen, {QUrl("https://example.org/song.mod")}, false, "DROPPED", 64, ""},
        {onScreen,
         {QUrl("https://example.org/song.mod"),
          fileUrl("second.mod", ModBuilder().title("SECOND").build()),
          fileUrl("third.mod", ModBuilder().title("THIRD").build())},
         true,
         "SECOND",
         0,
         ""},
    };
    for (const auto &c : cases) {
        const std::string name = c.urls.back().fileName().toStdString();
        EXPECT_EQ(drop(c.at, c.urls), c.taken) << name;
        EXPECT_EQ(engine->title(), c.title) << name;
        EXPECT_EQ(engine->sampleLength(), c.sampleLength) << name;
        EXPECT_EQ(engine->notice() ? engine->notice()->title : "", c.notice) << name;
        EXPECT_EQ(engine->errorMessage(), c.error) << name;
        engine->dismissNotice();
    }
}

TEST_F(VexatronWindowTest, editMenu_namesAndGreysUndoAndRedo_andItsCtrlKeysPassTheScreen)
{
    loadModule(ModBuilder());
    QMenu *edit = menu("&Edit");
    ASSERT_TRUE(edit);
    const std::vector<std::string> sampleSteps = {"Next Sample", "Previous Sample"};
    const auto history = [&](std::vector<std::string> undoRedo) {
        undoRedo.insert(undoRedo.end(), sampleSteps.begin(), sampleSteps.end());
        return undoRedo;
    };
    EXPECT_EQ(items(*edit), history({"(Undo)", "(Redo)"}));
    engine->toggleEditMode();
    engine->writeNoteAtCursor(13, true);
    drain();
    EXPECT_EQ(items(*edit), history({"Undo Note Entry", "(Redo)"}));

    // The keys go where the user types them: to the screen, which has the focus, in edit
    // mode, where Z and Y are piano keys.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget *screen = child<ScreenWidget>();
    const struct {
        QKeyCombination keys;
        std::vector<std::string> after;
    } presses[] = {
        {Qt::CTRL | Qt::Key_Z, {"(Undo)", "Redo Note Entry"}},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, {"Undo Note Entry", "(Redo)"}},
        {Qt::CTRL | Qt::Key_Z, {"(Undo)", "Redo Note Entry"}},
        {Qt::CTRL | Qt::Key_Y, {"Undo Note Entry", "(Redo)"}},
    };
    for (const auto &press : presses) {
        QTest::keyClick(screen, press.keys.key(), press.keys.keyboardModifiers());
        drain();
        EXPECT_EQ(items(*edit), history(press.after))
            << QKeySequence(press.keys).toString().toStdString();
    }
    EXPECT_TRUE(engine->editMode()) << "a Ctrl key reached the screen";
}

TEST_F(VexatronWindowTest, theHelpPagesPlayStopSampleAndFileKeys_passTheScreenToTheMenus)
{
    loadModule(ModBuilder().title("KEYS"));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget *screen = child<ScreenWidget>();
    const auto state = [&] {
        return std::string(engine->isPlaying() ? "playing" : "stopped") + " sample " +
               std::to_string(engine->currentSample());
    };
    const struct {
        QKeyCombination keys;
        std::string after;
    } presses[] = {
        {QKeyCombination(Qt::Key_F5), "playing sample 1"},
        {QKeyCombination(Qt::Key_F8), "stopped sample 1"},
        {QKeyCombination(Qt::Key_P), "playing sample 1"},
        {QKeyCombination(Qt::Key_Escape), "stopped sample 1"},
        {QKeyCombination(Qt::Key_Plus), "stopped sample 2"},
        {QKeyCombination(Qt::Key_Minus), "stopped sample 1"},
    };
    for (const auto &press : presses) {
        QTest::keyClick(screen, press.keys.key(), press.keys.keyboardModifiers());
        drain();
        EXPECT_EQ(state(), press.after) << QKeySequence(press.keys).toString().toStdString();
    }

    QTest::keyClick(screen, Qt::Key_S, Qt::ControlModifier);
    drain();
    ASSERT_TRUE(engine->notice());
    EXPECT_EQ(engine->notice()->message, "Saved:\n" + (work.path() / "KEYS(VXv1).mod").string());
    auto *alert = window->findChild<QMessageBox *>();
    ASSERT_TRUE(alert);
    alert->reject(); // its "OK": the alert would hold the keys
    drain();
    QTest::keyClick(screen, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    auto *dialog = window->findChild<QFileDialog *>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Save Module As");
    static_cast<QDialog *>(dialog)->reject();
}

TEST_F(VexatronWindowTest, openRecent_listsTheLastEightModulesNewestFirst_keptBetweenRuns)
{
    resourceFolder.write("SPACE_DEBRIS.MOD", ModBuilder().title("DEMO").build());
    engine->loadBundledDemoIfNeeded();
    drain();
    EXPECT_FALSE(menu("Open Recent")->menuAction()->isEnabled()) << "the demo module is listed";

    for (int n = 1; n <= 9; ++n)
        loadModule(ModBuilder().title("M" + std::to_string(n)), "m" + std::to_string(n) + ".mod");
    loadModule(ModBuilder().title("M3"), "m3.mod");
    engine->saveModuleAs(work.path() / "copy.mod");
    drain();
    const auto path = [&](const char *name) { return (work.path() / name).string(); };
    const std::vector<std::string> expected = {path("copy.mod"), path("m3.mod"), path("m9.mod"),
                                               path("m8.mod"),   path("m7.mod"), path("m6.mod"),
                                               path("m5.mod"),   path("m4.mod")};
    EXPECT_EQ(items(*menu("Open Recent")), expected);

    openWindow();
    QMenu *recent = menu("Open Recent");
    EXPECT_EQ(items(*recent), expected) << "not kept for the next run";
    recent->actions()[5]->trigger();
    drain();
    EXPECT_EQ(engine->title(), "M6");
    EXPECT_EQ(items(*recent).front(), path("m6.mod"));
}

TEST_F(VexatronWindowTest, openRecent_aModuleNoLongerThere_leavesTheListWithANotice)
{
    loadModule(ModBuilder().title("GONE"), "gone.mod");
    loadModule(ModBuilder().title("KEPT"), "kept & sound.mod");
    fs::remove(work.path() / "gone.mod");
    QMenu *recent = menu("Open Recent");
    EXPECT_EQ(items(*recent).front(), (work.path() / "kept && sound.mod").string());
    recent->actions()[1]->trigger();
    drain();
    EXPECT_EQ(items(*recent),
              std::vector<std::string>{(work.path() / "kept && sound.mod").string()});
    ASSERT_TRUE(engine->notice());
    EXPECT_EQ(engine->notice()->title + " / " + engine->notice()->message,
              "OPEN RECENT / \"gone.mod\" is no longer in " + work.path().string() +
                  ", so it was removed from the list.");
    EXPECT_EQ(engine->title(), "KEPT");
}

TEST_F(VexatronWindowTest, fullEffectSet_setsTheReplayMode_andIsKeptForTheNextRun)
{
    QAction *fullEffects = item("&Playback", "Full Effect Set");
    ASSERT_TRUE(fullEffects);
    EXPECT_FALSE(fullEffects->isChecked());
    EXPECT_EQ(engine->replayMode(), VXA_REPLAY_REDUCED);
    fullEffects->trigger();
    EXPECT_TRUE(fullEffects->isChecked());
    EXPECT_EQ(engine->replayMode(), VXA_REPLAY_FULL);

    rebuild(); // the next run
    openWindow();
    EXPECT_EQ(engine->replayMode(), VXA_REPLAY_FULL);
    EXPECT_TRUE(item("&Playback", "Full Effect Set")->isChecked());
}

TEST_F(VexatronWindowTest, exportWav_asksWhereNamedAfterTheTitle_showsProgress_andCanBeCancelled)
{
    const auto exportTo = [&](const char *expectedName) {
        item("&File", "Export WAV\u2026")->trigger();
        auto *dialog = window->findChild<QFileDialog *>();
        EXPECT_TRUE(dialog && dialog->windowTitle() == "Export WAV");
        EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(), expectedName);
        static_cast<QDialog *>(dialog)->accept(); // Save, as the user clicks it
        return QPointer<QProgressDialog>(child<WavExportProgress>());
    };
    loadModule(ModBuilder().title("LONG SONG").song(128, 0, std::vector<uint8_t>(128, 0)));
    QPointer<QProgressDialog> progress = exportTo("LONG SONG.wav");
    ASSERT_TRUE(progress);
    progress->findChild<QPushButton *>()->click(); // its one button: Cancel
    EXPECT_TRUE(spinUntil([&] { return progress.isNull(); }));
    drain();
    EXPECT_FALSE(engine->notice());
    EXPECT_FALSE(fs::exists(work.path() / "LONG SONG.wav"));

    loadModule(ModBuilder().title("SHORT"));
    progress = exportTo("SHORT.wav");
    EXPECT_TRUE(spinUntil([&] { return progress.isNull(); })) << "still open after the export";
    drain();
    drain();
    ASSERT_TRUE(engine->notice());
    EXPECT_EQ(engine->notice()->message, "Saved:\n" + (work.path() / "SHORT.wav").string());
}
