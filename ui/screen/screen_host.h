// What the screen asks of the window that shows it: the file dialogs, the alerts
// (a notice, a yes/no confirmation) and a repaint. The window (ui/shell/) implements it
// with its own toolkit; the tests implement it with a fake that answers at once. The
// dialogs' titles, messages and type filters are the window's; the screen only says
// which dialog it wants and, for a save, the name to suggest.
//
// Everything here runs on the main thread: the screen calls these from its own calls,
// and the host runs the callbacks it is given later, on the main thread, at most once
// each. The host may run a callback from inside the call that handed it over (a modal
// dialog, a test's fake); the screen allows for that.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

// The file dialogs the screen can ask for.
enum class VexaFileDialog {
    loadModule,   // open one module file
    saveModuleAs, // choose where to save the module, may create folders
    loadSample,   // open one sample file
    saveSampleAs, // choose where to save the current sample, may create folders
    exportWav     // choose where to write the song as a WAV file, may create folders
};

class VexaScreenHost {
public:
    using FileChosen = std::function<void(const std::filesystem::path &file)>;

    virtual ~VexaScreenHost() = default;

    // Runs the dialog of this kind. `defaultName` is the file name to put in the name
    // field of the save dialogs ("MY SONG.mod"), empty for the open dialogs. `chosen`
    // is called once with the chosen file, never with an empty path; when the user
    // cancels, nothing is called.
    virtual void runFileDialog(VexaFileDialog kind, const std::string &defaultName,
                               FileChosen chosen) = 0;

    // Shows a notice: `title` ("SAVE"), `message` (a sentence, may hold a line break) and
    // one "OK" button (cancel role). `dismissed` is called once when the notice goes away,
    // by its button or by closing it any other way. A newer notice may replace a shown
    // one; the host then calls or drops the old `dismissed`, as it likes.
    virtual void showNotice(const std::string &title, const std::string &message,
                            std::function<void()> dismissed) = 0;

    // Asks a yes/no question before a destructive edit: `title`, `message` and two
    // buttons, "Yes" (destructive role) and "No" (cancel role). `answered` is called once
    // with true for "Yes" and false for "No" or any other way of closing it.
    virtual void askConfirmation(const std::string &title, const std::string &message,
                                 std::function<void(bool yes)> answered) = 0;

    // The canvas shows something new: repaint the window soon, taking the screen's
    // canvas(). Called once per burst of changes, however many values changed, and not
    // again until the canvas has been taken.
    virtual void canvasChanged() = 0;
};
