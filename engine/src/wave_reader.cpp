/* wave_reader.cpp - the sound of a RIFF WAVE file, as a slot's signed 8-bit mono bytes.
 *
 * The chunks are walked from byte 12 (odd sizes carry a pad byte), and the first "fmt ",
 * "data" and "smpl" chunk count, each clipped to the file. The format chunk says how the
 * data chunk's frames are stored: integer PCM of 8 (unsigned), 16, 24 or 32 bits, or
 * 32-bit float, named directly or as the extensible format's subformat, with any number
 * of channels. Any other form (compressed, 12-bit, 64-bit float, ...) is refused rather
 * than played as noise. A file without a format chunk holds 8-bit unsigned mono data,
 * as such files were always read, and one without a data chunk is that data whole.
 *
 * Conversion: the channels of a frame are averaged and scaled to 8 bits, rounded to the
 * nearest step (halves away from zero), without dither. Integer values exactly: the sum
 * of the channels divided by channels x 2^(bits - 8); float values with 1.0 as full
 * scale (x 128). Results beyond -128..127 (a full-scale positive value, a float past
 * +-1) are clipped, and a float that is not a number is silence. 8-bit mono data thus
 * keeps every byte (only its sign bit flips), and a 16-bit value v becomes v / 256. */
#include "wave_reader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t k_min_wave_file = 44; /* bytes: the RIFF header and two chunk headers */
constexpr size_t k_first_chunk = 12;
constexpr size_t k_chunk_header = 8;
constexpr size_t k_chunk_id_bytes = 4;

/* The format chunk's fields, in bytes from its start (little-endian). */
constexpr size_t k_format_bytes = 16; /* tag, channels, rate, byte rate, block align, bits */
constexpr size_t k_channels_at = 2;
constexpr size_t k_block_align_at = 12;
constexpr size_t k_bits_at = 14;
constexpr size_t k_subformat_at = 24; /* a GUID that begins with the format tag */
constexpr size_t k_tag_bytes = 2;
/* The rest of the subformat GUID for the tags the extensible format can carry. */
constexpr uint8_t k_subformat_tail[] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr uint16_t k_tag_pcm = 0x0001;
constexpr uint16_t k_tag_float = 0x0003;
constexpr uint16_t k_tag_extensible = 0xFFFE;
constexpr uint32_t k_max_value_bytes = 4;
constexpr uint32_t k_float_bytes = 4;

/* The sampler chunk: a loop count, then loops of 24 bytes whose start and end (the last
 * frame played) count frames. */
constexpr size_t k_loop_count_at = 28;
constexpr size_t k_first_loop_at = 36;
constexpr size_t k_loop_bytes = 24;
constexpr size_t k_loop_start_at = 8;
constexpr size_t k_loop_end_at = 12;

constexpr int32_t k_unsigned_zero = 128; /* 8-bit WAVE values are unsigned */
constexpr uint32_t k_bits_per_byte = 8;
constexpr int64_t k_lowest_out = -128;
constexpr int64_t k_highest_out = 127;
constexpr double k_float_full_scale = 128.0; /* 8-bit steps for a float value of 1.0 */

uint16_t read_u16le(const vx_reader &r, size_t offset)
{
    return static_cast<uint16_t>(vx_reader_u8(r, offset) | vx_reader_u8(r, offset + 1) << 8);
}

uint32_t read_u32le(const vx_reader &r, size_t offset)
{
    return static_cast<uint32_t>(read_u16le(r, offset)) |
           static_cast<uint32_t>(read_u16le(r, offset + 2)) << 16;
}

/* The chunks the reader uses, each the first of its kind; one not found is empty. */
struct wave_chunks {
    vx_reader format;
    vx_reader data;
    vx_reader sampler;
    bool has_format;
    bool has_data;
    bool has_sampler;
};

/* Keeps `body` as the chunk `name` when the chunk is that one and none was kept yet. */
void keep_first(const uint8_t *id, const char *name, const vx_reader &body, vx_reader *kept,
                bool *has)
{
    if (!*has && std::memcmp(id, name, k_chunk_id_bytes) == 0) {
        *kept = body;
        *has = true;
    }
}

wave_chunks find_chunks(const vx_reader &file)
{
    wave_chunks chunks{};
    uint64_t chunk = k_first_chunk;
    while (chunk + k_chunk_header <= file.size) {
        const uint32_t size = read_u32le(file, chunk + k_chunk_id_bytes);
        const uint64_t start = chunk + k_chunk_header;
        const uint64_t room = file.size - start;
        const vx_reader body{file.bytes + start, static_cast<size_t>(size < room ? size : room)};
        const uint8_t *id = vx_reader_span(file, chunk, k_chunk_id_bytes);
        keep_first(id, "fmt ", body, &chunks.format, &chunks.has_format);
        keep_first(id, "data", body, &chunks.data, &chunks.has_data);
        keep_first(id, "smpl", body, &chunks.sampler, &chunks.has_sampler);
        chunk = start + size + (size & 1u);
    }
    return chunks;
}

