/* sample_file.cpp - loading a sample file into a slot (directly, or into a scratch
 * context and then moved), and a slot as a file: its bytes in memory and the file.
 *
 * Two forms are read, told apart by content and never by file name: RIFF WAVE, whose
 * first "data" chunk holds 8-bit unsigned sound, and raw 8-bit data whose signedness
 * is guessed by `vx_ensure_signed`. Slots are always saved as raw unsigned bytes.
 * A failed load or save leaves the slot, and any file already at the target, as it was. */
#include "byte_reader.h"
#include "file_read.h"
#include "sample_slot.h"
#include "vxa_mod_extras.h"
#include "vxa_mod_internal.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t k_min_sample_file = 2;
constexpr size_t k_max_sample_file = 2097152; /* 2 MiB */
constexpr uint32_t k_min_saved_sample = 2;    /* bytes */
constexpr size_t k_min_wave_file = 44;
constexpr size_t k_first_chunk = 12;
constexpr size_t k_chunk_header = 8;
constexpr uint8_t k_sign_bit = 0x80;

uint32_t read_u32le(const vx_reader &r, size_t offset)
{
    return static_cast<uint32_t>(vx_reader_u8(r, offset)) |
           static_cast<uint32_t>(vx_reader_u8(r, offset + 1)) << 8 |
           static_cast<uint32_t>(vx_reader_u8(r, offset + 2)) << 16 |
           static_cast<uint32_t>(vx_reader_u8(r, offset + 3)) << 24;
}

/* Where the sound lies in a file, and whether it is known to be unsigned. */
struct sound_span {
    size_t start;
    size_t count;
    bool is_unsigned; /* false: raw data of unknown signedness */
};

/* Walks the RIFF chunks from byte 12 (odd sizes carry a pad byte) to the first
 * "data" chunk, clipped to the file. A walk that runs past the end without meeting
 * one takes the whole file as unsigned data. */
sound_span find_wave_sound(const vx_reader &file)
{
    uint64_t chunk = k_first_chunk;
    while (chunk + k_chunk_header <= file.size) {
        const uint32_t size = read_u32le(file, chunk + 4);
        const uint64_t data_start = chunk + k_chunk_header;
        if (std::memcmp(vx_reader_span(file, chunk, 4), "data", 4) == 0) {
            const uint64_t room = file.size - data_start;
            return {static_cast<size_t>(data_start), static_cast<size_t>(size < room ? size : room),
                    true};
        }
        chunk = data_start + size + (size & 1u);
    }
    return {0, file.size, true};
}

sound_span find_sound(const vx_reader &file)
{
    const bool is_wave = file.size >= k_min_wave_file && std::memcmp(file.bytes, "RIFF", 4) == 0;
    return is_wave ? find_wave_sound(file) : sound_span{0, file.size, false};
}

void flip_sign_bits(uint8_t *bytes, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        bytes[i] ^= k_sign_bit;
}

/* The slot's name after the file: the part after the last backslash, else after the
 * last slash; upper case, with control, lower-case-range and non-ASCII bytes shown as
 * spaces, at most 22 bytes, extension included. */
void name_after_file(char *name, const char *path)
{
    const char *base = std::strrchr(path, '\\');
    if (!base)
        base = std::strrchr(path, '/');
    base = base ? base + 1 : path;
    std::memset(name, 0, k_name_chars + 1);
    for (int i = 0; i < k_name_chars && base[i] != '\0'; ++i) {
        uint8_t c = static_cast<uint8_t>(base[i]);
        if (c >= 'a' && c <= 'z')
            c = static_cast<uint8_t>(c - 'a' + 'A');
        name[i] = c < 0x20 || c >= 0x60 ? ' ' : static_cast<char>(c);
    }
}

