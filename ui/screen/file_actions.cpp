#include "screen/file_actions.h"

#include "screen/default_file_names.h"

#include <string>

using vexa::PlayerEngine;

namespace {

// The chosen file goes to `command` if the controller still exists by then; what the
// command returns is not needed here.
template <class Result>
void runDialog(VexaFileDialog kind, const std::string &defaultName,
               Result (PlayerEngine::*command)(const std::filesystem::path &file),
               const std::shared_ptr<PlayerEngine> &player, VexaScreenHost &host)
{
    host.runFileDialog(
        kind, defaultName,
        [weak = std::weak_ptr<PlayerEngine>(player), command](const std::filesystem::path &file) {
            if (const auto alive = weak.lock())
                ((*alive).*command)(file);
        });
}

} // namespace

void VexaFileActions::run(VexaDiskOpAction action, const std::shared_ptr<PlayerEngine> &player,
                          VexaScreenHost &host)
{
    switch (action) {
    case VexaDiskOpAction::loadModule:
        runDialog(VexaFileDialog::loadModule, {}, &PlayerEngine::load, player, host);
        break;
    case VexaDiskOpAction::saveModule:
        player->saveModuleVersioned();
        break;
    case VexaDiskOpAction::saveModuleAs:
        runDialog(VexaFileDialog::saveModuleAs, VexaDefaultFileNames::module(player->title()),
                  &PlayerEngine::saveModuleAs, player, host);
        break;
    case VexaDiskOpAction::loadSample:
        runDialog(VexaFileDialog::loadSample, {}, &PlayerEngine::loadSample, player, host);
        break;
    case VexaDiskOpAction::saveSample:
        player->saveSampleVersioned();
        break;
    case VexaDiskOpAction::saveSampleAs:
        runDialog(VexaFileDialog::saveSampleAs, VexaDefaultFileNames::sample(player->sampleName()),
                  &PlayerEngine::saveSampleAs, player, host);
        break;
    }
}
