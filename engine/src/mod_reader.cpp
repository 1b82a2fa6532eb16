/* mod_reader.cpp - reading a four-channel MOD file into the context, in the 31-sample
 * form (signature "M.K.", "M!K!", "FLT4" or "4CHN") or the older 15-sample form, and
 * moving a module read into a scratch context into the context that plays it.
 *
 * The file is read with one read, at most as much as a module can use, and parsed
 * through the bounds-checked reader. A file is taken whole or refused: a failure leaves
 * the context without patterns and without sample data. Files of other formats (more
 * channels, other headers) are refused rather than read as 15-sample modules, which
 * would play them as noise. */
#include "byte_reader.h"
#include "file_read.h"
#include "tables.h"
#include "text.h"
#include "vxa_mod_extras.h"
#include "vxa_mod_internal.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t k_min_file_size = VXA_MOD_PATTERNS_AT;
constexpr uint32_t k_empty_sample_max_bytes = 2;
constexpr const char *k_signatures[] = {VXA_MOD_SIGNATURE, "M!K!", "FLT4", "4CHN"};
/* Signatures of modules with other channel counts; besides these, a digit and "CHN"
 * (other than "4CHN"), two digits and "CH" or "CN", and "TDZ" and a digit. */
constexpr const char *k_foreign_signatures[] = {"FLT8", "OCTA", "OKTA", "CD81"};
/* The start of another tracker format's file. */
constexpr char k_foreign_header[] = "Extended Module: ";

static_assert(VXA_MOD_SONG_LENGTH_AT(VXA_MOD_SLOTS) == 950 && VXA_MOD_SIGNATURE_AT == 1080 &&
              VXA_MOD_PATTERNS_AT == 1084 && VXA_MOD_OLD_PATTERNS_AT == 600);

/* Where the parts of the file start; depends on the form. */
struct mod_layout {
    int num_samples;
    size_t song_length_offset; /* restart position follows, then the order table */
    size_t patterns_offset;
};

bool is_digit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

bool is_foreign_signature(const uint8_t *s)
{
    for (const char *known : k_foreign_signatures) {
        if (std::memcmp(s, known, VXA_MOD_SIGNATURE_BYTES) == 0)
            return true;
    }
    const bool digit_chn = is_digit(s[0]) && std::memcmp(s + 1, "CHN", 3) == 0;
    const bool digits_ch =
        is_digit(s[0]) && is_digit(s[1]) && s[2] == 'C' && (s[3] == 'H' || s[3] == 'N');
    const bool tdz = std::memcmp(s, "TDZ", 3) == 0 && is_digit(s[3]);
    return digit_chn || digits_ch || tdz;
}

/* The file's form, or false when it is a module of another format. */
bool detect_layout(const vx_reader &file, mod_layout *layout)
{
    const uint8_t *header = vx_reader_span(file, 0, sizeof k_foreign_header - 1);
    if (header && std::memcmp(header, k_foreign_header, sizeof k_foreign_header - 1) == 0)
        return false;
    const uint8_t *signature = vx_reader_span(file, VXA_MOD_SIGNATURE_AT, VXA_MOD_SIGNATURE_BYTES);
    for (const char *known : k_signatures) {
        if (signature && std::memcmp(signature, known, VXA_MOD_SIGNATURE_BYTES) == 0) {
            *layout = {VXA_MOD_SLOTS, VXA_MOD_SONG_LENGTH_AT(VXA_MOD_SLOTS), VXA_MOD_PATTERNS_AT};
            return true;
        }
    }
    *layout = {VXA_MOD_OLD_SLOTS, VXA_MOD_SONG_LENGTH_AT(VXA_MOD_OLD_SLOTS),
               VXA_MOD_OLD_PATTERNS_AT};
    return !(signature && is_foreign_signature(signature));
}

void read_sample_header(const vx_reader &file, size_t offset, vxa_sample *slot)
{
    vx_text_from_padded(slot->name, vx_reader_span(file, offset, k_name_chars), k_name_chars);
    slot->length = vx_reader_u16be(file, offset + VXA_MOD_SAMPLE_LENGTH_AT) * 2u;
    slot->finetune = vx_reader_u8(file, offset + VXA_MOD_SAMPLE_FINETUNE_AT) & 0x0F;
    slot->volume = vx_reader_u8(file, offset + VXA_MOD_SAMPLE_VOLUME_AT);
    if (slot->volume > k_max_volume)
        slot->volume = k_max_volume;
    slot->loop_start = vx_reader_u16be(file, offset + VXA_MOD_SAMPLE_LOOP_START_AT) * 2u;
    slot->loop_length = vx_reader_u16be(file, offset + VXA_MOD_SAMPLE_LOOP_LENGTH_AT) * 2u;
}

/* Song length (limited to the 128 orders), restart position and order table; returns
 * the pattern count the song needs. */
int read_song(const vx_reader &file, size_t offset, vxa_mod *mod)
{
    int song_length = vx_reader_u8(file, offset);
    if (song_length > k_max_orders)
        song_length = k_max_orders;
    mod->song_length = song_length;
    const int restart = vx_reader_u8(file, offset + 1);
    mod->restart_pos = restart < song_length ? restart : 0;
    std::memcpy(mod->orders, vx_reader_span(file, offset + 2, k_max_orders), k_max_orders);
    return vx_song_pattern_count(mod->orders, song_length);
}

