#include "screen/screen_alerts.h"

VexaScreenAlerts::VexaScreenAlerts(std::shared_ptr<vexa::PlayerEngine> player, VexaScreenHost &host)
    : player_(std::move(player)), host_(host)
{
    noticeObserver_ = player_->notice.observe(
        [this](const std::optional<vexa::VexaNotice> &notice) { presentNotice(notice); });
    confirmObserver_ = player_->confirm.observe(
        [this](const std::optional<vexa::VexaConfirm> &confirm) { presentConfirm(confirm); });
}

VexaScreenAlerts::~VexaScreenAlerts()
{
    player_->notice.forget(noticeObserver_);
    player_->confirm.forget(confirmObserver_);
}

void VexaScreenAlerts::present()
{
    presentNotice(player_->notice());
    presentConfirm(player_->confirm());
}

// The callbacks hold the controller weakly: the window may answer after the screen is
// gone.
void VexaScreenAlerts::presentNotice(const std::optional<vexa::VexaNotice> &notice)
{
    if (!notice || notice->id == presentedNotice_)
        return;
    presentedNotice_ = notice->id;
    host_.showNotice(notice->title, notice->message,
                     [weak = std::weak_ptr<vexa::PlayerEngine>(player_), id = notice->id] {
                         const auto player = weak.lock();
                         if (player && player->notice() && player->notice()->id == id)
                             player->dismissNotice();
                     });
}

void VexaScreenAlerts::presentConfirm(const std::optional<vexa::VexaConfirm> &confirm)
{
    if (!confirm || confirm->id == presentedConfirm_)
        return;
    presentedConfirm_ = confirm->id;
    host_.askConfirmation(
        confirm->title, confirm->message,
        [weak = std::weak_ptr<vexa::PlayerEngine>(player_), id = confirm->id](bool yes) {
            const auto player = weak.lock();
            if (!player || (player->confirm() && player->confirm()->id != id))
                return;
            player->answerConfirm(yes);
        });
}
