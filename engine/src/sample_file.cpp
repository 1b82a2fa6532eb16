/* sample_file.cpp - loading a sample file into a slot (directly, or into a scratch
 * context and then moved), and a slot as a file: its bytes in memory and the file.
 *
 * Two forms are read, told apart by content and never by file name: RIFF WAVE, whose
 * sound wave_reader.cpp converts to signed 8-bit mono and whose first sampler loop
 * becomes the slot's loop, and raw 8-bit data whose signedness is guessed by
 * `vx_ensure_signed`. Slots are always saved as raw unsigned bytes.
 * A failed load or save leaves the slot, and any file already at the target, as it was. */
#include "byte_reader.h"
#include "file_read.h"
#include "sample_slot.h"
#include "vxa_mod_extras.h"
#include "vxa_mod_internal.h"
#include "wave_reader.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t k_min_sample_file = 2;
constexpr uint32_t k_min_sound = 2;        /* bytes */
constexpr uint32_t k_min_saved_sample = 2; /* bytes */
constexpr uint8_t k_sign_bit = 0x80;

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

/* A sound read from a file, with its loop, before it goes into a slot. */
struct loaded_sound {
    int8_t *data; /* malloc'ed */
    uint32_t length;
    uint32_t loop_start;
    uint32_t loop_length;
};

/* The file's loop [start, end), in frames, which are the slot's bytes, fitted into the
 * sound as every loop is: the start rounded down to even, the end clipped to the sound,
 * the length rounded down to even, and no loop when that leaves fewer than 3 bytes. */
void fit_file_loop(loaded_sound *sound, uint64_t start, uint64_t end)
{
    vxa_sample fitted{};
    fitted.length = sound->length;
    vx_sample_set_loop(&fitted, vx_even(start), end < sound->length ? end : sound->length);
    sound->loop_start = fitted.loop_start;
    sound->loop_length = fitted.loop_length;
}

/* A WAVE file's sound, converted frame by frame. */
vxa_sample_status read_wave(const vx_reader &file, loaded_sound *sound)
{
    vx_wave wave{};
    if (!vx_wave_parse(file, &wave))
        return VXA_SAMPLE_WAV_FORMAT;
    const auto length = static_cast<uint32_t>(vx_even(wave.frames));
    if (length < k_min_sound)
        return VXA_SAMPLE_NO_SOUND;
    sound->data = static_cast<int8_t *>(std::malloc(length));
    if (!sound->data)
        return VXA_SAMPLE_NOT_READ;
    sound->length = length;
    vx_wave_convert(wave, length, sound->data);
    fit_file_loop(sound, wave.loop_start, wave.loop_end);
    return VXA_SAMPLE_LOADED;
}

/* Raw 8-bit data: the whole file to an even length, signed or unsigned as it looks. */
vxa_sample_status read_raw(const vx_reader &file, loaded_sound *sound)
{
    const auto length = static_cast<uint32_t>(vx_even(file.size));
    auto *data = static_cast<uint8_t *>(std::malloc(length));
    if (!data)
        return VXA_SAMPLE_NOT_READ;
    std::memcpy(data, file.bytes, length);
    vx_ensure_signed(data, length);
    sound->data = reinterpret_cast<int8_t *>(data);
    sound->length = length;
    return VXA_SAMPLE_LOADED;
}

/* Why a file that was not read gives no sound. */
vxa_sample_status status_of(vx_read_status read)
{
    switch (read) {
    case vx_read_too_short:
        return VXA_SAMPLE_NO_SOUND;
    case vx_read_too_long:
        return VXA_SAMPLE_TOO_LARGE;
    default:
        return VXA_SAMPLE_NOT_READ;
    }
}

/* What every sample load does to its slot once the new sound is complete. */
void install_loaded_sound(vxa_mod *mod, int32_t slot, const loaded_sound &sound, const char *name)
{
    vxa_sample *target = &mod->samples[slot - 1];
    vx_sample_replace_data(target, sound.data, sound.length);
    target->loop_start = sound.loop_start;
    target->loop_length = sound.loop_length;
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

vxa_sample_status vxa_mod_load_sample_file(vxa_mod *mod, int32_t slot, const char *path)
{
    if (!vx_slot_any(mod, static_cast<uint32_t>(slot)) || !path)
        return VXA_SAMPLE_NOT_READ;
    const vx_file_bytes file =
        vx_file_read(path, k_min_sample_file, VXA_MOD_MAX_SAMPLE_FILE_BYTES, vx_excess_refused);
    if (!file.bytes)
        return status_of(file.status);
    /* The new sound is complete before the old one goes: a failure keeps the slot. */
    const vx_reader bytes{file.bytes, file.size};
    loaded_sound sound{};
    const vxa_sample_status status =
        vx_wave_is_riff(bytes) ? read_wave(bytes, &sound) : read_raw(bytes, &sound);
    std::free(file.bytes);
    if (status != VXA_SAMPLE_LOADED)
        return status;
    char name[k_name_chars + 1];
    name_after_file(name, path);
    install_loaded_sound(mod, slot, sound, name);
    return VXA_SAMPLE_LOADED;
}

int32_t vxa_mod_load_sample(vxa_mod *mod, int32_t slot, const char *path)
{
    return vxa_mod_load_sample_file(mod, slot, path) == VXA_SAMPLE_LOADED ? 0 : -1;
}

int32_t vxa_mod_move_sample(vxa_mod *to, int32_t to_slot, vxa_mod *from, int32_t from_slot)
{
    vxa_sample *target = vx_slot_any(to, static_cast<uint32_t>(to_slot));
    vxa_sample *source = vx_slot_any(from, static_cast<uint32_t>(from_slot));
    if (!target || !source || target == source || !source->data)
        return -1;
    const loaded_sound sound{source->data, source->length, source->loop_start, source->loop_length};
    install_loaded_sound(to, to_slot, sound, source->name);
    source->data = nullptr;
    source->length = 0;
    vx_sample_remove_loop(source);
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
