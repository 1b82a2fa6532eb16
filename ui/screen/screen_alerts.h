// The controller's notice and confirmation shown as the window's alerts. Each is shown
// once, when it is published (or, for one published before, when present() is called).
// Dismissing a notice clears it; "Yes" performs the confirmed edit and "No" drops it.
// An answer to an alert that a newer one has replaced changes nothing.
#pragma once

#include "player_engine.h"
#include "screen/screen_host.h"

#include <memory>
#include <optional>

class VexaScreenAlerts {
public:
    VexaScreenAlerts(std::shared_ptr<vexa::PlayerEngine> player, VexaScreenHost &host);
    ~VexaScreenAlerts();
    VexaScreenAlerts(const VexaScreenAlerts &) = delete;
    VexaScreenAlerts &operator=(const VexaScreenAlerts &) = delete;

    // Shows the notice and the confirmation now published, unless already shown.
    void present();

private:
    void presentNotice(const std::optional<vexa::VexaNotice> &notice);
    void presentConfirm(const std::optional<vexa::VexaConfirm> &confirm);

    std::shared_ptr<vexa::PlayerEngine> player_;
    VexaScreenHost &host_;
    vexa::ObserverId noticeObserver_ = 0;
    vexa::ObserverId confirmObserver_ = 0;
    std::optional<vexa::Uuid> presentedNotice_;
    std::optional<vexa::Uuid> presentedConfirm_;
};
