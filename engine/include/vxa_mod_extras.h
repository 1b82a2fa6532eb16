/* vxa_mod_extras.h - engine calls beyond the fixed interface of vxa_mod.h.
 *
 * Outside the fixed API: these calls serve the controller and the tools, and may grow.
 * They follow the same conventions: a null handle changes nothing and gives the neutral
 * result, statuses are 0 on success and -1 on failure. Usable from C11 and C++.
 *
 * Threads: like every engine call, each call on a context runs under the caller's one
 * engine lock; a context that no other thread can see (a scratch context) needs none.
 * The file writer touches no context. */
#ifndef VXA_MOD_EXTRAS_H
#define VXA_MOD_EXTRAS_H

#include "vxa_mod.h"

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Named values ---------------------------------------------------------------- */
/* Numbers the calls take and report, named once for the engine, the controller and the
 * tools, with the values the fixed interface uses. */

/* What the sequencer follows: the mode of vxa_mod_play_mode, vxa_mod_play_mode_at,
 * vxa_mod_play_mode_get and vxa_status.play_mode. */
typedef enum vxa_play_mode {
    VXA_PLAY_SONG = 0,   /* the order table */
    VXA_PLAY_PATTERN = 1 /* the current pattern, over and over */
} vxa_play_mode;

/* How the replayer reads the effect commands: the mode of vxa_mod_set_replay_mode and
 * vxa_mod_replay_mode_get (see "Replay mode" below). */
typedef enum vxa_replay_mode {
    VXA_REPLAY_REDUCED = 0, /* the default */
    VXA_REPLAY_FULL = 1     /* as the classic four-channel players */
} vxa_replay_mode;

/* The sample editor's three cuts around a slot's loop (vxa_mod_trim_sample). */
typedef enum vxa_trim_op {
    VXA_TRIM_CUT_HEAD = 0, /* vxa_mod_cut_sample_head */
    VXA_TRIM_CUT_TAIL = 1, /* vxa_mod_cut_sample_tail */
    VXA_TRIM_TO_LOOP = 2   /* vxa_mod_trim_sample_to_loop */
} vxa_trim_op;

/* The sample editor's loop markers (vxa_mod_set_loop_mark). */
typedef enum vxa_loop_marker {
    VXA_LOOP_MARKER_A = 0, /* the loop start: vxa_mod_set_loop_mark_a */
    VXA_LOOP_MARKER_B = 1  /* the loop end: vxa_mod_set_loop_mark_b */
} vxa_loop_marker;

/* ---- Sample editing by those names ------------------------------------------------ */

/* The cut `op` (a vxa_trim_op) of slot `slot` (1..num_samples), with that call's result;
 * -1 for an op outside the three. Ops and markers travel as int32 so that any value a C
 * caller passes is defined. */
int32_t vxa_mod_trim_sample(vxa_mod *mod, int32_t slot, int32_t op);

/* Sets `marker` (a vxa_loop_marker) of slot `slot` (1..31) from a byte offset, as its call
 * does; any other marker value changes nothing. */
void vxa_mod_set_loop_mark(vxa_mod *mod, uint32_t slot, int32_t marker, uint32_t offset);

/* ---- Sample files, saying why one did not load ------------------------------------ */

/* The largest sample file read, in bytes (2 MiB): the whole file is read at once. */
#define VXA_MOD_MAX_SAMPLE_FILE_BYTES 2097152

/* What became of a sample file (vxa_mod_load_sample_file). */
typedef enum vxa_sample_status {
    VXA_SAMPLE_LOADED = 0,
    VXA_SAMPLE_NOT_READ,  /* no such file, not a regular file, unreadable, out of memory, or
                             a slot outside 1..31 */
    VXA_SAMPLE_TOO_LARGE, /* longer than VXA_MOD_MAX_SAMPLE_FILE_BYTES */
    VXA_SAMPLE_NO_SOUND,  /* fewer than two bytes of sound */
    VXA_SAMPLE_WAV_FORMAT /* a WAV file whose sound is in a form the engine cannot convert:
                             it reads 8-, 16-, 24- and 32-bit integer and 32-bit float PCM
                             with any number of channels */
} vxa_sample_status;

/* Loads a sample file into slot `slot` (1..31) exactly as `vxa_mod_load_sample` does,
 * and says why a file was refused; a refused file leaves the slot as it was. */
vxa_sample_status vxa_mod_load_sample_file(vxa_mod *mod, int32_t slot, const char *path);

/* ---- Notes and timing ------------------------------------------------------------ */

/* The PAL machine clock periods count in, Hz: a note plays its sample at this clock
 * divided by its period, in bytes per second. */
#define VXA_MOD_PAL_CLOCK_HZ 3546895

