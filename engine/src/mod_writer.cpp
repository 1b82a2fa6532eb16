/* mod_writer.cpp - the context as a 31-sample "M.K." MOD file: its bytes in memory, and
 * the file written from them.
 *
 * Every written file reads back to the same song: the writer writes exactly the
 * patterns the reader will count for it, and describes every sample with a length
 * word that agrees with the data written. The image is built in memory first, so a
 * caller holding the engine lock never waits on the disk; the file then replaces its
 * target only when complete (vxa_mod_write_file). The writer never changes the context. */
#include "text.h"
#include "vxa_mod_extras.h"
#include "vxa_mod_internal.h"

#include <cstdlib>
#include <cstring>

namespace {

/* Where the next bytes of an image go; the image's size is checked before writing. */
struct image_cursor {
    uint8_t *at;
};

void put(image_cursor *out, const void *bytes, size_t count)
{
    if (count == 0)
        return; /* an empty slot's data may be null */
    std::memcpy(out->at, bytes, count);
    out->at += count;
}

void put_u16be(uint8_t *out, uint32_t value)
{
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}

/* Bytes of a slot's data that go into the file. */
uint32_t written_length(const vxa_sample &slot)
{
    if (!slot.data || slot.length < 2)
        return 0;
    return slot.length < VXA_MOD_MAX_SAMPLE_BYTES ? slot.length : VXA_MOD_MAX_SAMPLE_BYTES;
}

/* The written data: an odd length gets one zero byte, as the length word rounds up. */
uint32_t written_bytes(const vxa_sample &slot)
{
    const uint32_t length = written_length(slot);
    return length + (length & 1);
}

int written_song_length(const vxa_mod *mod)
{
    if (mod->song_length < 1)
        return 1;
    return mod->song_length < k_max_orders ? mod->song_length : k_max_orders;
}

/* Exactly the patterns the reader will count for the written song. */
int written_pattern_count(const vxa_mod *mod)
{
    return vx_song_pattern_count(mod->orders, written_song_length(mod));
}

void put_sample_header(image_cursor *out, const vxa_sample &slot)
{
    uint8_t header[VXA_MOD_SAMPLE_HEADER_BYTES];
    vx_text_to_padded(header, slot.name, k_name_chars);
    put_u16be(header + VXA_MOD_SAMPLE_LENGTH_AT, written_bytes(slot) / 2);
    header[VXA_MOD_SAMPLE_FINETUNE_AT] = slot.finetune & 0x0F;
    header[VXA_MOD_SAMPLE_VOLUME_AT] = slot.volume < k_max_volume ? slot.volume : k_max_volume;
    /* The loop as it fits the written data. */
    vxa_sample fitted = slot;
    fitted.length = written_length(slot);
    vx_sample_fit_loop(&fitted);
    const bool looped = fitted.length >= 2 && fitted.loop_length >= k_min_loop_bytes;
    put_u16be(header + VXA_MOD_SAMPLE_LOOP_START_AT, looped ? fitted.loop_start / 2 : 0);
    put_u16be(header + VXA_MOD_SAMPLE_LOOP_LENGTH_AT,
              looped ? fitted.loop_length / 2 : VXA_MOD_NO_LOOP_WORDS);
    put(out, header, sizeof header);
}

void put_song(image_cursor *out, const vxa_mod *mod)
{
    const int song_length = written_song_length(mod);
    const uint8_t song[2] = {
        static_cast<uint8_t>(song_length),
        static_cast<uint8_t>(mod->restart_pos < song_length ? mod->restart_pos : 0)};
    put(out, song, sizeof song);
    put(out, mod->orders, sizeof mod->orders);
    put(out, VXA_MOD_SIGNATURE, VXA_MOD_SIGNATURE_BYTES);
}

void put_cell(image_cursor *out, const uint8_t *cell)
{
    const uint8_t sample = cell[1];
    const uint32_t period = vxa_mod_note_period(cell[0]);
    const uint8_t bytes[VXA_MOD_CELL_BYTES] = {
        static_cast<uint8_t>((sample & 0x10) | ((period >> 8) & 0x0F)),
        static_cast<uint8_t>(period & 0xFF),
        static_cast<uint8_t>(((sample & 0x0F) << 4) | (cell[2] & 0x0F)), cell[3]};
    put(out, bytes, sizeof bytes);
}

/* A pattern number the module does not hold plays as pattern 0, so it is written so. */
void put_patterns(image_cursor *out, const vxa_mod *mod)
{
    const int count = written_pattern_count(mod);
    for (int p = 0; p < count; ++p) {
        const uint8_t *pattern = mod->patterns + (p < mod->num_patterns ? p : 0) * k_pattern_bytes;
        for (int cell = 0; cell < k_pattern_bytes; cell += k_cell_bytes)
            put_cell(out, pattern + cell);
    }
}

void put_sample_data(image_cursor *out, const vxa_sample &slot)
{
    const uint32_t length = written_length(slot);
    put(out, slot.data, length);
    if (length & 1)
        *out->at++ = 0;
}

size_t image_size(const vxa_mod *mod)
{
    size_t size = VXA_MOD_PATTERNS_AT + static_cast<size_t>(written_pattern_count(mod)) *
                                            static_cast<size_t>(k_pattern_bytes);
    for (const vxa_sample &slot : mod->samples)
        size += written_bytes(slot);
    return size;
}

} // namespace

size_t vxa_mod_module_image(const vxa_mod *mod, uint8_t *out, size_t capacity)
{
    if (!mod || !mod->patterns || mod->num_patterns < 1)
        return 0;
    const size_t size = image_size(mod);
    if (!out || capacity < size)
        return size;
    image_cursor cursor{out};
    uint8_t title[k_title_chars];
    vx_text_to_padded(title, mod->title, k_title_chars);
    put(&cursor, title, sizeof title);
    for (const vxa_sample &slot : mod->samples)
        put_sample_header(&cursor, slot);
    put_song(&cursor, mod);
    put_patterns(&cursor, mod);
    for (const vxa_sample &slot : mod->samples)
        put_sample_data(&cursor, slot);
    return size;
}

int32_t vxa_mod_save(vxa_mod *mod, const char *path)
{
    if (!path)
        return -1;
    const size_t size = vxa_mod_module_image(mod, nullptr, 0);
    auto *image = size ? static_cast<uint8_t *>(std::malloc(size)) : nullptr;
    if (!image)
        return -1;
    vxa_mod_module_image(mod, image, size);
    const vxa_write_status status = vxa_mod_write_file(path, image, size, VXA_WRITE_REPLACE);
    std::free(image);
    return status == VXA_WRITE_OK ? 0 : -1;
}
