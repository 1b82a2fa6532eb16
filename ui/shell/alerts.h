// The two alerts the screen asks for: a notice with one "OK" button, and a yes/no
// confirmation before a destructive edit. Each is window-modal on `parent` (or
// application-modal without one), returns at once, answers through its callback once,
// and deletes itself when it closes.
//
// Main thread only.
#pragma once

#include <functional>
#include <string>

class QMessageBox;
class QWidget;

namespace VexaAlerts {

// "OK" (cancel role); `dismissed` runs however the notice is closed.
QMessageBox *showNotice(QWidget *parent, const std::string &title, const std::string &message,
                        std::function<void()> dismissed);

// "Yes" (destructive role) answers true; "No" (cancel role, also Escape and Return) and
// any other way of closing answer false.
QMessageBox *askConfirmation(QWidget *parent, const std::string &title, const std::string &message,
                             std::function<void(bool yes)> answered);

} // namespace VexaAlerts