/* The Amiga period of note 1..36 (C-1..B-3); 0 for any other value. */
uint16_t vxa_mod_note_period(uint32_t note);

/* Frames a playing context renders before it processes the start of its next row: 0
 * when the very next frame starts a row. Speed and tempo change only at row starts, so
 * the count is exact up to that row; the repeated passes of a row that a pattern delay
 * lengthens belong to it. */
int64_t vxa_mod_frames_to_row_start(const vxa_mod *mod);

/* ---- Replay mode ------------------------------------------------------------------ */
/* The reduced mode is the default: commands 7, 8 and E are stored but inert, finetune is
 * ignored, an arpeggio moves the base period, and a sample number alone restarts the
 * sample. The full mode plays modules as the classic four-channel players do: every E
 * command, tremolo, finetune, arpeggio on the played pitch only, and a sample number
 * alone only sets the volume and the sound the next note starts. The mode belongs to the
 * context; loading a module keeps it. */

/* Any value but VXA_REPLAY_FULL selects the reduced mode. The new mode acts from the
 * next tick; a pattern delay or pattern loop in progress is dropped. */
void vxa_mod_set_replay_mode(vxa_mod *mod, int32_t mode);
/* VXA_REPLAY_REDUCED for a null handle. */
int32_t vxa_mod_replay_mode_get(const vxa_mod *mod);

/* Where the song stands, as one number, to tell when it has played as a whole: the song
 * position, the row, and the pattern loops running on the four channels (passes still
 * to play and start row). Read at a row start: playback from two row starts with the
 * same number goes on through the same rows, so the first row start whose number came
 * before is where the song begins to repeat. In the reduced mode no loops run and the
 * number stands for the position and row alone. 0 for a null handle. */
uint64_t vxa_mod_song_state(const vxa_mod *mod);

/* ---- Moving what was loaded between contexts -------------------------------------- */
/* A file is read and parsed into a scratch context without any lock; only the move into
 * the shared context happens under the lock, and takes no disk work. */

/* Moves the module loaded into `from` into `to`. `to` ends exactly as `vxa_mod_load` of
 * the same file would leave it (what a load resets is reset, what it keeps is kept);
 * `from` ends unloaded. -1, changing nothing, when `from` holds no module. */
int32_t vxa_mod_move_module(vxa_mod *to, vxa_mod *from);

/* Moves the sound `vxa_mod_load_sample` put into `from_slot` of `from` into `to_slot` of
 * `to` (slots 1..31), which ends exactly as `vxa_mod_load_sample` of the same file into
 * it would leave it; the source slot ends empty. -1, changing nothing, when the source
 * slot holds no sound or a slot number is out of range. */
int32_t vxa_mod_move_sample(vxa_mod *to, int32_t to_slot, vxa_mod *from, int32_t from_slot);

/* ---- Files as bytes in memory ----------------------------------------------------- */
/* Each returns the size of the whole file in bytes (0 when there is nothing to save) and
 * writes it to `out` only when `capacity` holds all of it, so a first call with no
 * buffer asks the size. The bytes are exactly what `vxa_mod_save` and
 * `vxa_mod_save_sample` write. */

size_t vxa_mod_module_image(const vxa_mod *mod, uint8_t *out, size_t capacity);
/* 0 for a slot outside 1..31, an empty slot or one shorter than 2 bytes. */
size_t vxa_mod_sample_image(const vxa_mod *mod, uint32_t slot, uint8_t *out, size_t capacity);

/* Loads a module from the `size` bytes of its file, as `vxa_mod_load` reads the file
 * (such as a module image copied out of another context, to play it elsewhere). The
 * bytes are only read, and not kept. */
int32_t vxa_mod_load_image(vxa_mod *mod, const uint8_t *bytes, size_t size);

/* ---- Files written all or nothing ------------------------------------------------- */
/* The bytes go to a temporary file with a short unique name in the target's folder;
 * only a complete file takes the target's name, so a failed write never damages a file
 * already there and leaves nothing behind. */

typedef enum vxa_write_mode {
    VXA_WRITE_REPLACE = 0,  /* replaces a file of that name, keeping its permissions */
    VXA_WRITE_EXCLUSIVE = 1 /* fails with VXA_WRITE_EXISTS when the name is taken */
} vxa_write_mode;