/* File cells hold a 12-bit period and a split sample number; memory cells a note. */
void convert_patterns(const uint8_t *from, uint8_t *to, size_t cells)
{
    for (size_t i = 0; i < cells; ++i, from += 4, to += 4) {
        const uint32_t period = (from[0] & 0x0Fu) << 8 | from[1];
        to[0] = period_to_note(period);
        to[1] = static_cast<uint8_t>((from[0] & 0xF0) | (from[2] >> 4));
        to[2] = from[2] & 0x0F;
        to[3] = from[3];
    }
}

/* Copies each slot's data from `offset` on; -1 when the file ends too early. */
int32_t read_sample_data(const vx_reader &file, size_t offset, vxa_mod *mod)
{
    for (int n = 0; n < mod->num_samples; ++n) {
        vxa_sample &slot = mod->samples[n];
        if (slot.length <= k_empty_sample_max_bytes) {
            /* An announced 0 or 2 bytes make an empty slot, but are still skipped. */
            offset += slot.length;
            slot.length = 0;
            slot.loop_start = 0;
            slot.loop_length = 0;
            continue;
        }
        const uint8_t *bytes = vx_reader_span(file, offset, slot.length);
        if (!bytes)
            return -1;
        slot.data = static_cast<int8_t *>(std::malloc(slot.length));
        if (!slot.data)
            return -1;
        std::memcpy(slot.data, bytes, slot.length);
        offset += slot.length;
        vx_sample_fit_loop(&slot);
    }
    return 0;
}

int32_t parse_module(const vx_reader &file, vxa_mod *mod)
{
    mod_layout layout{};
    if (!detect_layout(file, &layout))
        return -1;
    mod->num_samples = layout.num_samples;
    vx_text_from_padded(mod->title, vx_reader_span(file, 0, k_title_chars), k_title_chars);
    for (int n = 0; n < layout.num_samples; ++n)
        read_sample_header(file, VXA_MOD_HEADERS_AT + n * VXA_MOD_SAMPLE_HEADER_BYTES,
                           &mod->samples[n]);

    const int num_patterns = read_song(file, layout.song_length_offset, mod);
    const size_t pattern_bytes = static_cast<size_t>(num_patterns) * k_pattern_bytes;
    const uint8_t *cells = vx_reader_span(file, layout.patterns_offset, pattern_bytes);
    if (!cells)
        return -1;
    mod->patterns = static_cast<uint8_t *>(std::calloc(pattern_bytes, 1));
    if (!mod->patterns)
        return -1;
    mod->num_patterns = num_patterns;
    convert_patterns(cells, mod->patterns, pattern_bytes / k_cell_bytes);

    if (read_sample_data(file, layout.patterns_offset + pattern_bytes, mod) != 0) {
        vxa_mod_unload(mod);
        return -1;
    }
    return 0;
}

} // namespace

uint8_t period_to_note(uint32_t period)
{
    if (period == 0)
        return 0;
    int best = 0;
    uint32_t best_distance = UINT32_MAX;
    for (int i = 0; i < k_num_notes; ++i) {
        const uint32_t distance =
            period > k_periods[i] ? period - k_periods[i] : k_periods[i] - period;
        /* Strictly smaller: on a tie the earlier, lower note wins. */
        if (distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    return static_cast<uint8_t>(best + 1);
}

int32_t vxa_mod_load(vxa_mod *mod, const char *path)
{
    if (!mod || !path)
        return -1;
    vxa_mod_unload(mod);
    const vx_file_bytes file =
        vx_file_read(path, k_min_file_size, VXA_MOD_MAX_FILE_BYTES, vx_excess_ignored);
    if (!file.bytes)
        return -1;
    const int32_t result = vxa_mod_load_image(mod, file.bytes, file.size);
    std::free(file.bytes);
    return result;
}

int32_t vxa_mod_load_image(vxa_mod *mod, const uint8_t *bytes, size_t size)
{
    if (!mod || !bytes)
        return -1;
    vxa_mod_unload(mod);
    if (size < k_min_file_size)
        return -1;
    /* The bytes past what a module can use are ignored, as the file reader ignores them. */
    const size_t used = size < VXA_MOD_MAX_FILE_BYTES ? size : VXA_MOD_MAX_FILE_BYTES;
    const int32_t result = parse_module(vx_reader{bytes, used}, mod);
    if (result == 0)
        vx_context_reset_transport(mod);
    return result;
}

int32_t vxa_mod_move_module(vxa_mod *to, vxa_mod *from)
{
    if (!to || !from || to == from || !from->patterns)
        return -1;
    /* What a load sets, taken from the load into `from`; the rest of `to` stays, as it
     * does through a load. Slots above the module's count keep their fields. */
    vxa_mod_unload(to);
    std::memcpy(to->title, from->title, sizeof to->title);
    to->num_samples = from->num_samples;
    for (int n = 0; n < from->num_samples; ++n) {
        to->samples[n] = from->samples[n];
        from->samples[n].data = nullptr;
    }
    to->song_length = from->song_length;
    to->restart_pos = from->restart_pos;
    std::memcpy(to->orders, from->orders, sizeof to->orders);
    to->patterns = from->patterns;
    to->num_patterns = from->num_patterns;
    from->patterns = nullptr;
    vxa_mod_unload(from);
    vx_context_reset_transport(to);
    return 0;
}