/* What every sample load does to its slot once the new sound is complete. */
void install_loaded_sound(vxa_mod *mod, int32_t slot, int8_t *data, uint32_t length,
                          const char *name)
{
    vxa_sample *target = &mod->samples[slot - 1];
    vx_sample_replace_data(target, data, length);
    vx_sample_remove_loop(target);
    target->finetune = 0;
    if (target->volume == 0)
        target->volume = k_max_volume;
    std::memcpy(target->name, name, sizeof target->name);
    if (slot > mod->num_samples)
        mod->num_samples = slot;
}

} // namespace

void vx_ensure_signed(uint8_t *buffer, size_t count)
{
    if (!buffer || count == 0)
        return;
    uint32_t as_read = 0;
    uint32_t flipped = 0;
    for (size_t i = 1; i < count; ++i) {
        const int a = buffer[i - 1];
        const int b = buffer[i];
        as_read += static_cast<uint32_t>(std::abs(b - a));
        flipped += static_cast<uint32_t>(std::abs((b ^ k_sign_bit) - (a ^ k_sign_bit)));
    }
    /* Only data strictly smoother when read as unsigned is converted; a tie stays. */
    if (as_read < flipped)
        flip_sign_bits(buffer, count);
}

int32_t vxa_mod_load_sample(vxa_mod *mod, int32_t slot, const char *path)
{
    if (!vx_slot_any(mod, static_cast<uint32_t>(slot)) || !path)
        return -1;
    size_t size = 0;
    uint8_t *bytes =
        vx_file_read(path, k_min_sample_file, k_max_sample_file, vx_excess_refused, &size);
    if (!bytes)
        return -1;
    const sound_span sound = find_sound({bytes, size});
    const auto length = static_cast<size_t>(vx_even(sound.count));
    /* The new sound is complete before the old one goes: a failure keeps the slot. */
    auto *data = length >= 2 ? static_cast<uint8_t *>(std::malloc(length)) : nullptr;
    if (data) {
        std::memcpy(data, bytes + sound.start, length);
        if (sound.is_unsigned)
            flip_sign_bits(data, length);
        else
            vx_ensure_signed(data, length);
    }
    std::free(bytes);
    if (!data)
        return -1;
    char name[k_name_chars + 1];
    name_after_file(name, path);
    install_loaded_sound(mod, slot, reinterpret_cast<int8_t *>(data), static_cast<uint32_t>(length),
                         name);
    return 0;
}

int32_t vxa_mod_move_sample(vxa_mod *to, int32_t to_slot, vxa_mod *from, int32_t from_slot)
{
    vxa_sample *target = vx_slot_any(to, static_cast<uint32_t>(to_slot));
    vxa_sample *source = vx_slot_any(from, static_cast<uint32_t>(from_slot));
    if (!target || !source || target == source || !source->data)
        return -1;
    install_loaded_sound(to, to_slot, source->data, source->length, source->name);
    source->data = nullptr;
    source->length = 0;
    return 0;
}

size_t vxa_mod_sample_image(const vxa_mod *mod, uint32_t slot, uint8_t *out, size_t capacity)
{
    const vxa_sample *source =
        vx_slot_with_sound(const_cast<vxa_mod *>(mod), slot, k_min_saved_sample);
    if (!source)
        return 0;
    if (out && capacity >= source->length) {
        std::memcpy(out, source->data, source->length);
        flip_sign_bits(out, source->length);
    }
    return source->length;
}

int32_t vxa_mod_save_sample(vxa_mod *mod, uint32_t slot, const char *path)
{
    if (!path)
        return -1;
    const size_t size = vxa_mod_sample_image(mod, slot, nullptr, 0);
    auto *image = size ? static_cast<uint8_t *>(std::malloc(size)) : nullptr;
    if (!image)
        return -1;
    vxa_mod_sample_image(mod, slot, image, size);
    const vxa_write_status status = vxa_mod_write_file(path, image, size, VXA_WRITE_REPLACE);
    std::free(image);
    return status == VXA_WRITE_OK ? 0 : -1;
}
