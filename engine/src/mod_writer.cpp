/* mod_writer.cpp - writing the context as a 31-sample "M.K." MOD file.
 *
 * Every written file reads back to the same song: the writer writes exactly the
 * patterns the reader will count for it, and describes every sample with a length
 * word that agrees with the data written. The target is replaced only by a complete
 * file (file_io.h). The writer never changes the context. */
#include "file_io.h"
#include "tables.h"
#include "text.h"
#include "vxa_mod_internal.h"

namespace {

constexpr const char k_signature[] = "M.K.";
/* The largest sample a 16-bit length word in words can describe, in bytes. */
constexpr uint32_t k_max_written_sample = 65535u * 2;

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
    return slot.length < k_max_written_sample ? slot.length : k_max_written_sample;
}

void write_sample_header(vx_safe_file *file, const vxa_sample &slot)
{
    uint8_t header[30];
    vx_text_to_padded(header, slot.name, k_name_chars);
    const uint32_t length = written_length(slot);
    put_u16be(header + 22, (length + (length & 1)) / 2);
    header[24] = slot.finetune & 0x0F;
    header[25] = slot.volume < k_max_volume ? slot.volume : k_max_volume;
    /* The loop as it fits the written data; a loop word of 1 means no loop. */
    vxa_sample fitted = slot;
    fitted.length = length;
    vx_sample_fit_loop(&fitted);
    const bool looped = length >= 2 && fitted.loop_length >= k_min_loop_bytes;
    put_u16be(header + 26, looped ? fitted.loop_start / 2 : 0);
    put_u16be(header + 28, looped ? fitted.loop_length / 2 : 1);
    vx_safe_write(file, header, sizeof header);
}

int written_song_length(const vxa_mod *mod)
{
    if (mod->song_length < 1)
        return 1;
    return mod->song_length < k_max_orders ? mod->song_length : k_max_orders;
}

void write_song(vx_safe_file *file, const vxa_mod *mod, int song_length)
{
    const uint8_t song[2] = {
        static_cast<uint8_t>(song_length),
        static_cast<uint8_t>(mod->restart_pos < song_length ? mod->restart_pos : 0)};
    vx_safe_write(file, song, sizeof song);
    vx_safe_write(file, mod->orders, sizeof mod->orders);
    vx_safe_write(file, k_signature, 4);
}

void write_cell(vx_safe_file *file, const uint8_t *cell)
{
    const uint8_t note = cell[0];
    const uint8_t sample = cell[1];
    const uint32_t period = note >= 1 && note <= k_num_notes ? k_periods[note - 1] : 0;
    const uint8_t bytes[4] = {static_cast<uint8_t>((sample & 0x10) | ((period >> 8) & 0x0F)),
                              static_cast<uint8_t>(period & 0xFF),
                              static_cast<uint8_t>(((sample & 0x0F) << 4) | (cell[2] & 0x0F)),
                              cell[3]};
    vx_safe_write(file, bytes, sizeof bytes);
}

/* A pattern number the module does not hold plays as pattern 0, so it is written so. */
void write_patterns(vx_safe_file *file, const vxa_mod *mod, int count)
{
    for (int p = 0; p < count; ++p) {
        const uint8_t *pattern = mod->patterns + (p < mod->num_patterns ? p : 0) * k_pattern_bytes;
        for (int cell = 0; cell < k_pattern_bytes; cell += k_cell_bytes)
            write_cell(file, pattern + cell);
    }
}

void write_sample_data(vx_safe_file *file, const vxa_sample &slot)
{
    const uint32_t length = written_length(slot);
    vx_safe_write(file, slot.data, length);
    if (length & 1) {
        const uint8_t pad = 0;
        vx_safe_write(file, &pad, 1);
    }
}

} // namespace

int32_t vxa_mod_save(vxa_mod *mod, const char *path)
{
    if (!mod || !path || !mod->patterns || mod->num_patterns < 1)
        return -1;
    vx_safe_file file;
    if (vx_safe_open(&file, path) != 0)
        return -1;
    uint8_t title[k_title_chars];
    vx_text_to_padded(title, mod->title, k_title_chars);
    vx_safe_write(&file, title, sizeof title);
    for (const vxa_sample &slot : mod->samples)
        write_sample_header(&file, slot);
    const int song_length = written_song_length(mod);
    write_song(&file, mod, song_length);
    /* Exactly the patterns the reader will count for the written song. */
    write_patterns(&file, mod, vx_song_pattern_count(mod->orders, song_length));
    for (const vxa_sample &slot : mod->samples)
        write_sample_data(&file, slot);
    return vx_safe_commit(&file);
}
