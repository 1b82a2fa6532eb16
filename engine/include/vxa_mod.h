/* vxa_mod.h - the module engine's public interface.
 * One four-channel MOD module in memory: load, save, play, edit, render.
 * Every call accepts a null handle and then does nothing and returns its
 * neutral result. Calls with a status return 0 on success, -1 on failure. */
#ifndef VXA_MOD_H
#define VXA_MOD_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct vxa_mod vxa_mod; /* opaque engine context */

typedef struct vxa_cell {
    uint8_t note;   /* 0 = none, 1..36 = C-1..B-3 */
    uint8_t sample; /* 0 = none, 1..31 */
    uint8_t effect; /* 0..15 */
    uint8_t param;  /* 0..255 */
} vxa_cell;

typedef struct vxa_sample_info {
    uint8_t volume;
    uint32_t length;
    uint32_t loop_start;
    uint32_t loop_length;
    char name[23];
} vxa_sample_info;

typedef struct vxa_status {
    uint32_t playing;
    uint32_t recording;
    uint32_t play_mode;
    int32_t order_pos;
    int32_t song_length;
    uint32_t pattern;
    int32_t row;
    int32_t tick;
    int32_t speed;
    int32_t tempo;
    int32_t num_patterns;
    uint8_t chan_volume[4];
    uint8_t vu[4];
    uint8_t chan_out[4];
    uint8_t muted[4];
    uint32_t minutes;
    uint32_t seconds;
} vxa_status;

/* lifecycle */
vxa_mod *vxa_mod_create(int32_t rate);
void vxa_mod_destroy(vxa_mod *mod);
void vxa_mod_unload(vxa_mod *mod);

/* module files */
int32_t vxa_mod_load(vxa_mod *mod, const char *path);
int32_t vxa_mod_save(vxa_mod *mod, const char *path);

/* rendering: 2 * frames interleaved floats, left then right */
void vxa_mod_render(vxa_mod *mod, float *out, int32_t frames);

/* transport */
void vxa_mod_play(vxa_mod *mod);
void vxa_mod_play_mode(vxa_mod *mod, int32_t mode, int32_t record);
void vxa_mod_play_mode_at(vxa_mod *mod, int32_t mode, int32_t record, int32_t row);
void vxa_mod_stop(vxa_mod *mod);
void vxa_mod_shut_up(vxa_mod *mod);
int32_t vxa_mod_is_playing(const vxa_mod *mod);
int32_t vxa_mod_is_recording(const vxa_mod *mod);
int32_t vxa_mod_play_mode_get(const vxa_mod *mod);
int32_t vxa_mod_restart(const vxa_mod *mod);
void vxa_mod_step_row(vxa_mod *mod, int32_t delta);
void vxa_mod_set_row(vxa_mod *mod, int32_t row);
void vxa_mod_step_order(vxa_mod *mod, int32_t delta);
void vxa_mod_step_pattern(vxa_mod *mod, int32_t delta);
void vxa_mod_step_length(vxa_mod *mod, int32_t delta);
void vxa_mod_step_restart(vxa_mod *mod, int32_t delta);

/* pattern cells, notes, live notes, mutes */
int32_t vxa_mod_get_cell(const vxa_mod *mod, int32_t pattern, uint32_t row, uint32_t channel,
                         vxa_cell *out);
int32_t vxa_mod_set_cell(vxa_mod *mod, int32_t pattern, uint32_t row, uint32_t channel,
                         const vxa_cell *in);
void vxa_mod_transpose(vxa_mod *mod, int32_t pattern, int32_t channel, int32_t semitones,
                       int32_t note);
void vxa_mod_trigger(vxa_mod *mod, uint32_t channel, uint32_t note, uint32_t sample);
void vxa_mod_cut_channel(vxa_mod *mod, uint32_t channel);
void vxa_mod_note_name(uint8_t note, char *buffer, size_t size);
int32_t vxa_mod_chan_muted(const vxa_mod *mod, uint32_t channel);
int32_t vxa_mod_toggle_mute(vxa_mod *mod, uint32_t channel);
void vxa_mod_set_mute(vxa_mod *mod, uint32_t channel, int32_t on);

/* sample files and sample editing (slots 1..31) */
int32_t vxa_mod_load_sample(vxa_mod *mod, int32_t slot, const char *path);
void vx_ensure_signed(uint8_t *buffer, size_t count);
int32_t vxa_mod_save_sample(vxa_mod *mod, uint32_t slot, const char *path);
int32_t vxa_mod_clear_sample(vxa_mod *mod, uint32_t slot);
void vxa_mod_set_sample_volume(vxa_mod *mod, uint32_t slot, int32_t delta);
void vxa_mod_step_loop_start(vxa_mod *mod, uint32_t slot, int32_t delta);
void vxa_mod_step_loop_length(vxa_mod *mod, uint32_t slot, int32_t delta);
void vxa_mod_set_loop_mark_a(vxa_mod *mod, uint32_t slot, uint32_t offset);
void vxa_mod_set_loop_mark_b(vxa_mod *mod, uint32_t slot, uint32_t offset);
int32_t vxa_mod_crop_sample(vxa_mod *mod, uint32_t slot, uint32_t from, uint32_t count);
int32_t vxa_mod_cut_sample_head(vxa_mod *mod, int32_t slot);
int32_t vxa_mod_cut_sample_tail(vxa_mod *mod, int32_t slot);
int32_t vxa_mod_trim_sample_to_loop(vxa_mod *mod, int32_t slot);
int32_t vxa_mod_get_sample_info(const vxa_mod *mod, int32_t slot, vxa_sample_info *out);
void vxa_mod_set_title(vxa_mod *mod, const char *text);
void vxa_mod_set_sample_name(vxa_mod *mod, uint32_t slot, const char *text);

/* status and visual feeds */
const char *vxa_mod_title(const vxa_mod *mod);
const char *vxa_mod_sample_name(const vxa_mod *mod, int32_t slot);
int32_t vxa_mod_position(const vxa_mod *mod);
int32_t vxa_mod_order_length(const vxa_mod *mod);
void vxa_mod_get_status(const vxa_mod *mod, vxa_status *out);
void vxa_mod_display_tick(vxa_mod *mod);
void vxa_mod_get_spectrum(const vxa_mod *mod, uint8_t *out24);
int32_t vxa_mod_get_sample_wave(const vxa_mod *mod, int32_t slot, uint8_t *out, int32_t width);
void vxa_mod_get_play_time(const vxa_mod *mod, uint32_t *minutes, uint32_t *seconds);
void vxa_mod_get_scope(const vxa_mod *mod, int32_t channel, uint8_t *out, int32_t count);

#ifdef __cplusplus
}
#endif

#endif
