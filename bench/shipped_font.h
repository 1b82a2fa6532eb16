// The shipped font for the screen benchmarks, which draw real glyphs: resources/ST20.FNT
// under the folder named by VXA_SOURCE_DIR, else under the current folder (the
// repository's root, where the README runs the benchmarks from).
#pragma once

// Installs the font once; false when it cannot be read, so the caller can skip.
bool installShippedFont();
