// Random 128-bit identities for notices and confirmations.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vexa {

class Uuid {
public:
    // A fresh random (version 4) identity; safe to call from any thread.
    static Uuid random();

    std::string text() const; // 8-4-4-4-12 lower-case hex digits
    bool operator==(const Uuid &) const = default;

private:
    std::array<uint8_t, 16> bytes_{};
};

} // namespace vexa
