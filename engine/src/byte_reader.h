/* byte_reader.h - the one bounds-checked way the engine reads file bytes.
 * Every read outside the buffer yields zero (or a null span), never memory outside. */
#ifndef VXA_BYTE_READER_H
#define VXA_BYTE_READER_H

#include <cstddef>
#include <cstdint>

struct vx_reader {
    const uint8_t *bytes;
    size_t size;
};

inline bool vx_reader_has(const vx_reader &r, size_t offset, size_t count)
{
    return offset <= r.size && count <= r.size - offset;
}

inline uint8_t vx_reader_u8(const vx_reader &r, size_t offset)
{
    return vx_reader_has(r, offset, 1) ? r.bytes[offset] : 0;
}

/* Big-endian 16-bit word, as MOD files store them. */
inline uint16_t vx_reader_u16be(const vx_reader &r, size_t offset)
{
    return static_cast<uint16_t>(vx_reader_u8(r, offset) << 8 | vx_reader_u8(r, offset + 1));
}

/* `count` bytes from `offset`, or null when they are not all inside the buffer. */
inline const uint8_t *vx_reader_span(const vx_reader &r, size_t offset, size_t count)
{
    return vx_reader_has(r, offset, count) ? r.bytes + offset : nullptr;
}

#endif