/* Why a write failed, for the caller to tell the user. */
typedef enum vxa_write_status {
    VXA_WRITE_OK = 0,
    VXA_WRITE_EXISTS,         /* exclusive: a file of that name exists */
    VXA_WRITE_READ_ONLY,      /* the file at the target may not be written */
    VXA_WRITE_NO_PERMISSION,  /* the folder may not be written */
    VXA_WRITE_READ_ONLY_DISK, /* the file system is mounted read-only */
    VXA_WRITE_DISK_FULL,      /* no space or quota left */
    VXA_WRITE_TOO_LARGE,      /* larger than the file system or a limit allows */
    VXA_WRITE_NAME_TOO_LONG,  /* the name or the path is longer than allowed */
    VXA_WRITE_NO_FOLDER,      /* the folder does not exist */
    VXA_WRITE_IS_FOLDER,      /* a folder has the target's name */
    VXA_WRITE_NOT_A_FILE,     /* something other than a file has the target's name */
    VXA_WRITE_FAILED          /* any other failure of the system */
} vxa_write_status;

typedef struct vxa_file_writer vxa_file_writer; /* opaque */

/* Starts writing `target`: refuses a target that is a folder, not a regular file, or
 * (replacing) a file the user may not write; creates the temporary file. On success
 * `*out` is the writer, which `vxa_mod_writer_commit` or `vxa_mod_writer_discard` ends;
 * on failure `*out` is null. */
vxa_write_status vxa_mod_writer_open(vxa_file_writer **out, const char *target,
                                     vxa_write_mode mode);
/* Appends bytes. A failure is kept and reported by the commit; later writes are
 * ignored, so callers write straight through and check once. */
void vxa_mod_writer_write(vxa_file_writer *writer, const void *bytes, size_t count);
/* Overwrites bytes already written, from `offset` (a header finished last). */
void vxa_mod_writer_write_at(vxa_file_writer *writer, uint64_t offset, const void *bytes,
                             size_t count);
/* Closes the temporary file and gives it the target's name; on any failure removes it.
 * Ends the writer. */
vxa_write_status vxa_mod_writer_commit(vxa_file_writer *writer);
/* Removes the temporary file and ends the writer. */
void vxa_mod_writer_discard(vxa_file_writer *writer);

/* Open, one write and commit. */
vxa_write_status vxa_mod_write_file(const char *target, const void *bytes, size_t count,
                                    vxa_write_mode mode);

/* ---- Module content taken back and done again ------------------------------------- */
/* Records of the parts of a module an edit changes, for a caller that keeps a history of
 * edits: it reads the part before the edit and, to take the edit back, exchanges the
 * record with the module (the record then holds the edited state, for doing it again).
 * Pattern cells need no record of their own: `vxa_mod_get_cell` and `vxa_mod_set_cell`
 * read and write them exactly, and the title goes through `vxa_mod_title` and
 * `vxa_mod_set_title` as exactly. */

/* The song's order header. */
typedef struct vxa_song_order {
    int32_t song_length; /* positions in use, 0..128 */
    int32_t restart_pos; /* below song_length, else 0 */
    uint8_t orders[128]; /* the pattern at each position, all 128 entries */
} vxa_song_order;

/* Reads the order header; -1 for a null argument. */
int32_t vxa_mod_get_song_order(const vxa_mod *mod, vxa_song_order *out);
/* Writes it back whole: the length limited to 0..128, a restart position outside the
 * song becomes 0, and the current song position is pulled inside the song. Row and tick
 * stay. -1 for a null argument. */
int32_t vxa_mod_set_song_order(vxa_mod *mod, const vxa_song_order *in);

/* One sample slot's content (loop, volume, name, finetune and, when asked for, its
 * sound) and the module's sample count, which loading a sample into a slot may raise. */
typedef struct vxa_slot_state vxa_slot_state; /* opaque */

/* A copy of slot 1..31, with a copy of its sound when `with_sound` is non-zero; null for
 * a null handle, a slot out of range or a lack of memory. Free it with
 * `vxa_mod_free_slot_state`. */
vxa_slot_state *vxa_mod_copy_slot_state(const vxa_mod *mod, uint32_t slot, int32_t with_sound);
/* Exchanges the record with the slot and the sample count: afterwards the slot holds what
 * the record held and the record what the slot held. The sound moves only when the record
 * was copied with it; nothing is copied or allocated. -1 for a null argument or a slot
 * out of range. */
int32_t vxa_mod_swap_slot_state(vxa_mod *mod, uint32_t slot, vxa_slot_state *state);
/* 1 when the slot and the sample count hold exactly what the record holds (the sound
 * compared byte by byte when the record has it), else 0. */
int32_t vxa_mod_slot_state_matches(const vxa_mod *mod, uint32_t slot, const vxa_slot_state *state);
/* Bytes of sound the record keeps. */
size_t vxa_mod_slot_state_bytes(const vxa_slot_state *state);
/* Frees the record and the sound it keeps; null is ignored. */
void vxa_mod_free_slot_state(vxa_slot_state *state);

#ifdef __cplusplus
}
#endif

#endif
