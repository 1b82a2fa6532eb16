/* render.h - tick timing of the render loop, for callers that cut output at rows. */
#ifndef VXA_RENDER_H
#define VXA_RENDER_H

#include "vxa_mod_internal.h"

/* Frames that a playing context renders before it processes the start of its next
 * row: 0 when the very next frame starts a row. Speed and tempo change only at row
 * starts, so the count is exact up to that row; the repeated passes of a delayed row
 * belong to it. */
int64_t vx_render_frames_to_row_start(const vxa_mod *mod);

#endif
