// The window's content: the screen centred on the face grey, at exactly 640 x 480 points
// however large the window grows. It is the screen's host (file dialogs, alerts,
// repaints), answers the open-module event, and runs the controller's start-up the
// first time it is shown: audio output, the display timer, the demo module or the module
// to open at start.
//
// Main thread only.
#pragma once

#include "screen/screen_host.h"
#include "toolkit/glyph_table.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <optional>

class QMessageBox;
class ScreenWidget;
class VexatronScreen;

namespace vexa {
class PlayerEngine;
}

class RootView : public QWidget, public VexaScreenHost {
public:
    // The event that asks the root view to run the load-module dialog and load the
    // chosen module; the menu posts it.
    static QEvent::Type openModuleEvent();

    RootView(std::shared_ptr<vexa::PlayerEngine> player, const GlyphTable &font, QImage splash,
             QWidget *parent);
    ~RootView() override;

    VexatronScreen &screen() { return *screen_; }

    // The start-up loads `file` instead of the demo module; called before the first
    // showing.
    void openAtStart(const std::filesystem::path &file) { startModule_ = file; }

    void runFileDialog(VexaFileDialog kind, const std::string &defaultName,
                       FileChosen chosen) override;
    void showNotice(const std::string &title, const std::string &message,
                    std::function<void()> dismissed) override;
    void askConfirmation(const std::string &title, const std::string &message,
                         std::function<void(bool yes)> answered) override;
    void canvasChanged() override;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void startUp();
    void openModule();

    std::shared_ptr<vexa::PlayerEngine> player_;
    std::unique_ptr<VexatronScreen> screen_;
    ScreenWidget *screenWidget_ = nullptr;
    QPointer<QMessageBox> notice_; // the notice shown, until it closes
    std::optional<std::filesystem::path> startModule_;
    bool started_ = false;
};
