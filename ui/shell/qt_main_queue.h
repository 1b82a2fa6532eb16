// The controller's main queue on Qt's event loop: a posted block runs on the thread of
// the application object, after the events already queued, in the order posted. Posting
// is safe from any thread. Blocks still queued when the application object goes are
// dropped.
#pragma once

#include "platform/main_queue.h"

class QtMainQueue : public vexa::MainQueue {
public:
    void post(std::function<void()> block) override;
};
