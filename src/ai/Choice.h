// The equally best cells of one computer turn, in the order the strategy found them.
#pragma once

#include "game/Board.h"

#include <array>
#include <cstdint>

namespace vornix {

struct CellList {
    std::array<std::uint8_t, kCells> cells{};
    std::int32_t count = 0;

    void clear() { count = 0; }
    void add(int cell) { cells[count++] = static_cast<std::uint8_t>(cell); }
    bool empty() const { return count == 0; }
};

// The cells holding the highest value offered so far, ties kept in order. Strategies use it to know
// the best free cells even when their own rules leave the candidate list empty.
class BestCells {
public:
    void offer(int cell, std::int32_t value)
    {
        if (list_.empty() || value > best_) {
            best_ = value;
            list_.clear();
        }
        if (value == best_)
            list_.add(cell);
    }
    std::int32_t best() const { return best_; }
    const CellList& list() const { return list_; }

private:
    std::int32_t best_ = 0;
    CellList list_;
};

struct Choice {
    std::int32_t BestValue = 0;
    CellList candidates;
    // Used only when the candidate list ends empty while a free cell exists.
    CellList fallback;
};

} // namespace vornix
