// The file dialogs: what each one says and accepts, in one table, and how a dialog
// is run. Qt's own dialog is used, not the desktop's, so that every desktop shows the
// message and filters file names the same way: module and sample types in any letter
// case, and modules also in the Amiga's prefix form ("MOD.TITLE" as well as "title.mod").
//
// Main thread only.
#pragma once

#include "screen/screen_host.h"

#include <QString>

#include <string>

class QFileDialog;
class QWidget;

namespace VexaFilePanels {

// The window a dialog attaches to: the active window, else the first visible window;
// null when there is none.
QWidget *parentWindow();

// Shows the dialog of `kind`, opening in `folder`, with `defaultName` in the name field of
// a save dialog: window-modal on parentWindow(), or application-modal when there is none.
// `chosen` runs once, on OK with a file; cancelling runs nothing. The dialog deletes
// itself when it closes; it is returned for whoever wants to watch it.
QFileDialog *run(VexaFileDialog kind, const std::string &defaultName, const QString &folder,
                 VexaScreenHost::FileChosen chosen);

} // namespace VexaFilePanels
