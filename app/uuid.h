// Random 128-bit identities for notices and confirmations.
#pragma once

#include <array>
#include <cstdint>

namespace vexa {

class Uuid {
public:
    // A fresh random (version 4) identity; safe to call from any thread.
    static Uuid random();
    bool operator==(const Uuid &) const = default;

private:
    std::array<uint8_t, 16> bytes_{};
};

} // namespace vexa
