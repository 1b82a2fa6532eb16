#include "undo_snapshot.h"

#include "app_tables.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vexa {

namespace {

template <class... Visitors> struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <class... Visitors> Overloaded(Visitors...) -> Overloaded<Visitors...>;

bool sameCell(const vxa_cell &a, const vxa_cell &b)
{
    return a.note == b.note && a.sample == b.sample && a.effect == b.effect && a.param == b.param;
}

bool sameOrder(const vxa_song_order &a, const vxa_song_order &b)
{
    return a.song_length == b.song_length && a.restart_pos == b.restart_pos &&
           std::memcmp(a.orders, b.orders, sizeof a.orders) == 0;
}

vxa_cell cellAt(const vxa_mod *mod, const CellPlace &place)
{
    vxa_cell cell{};
    vxa_mod_get_cell(const_cast<vxa_mod *>(mod), place.pattern, place.row, place.channel, &cell);
    return cell;
}

void setCell(vxa_mod *mod, const CellPlace &place, const vxa_cell &cell)
{
    vxa_mod_set_cell(mod, place.pattern, place.row, place.channel, &cell);
}

// The pattern's cells in row order, four channels a row.
template <class Visit> void forEachPlace(int32_t pattern, Visit visit)
{
    for (uint32_t row = 0; row < kPatternRowCount; ++row)
        for (uint32_t channel = 0; channel < kChannelCount; ++channel)
            visit(row * kChannelCount + channel, CellPlace{pattern, row, channel});
}

vxa_song_order songOrderOf(const vxa_mod *mod)
{
    vxa_song_order order{};
    vxa_mod_get_song_order(mod, &order);
    return order;
}

std::array<char, kTitleChars + 1> titleOf(const vxa_mod *mod)
{
    std::array<char, kTitleChars + 1> text{};
    std::strncpy(text.data(), vxa_mod_title(const_cast<vxa_mod *>(mod)), kTitleChars);
    return text;
}

} // namespace

UndoSnapshot UndoSnapshot::cell(CellPlace place, vxa_cell cell)
{
    return UndoSnapshot(Cell{place, cell});
}

UndoSnapshot UndoSnapshot::pattern(const vxa_mod *mod, int32_t pattern)
{
    auto cells = std::make_unique<std::array<vxa_cell, kPatternCells>>();
    forEachPlace(pattern,
                 [&](size_t i, const CellPlace &place) { (*cells)[i] = cellAt(mod, place); });
    return UndoSnapshot(PatternCells{pattern, std::move(cells)});
}

std::optional<UndoSnapshot> UndoSnapshot::slot(const vxa_mod *mod, uint32_t slot, bool withSound)
{
    vxa_slot_state *state = vxa_mod_copy_slot_state(mod, slot, withSound ? 1 : 0);
    if (!state)
        return std::nullopt;
    return UndoSnapshot(Slot{slot, std::unique_ptr<vxa_slot_state, SlotStateFree>(state)});
}

UndoSnapshot UndoSnapshot::songOrder(const vxa_mod *mod)
{
    return UndoSnapshot(SongOrder{songOrderOf(mod)});
}

UndoSnapshot UndoSnapshot::title(const vxa_mod *mod, std::string shown)
{
    return UndoSnapshot(Title{titleOf(mod), std::move(shown)});
}

bool UndoSnapshot::matches(const vxa_mod *mod) const
{
    return std::visit(Overloaded{
                          [&](const Cell &c) { return sameCell(c.cell, cellAt(mod, c.place)); },
                          [&](const PatternCells &p) {
                              bool same = true;
                              forEachPlace(p.pattern, [&](size_t i, const CellPlace &place) {
                                  same = same && sameCell((*p.cells)[i], cellAt(mod, place));
                              });
                              return same;
                          },
                          [&](const Slot &s) {
                              return vxa_mod_slot_state_matches(mod, s.slot, s.state.get()) != 0;
                          },
                          [&](const SongOrder &o) { return sameOrder(o.order, songOrderOf(mod)); },
                          [&](const Title &t) { return t.text == titleOf(mod); },
                      },
                      part_);
}

void UndoSnapshot::exchange(vxa_mod *mod)
{
    std::visit(Overloaded{
                   [&](Cell &c) {
                       const vxa_cell now = cellAt(mod, c.place);
                       setCell(mod, c.place, c.cell);
                       c.cell = now;
                   },
                   [&](PatternCells &p) {
                       forEachPlace(p.pattern, [&](size_t i, const CellPlace &place) {
                           const vxa_cell now = cellAt(mod, place);
                           setCell(mod, place, (*p.cells)[i]);
                           (*p.cells)[i] = now;
                       });
                   },
                   [&](Slot &s) { vxa_mod_swap_slot_state(mod, s.slot, s.state.get()); },
                   [&](SongOrder &o) {
                       const vxa_song_order now = songOrderOf(mod);
                       vxa_mod_set_song_order(mod, &o.order);
                       o.order = now;
                   },
                   [&](Title &t) {
                       const auto now = titleOf(mod);
                       vxa_mod_set_title(mod, t.text.data());
                       t.text = now;
                   },
               },
               part_);
}

bool UndoSnapshot::samePlace(const UndoSnapshot &other) const
{
    return std::visit(
        Overloaded{
            [](const Cell &a, const Cell &b) { return a.place == b.place; },
            [](const PatternCells &a, const PatternCells &b) { return a.pattern == b.pattern; },
            [](const Slot &a, const Slot &b) { return a.slot == b.slot; },
            [](const SongOrder &, const SongOrder &) { return true; },
            [](const Title &, const Title &) { return true; },
            [](const auto &, const auto &) { return false; },
        },
        part_, other.part_);
}

size_t UndoSnapshot::storedBytes() const
{
    return std::visit(
        Overloaded{
            [](const PatternCells &) { return sizeof(std::array<vxa_cell, kPatternCells>); },
            [](const Slot &s) { return vxa_mod_slot_state_bytes(s.state.get()); },
            [](const auto &) { return size_t{0}; },
        },
        part_);
}

std::string *UndoSnapshot::shownTitle()
{
    auto *title = std::get_if<Title>(&part_);
    return title ? &title->shown : nullptr;
}

} // namespace vexa
