// The platform services a controller is built with.
#pragma once

#include "platform/audio_device.h"
#include "platform/folder_locator.h"
#include "platform/main_queue.h"
#include "platform/repeating_timer.h"
#include "platform/resource_locator.h"

#include <memory>

namespace vexa {

struct PlatformServices {
    std::shared_ptr<AudioDevice> audio;
    std::shared_ptr<MainQueue> mainQueue;
    std::shared_ptr<TimerService> timers;
    std::shared_ptr<ResourceLocator> resources;
    std::shared_ptr<FolderLocator> folders;
};

} // namespace vexa
