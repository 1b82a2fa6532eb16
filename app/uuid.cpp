#include "uuid.h"

#include <random>

namespace vexa {

Uuid Uuid::random()
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    Uuid id;
    for (size_t i = 0; i < id.bytes_.size(); i += 8) {
        const uint64_t bits = generator();
        for (size_t b = 0; b < 8; ++b)
            id.bytes_[i + b] = static_cast<uint8_t>(bits >> (8 * b));
    }
    id.bytes_[6] = static_cast<uint8_t>((id.bytes_[6] & 0x0F) | 0x40); // version 4
    id.bytes_[8] = static_cast<uint8_t>((id.bytes_[8] & 0x3F) | 0x80); // variant 1
    return id;
}

} // namespace vexa
