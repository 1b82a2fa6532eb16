// A notice for the user: a short upper-case title and a sentence. Each notice has its
// own identity, so the screen shows a new one even when its texts repeat.
#pragma once

#include "uuid.h"

#include <string>

namespace vexa {

struct VexaNotice {
    Uuid id;
    std::string title;
    std::string message;

    static VexaNotice make(std::string title, std::string message)
    {
        return {Uuid::random(), std::move(title), std::move(message)};
    }
    bool operator==(const VexaNotice &other) const { return id == other.id; }
};

} // namespace vexa
