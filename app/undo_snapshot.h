// One part of the module as it was before an edit: a cell, the cells of a pattern, one
// sample slot, the song's order header or the title. Taken under the engine lock in the
// command that makes the edit, it takes the edit back by exchanging itself with the
// module (and then holds the edited state, so the same exchange does the edit again).
//
// An exchange only copies a record of fixed size or swaps pointers: it allocates
// nothing, so it fits under the lock the audio thread waits on whatever the edit's size.
#pragma once

#include "app_tables.h"
#include "vxa_mod_extras.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace vexa {

// Where a cell lies: pattern, row 0..63 and channel 0..3.
struct CellPlace {
    int32_t pattern = 0;
    uint32_t row = 0;
    uint32_t channel = 0;

    bool operator==(const CellPlace &) const = default;
};

class UndoSnapshot {
public:
    // The cell at `place`, which holds `cell` now.
    static UndoSnapshot cell(CellPlace place, vxa_cell cell);
    // The 256 cells of a pattern.
    static UndoSnapshot pattern(const vxa_mod *mod, int32_t pattern);
    // A sample slot with its sound, or its loop, volume and name only; none when there is
    // no memory for the copy.
    static std::optional<UndoSnapshot> slot(const vxa_mod *mod, uint32_t slot, bool withSound);
    // The song length, restart position and order table.
    static UndoSnapshot songOrder(const vxa_mod *mod);
    // The title, with the title the window showed for it.
    static UndoSnapshot title(const vxa_mod *mod, std::string shown);

    // True while the module still holds exactly what the snapshot holds.
    bool matches(const vxa_mod *mod) const;
    // Swaps the snapshot's content with the module's.
    void exchange(vxa_mod *mod);
    // True when both are of the same part of the module (the same cell, slot, ...).
    bool samePlace(const UndoSnapshot &other) const;
    // Bytes of sound and pattern data kept on the heap.
    size_t storedBytes() const;
    // For a title snapshot, the title the window showed with it; else null.
    std::string *shownTitle();

private:
    struct Cell {
        CellPlace place;
        vxa_cell cell;
    };
    struct PatternCells {
        int32_t pattern;
        std::unique_ptr<std::array<vxa_cell, kPatternCells>> cells;
    };
    struct SlotStateFree {
        void operator()(vxa_slot_state *state) const { vxa_mod_free_slot_state(state); }
    };
    struct Slot {
        uint32_t slot;
        std::unique_ptr<vxa_slot_state, SlotStateFree> state;
    };
    struct SongOrder {
        vxa_song_order order;
    };
    struct Title {
        std::array<char, kTitleChars + 1> text;
        std::string shown;
    };
    using Part = std::variant<Cell, PatternCells, Slot, SongOrder, Title>;

    explicit UndoSnapshot(Part part) : part_(std::move(part)) {}

    Part part_;
};

} // namespace vexa