/* The storage the format chunk names; false for a form that cannot be converted. */
bool read_format(const vx_reader &format, vx_wave *out)
{
    if (format.size < k_format_bytes)
        return false;
    uint16_t tag = read_u16le(format, 0);
    if (tag == k_tag_extensible) {
        const uint8_t *tail =
            vx_reader_span(format, k_subformat_at + k_tag_bytes, sizeof k_subformat_tail);
        if (!tail || std::memcmp(tail, k_subformat_tail, sizeof k_subformat_tail) != 0)
            return false;
        tag = read_u16le(format, k_subformat_at);
    }
    const uint32_t channels = read_u16le(format, k_channels_at);
    const uint32_t bits = read_u16le(format, k_bits_at);
    const uint32_t value_bytes = bits / k_bits_per_byte;
    const bool whole_bytes =
        bits % k_bits_per_byte == 0 && value_bytes >= 1 && value_bytes <= k_max_value_bytes;
    const bool known =
        whole_bytes && (tag == k_tag_pcm || (tag == k_tag_float && value_bytes == k_float_bytes));
    /* A frame must be exactly its values: no padding the reader would have to guess. */
    if (!known || channels == 0 || read_u16le(format, k_block_align_at) != channels * value_bytes)
        return false;
    out->channels = channels;
    out->value_bytes = value_bytes;
    out->is_float = tag == k_tag_float;
    return true;
}

/* The first loop of a sampler chunk, if it has one. Forward, alternating and backward
 * loops alike become a forward loop over the same frames, the only kind a slot plays. */
void read_loop(const vx_reader &sampler, vx_wave *out)
{
    if (read_u32le(sampler, k_loop_count_at) == 0 ||
        !vx_reader_has(sampler, k_first_loop_at, k_loop_bytes))
        return;
    out->loop_start = read_u32le(sampler, k_first_loop_at + k_loop_start_at);
    out->loop_end = static_cast<uint64_t>(read_u32le(sampler, k_first_loop_at + k_loop_end_at)) + 1;
}

/* One integer value as a signed number: 8-bit values are unsigned around 128, wider
 * ones two's complement. */
int32_t integer_value(const uint8_t *at, uint32_t bytes)
{
    if (bytes == 1)
        return at[0] - k_unsigned_zero;
    uint32_t raw = 0;
    for (uint32_t i = 0; i < bytes; ++i)
        raw |= static_cast<uint32_t>(at[i]) << (k_bits_per_byte * i);
    const uint32_t unused = 32 - k_bits_per_byte * bytes;
    return static_cast<int32_t>(raw << unused) >> unused; /* brings the sign down */
}

int8_t clipped(int64_t value)
{
    return static_cast<int8_t>(std::clamp(value, k_lowest_out, k_highest_out));
}

int8_t integer_frame(const uint8_t *frame, const vx_wave &wave)
{
    int64_t sum = 0;
    for (uint32_t c = 0; c < wave.channels; ++c)
        sum += integer_value(frame + c * wave.value_bytes, wave.value_bytes);
    const uint64_t divisor = static_cast<uint64_t>(wave.channels)
                             << (k_bits_per_byte * (wave.value_bytes - 1));
    const uint64_t magnitude = static_cast<uint64_t>(sum < 0 ? -sum : sum);
    const auto steps = static_cast<int64_t>((2 * magnitude + divisor) / (2 * divisor));
    return clipped(sum < 0 ? -steps : steps);
}

int8_t float_frame(const uint8_t *frame, const vx_wave &wave)
{
    double sum = 0.0;
    for (uint32_t c = 0; c < wave.channels; ++c) {
        const vx_reader value{frame + c * k_float_bytes, k_float_bytes};
        sum += std::bit_cast<float>(read_u32le(value, 0));
    }
    const double steps = std::round(sum / wave.channels * k_float_full_scale);
    if (std::isnan(steps))
        return 0;
    /* Clipped as a double: a value far out of range has no integer to convert to. */
    return static_cast<int8_t>(
        std::clamp(steps, static_cast<double>(k_lowest_out), static_cast<double>(k_highest_out)));
}

} // namespace

bool vx_wave_is_riff(const vx_reader &file)
{
    const uint8_t *id = vx_reader_span(file, 0, k_chunk_id_bytes);
    return file.size >= k_min_wave_file && id && std::memcmp(id, "RIFF", k_chunk_id_bytes) == 0;
}

bool vx_wave_parse(const vx_reader &file, vx_wave *out)
{
    const wave_chunks chunks = find_chunks(file);
    *out = vx_wave{};
    out->sound = file;
    out->channels = 1;
    out->value_bytes = 1;
    if (chunks.has_data) {
        if (chunks.has_format && !read_format(chunks.format, out))
            return false;
        out->sound = chunks.data;
    }
    out->frames = out->sound.size / (out->channels * out->value_bytes);
    if (chunks.has_sampler)
        read_loop(chunks.sampler, out);
    return true;
}

void vx_wave_convert(const vx_wave &wave, size_t frames, int8_t *out)
{
    const size_t frame_bytes = static_cast<size_t>(wave.channels) * wave.value_bytes;
    const uint8_t *frame = wave.sound.bytes;
    for (size_t i = 0; i < frames && i < wave.frames; ++i, frame += frame_bytes)
        out[i] = wave.is_float ? float_frame(frame, wave) : integer_frame(frame, wave);
}
