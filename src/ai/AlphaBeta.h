// The alpha-beta search of the personas Morvid and Snibbet.
//
// A ply's value is the change it makes to the score of the lines through its own cell
// (CellLinesScore after minus before), plus the best reply below it; crosses maximise, noughts
// minimise, and a ply that completes a line or reaches SearchDepth is a leaf. The engine computes
// exactly the values of that tree. At the root a candidate only matters when it reaches the running
// best, so each one is searched with a window just below that best: the value is exact whenever it
// is at least the best, and below the best otherwise. Inside, full windows, move ordering and a
// table of positions already searched keep it fast; the board is kept as line sums, updated in place.
#pragma once

#include "ai/Choice.h"
#include "ai/Evaluate.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vornix {

inline constexpr std::int32_t kRootFloor = -1000000;

// The score of the winning lines through one cell, crosses positive, with the weights of the side
// that moves after the last searched ply depending on the parity of the depth. Leaves the tally of
// those lines behind.
std::int32_t CellLinesScore(const Grid& grid, int x, int y, int z, const EvalWeights& weights,
                            std::int32_t searchDepth, LineTally& tally);

// What one line with a given sum adds to CellLinesScore.
LineScoreTable cellLineScores(const EvalWeights& weights, std::int32_t searchDepth);

class AlphaBetaEngine {
public:
    AlphaBetaEngine();

    // Prepares a search of this position; the weights and depth hold for the whole move.
    void reset(const Grid& grid, const EvalWeights& weights, std::int32_t searchDepth);

    // The worth for crosses of a cross on the free cell, searched to the depth: exact whenever it
    // is at least best, and some value below best otherwise.
    std::int32_t CrossPly(int cell, std::int32_t best);

    // Plies searched so far (trial pieces written), for measuring.
    std::uint64_t nodes() const { return nodes_; }

    // A search that passes this many plies gives up: its values mean nothing from then on, and
    // overBudget() says so until the next reset. Unlimited unless set; reset keeps it.
    void setNodeLimit(std::uint64_t limit) { nodeLimit_ = limit; }
    bool overBudget() const { return nodes_ > nodeLimit_; }

private:
    struct Move {
        std::int32_t delta;
        std::uint8_t cell;
        bool leaf;
    };
    struct Entry {
        std::uint64_t noughts = 0;
        std::uint64_t crosses = 0;
        std::int32_t value = 0;
        std::uint32_t generation = 0;
        std::uint8_t plies = 0;
        std::uint8_t bound = 0;
        std::uint8_t bestMove = 0;
    };
    // What a piece on a free cell would do: its change of score, and how many lines it would
    // complete. Kept up to date with every trial piece, so a ply reads them instead of summing lines.
    struct Side {
        std::array<std::int32_t, kCells> gain{};
        std::array<std::int32_t, kCells> completes{};
        std::array<std::int32_t, kMaxLineSum + 1> gainOfLine{};     // by the line's sum before the piece
        std::array<std::int32_t, kMaxLineSum + 1> completesLine{};  // likewise: 1 when it holds three
    };

    // The side's best ply with `plies` left, its own included: over every free cell, the change of
    // score a piece there makes plus the best reply (none after a completed line or the last ply,
    // 0 with no cell left). Crosses take the highest, noughts the lowest. Exact inside the window
    // (alpha, beta); outside it, a bound on the far side of the edge it crossed.
    template <bool CrossesToMove>
    std::int32_t bestPly(std::int32_t alpha, std::int32_t beta, int plies);
    std::int32_t CrossPly(std::int32_t alpha, std::int32_t beta, int plies);
    std::int32_t NoughtPly(std::int32_t alpha, std::int32_t beta, int plies);

    std::int32_t searchCross(int cell, std::int32_t best);

    template <bool CrossesToMove>
    std::int32_t lastTwoPlies(std::int32_t alpha, std::int32_t beta);

    template <bool CrossesToMove>
    static void orderNext(std::array<Move, kCells>& moves, int n, int count, int hinted);

    template <bool CrossesToMove>
    int generate(std::array<Move, kCells>& moves, int plies) const;

    void shiftLines(int cell, std::int32_t change);
    void place(int cell, std::int32_t piece);
    void lift(int cell, std::int32_t piece);
    void refreshCell(int cell);
    Entry& slot();

    std::array<std::int32_t, kLineCount> sums_{};
    Side nought_;
    Side cross_;
    std::uint64_t noughts_ = 0;
    std::uint64_t crosses_ = 0;
    std::uint64_t key_ = 0;
    std::int32_t searchDepth_ = 3;
    std::int32_t SearchPly = 0;
    std::uint64_t nodes_ = 0;
    std::uint64_t nodeLimit_ = ~std::uint64_t{0};
    std::uint32_t generation_ = 0;
    std::vector<Entry> table_;
    // Root cells that a symmetry of the position maps onto each other are worth the same: each
    // cell's class, and what a search of the class gave under which bound.
    struct RootResult {
        std::int32_t value = 0;
        std::int32_t bound = 0;
        bool known = false;
    };
    std::array<std::uint8_t, kCells> rootClass_{};
    std::array<RootResult, kCells> rootResults_{};
};

// The root's visit: every cell in the strategies' order, each free one valued and the equally best
// kept, starting from floor. beforeCell(cell) runs first for every cell, free or not, and abandons
// the visit by returning false; rowEnd() runs after each row of four. False when abandoned.
template <class BeforeCell, class ValueOf, class RowEnd>
bool visitRoot(const Grid& grid, std::int32_t floor, Choice& choice, BeforeCell&& beforeCell, ValueOf&& valueOf,
               RowEnd&& rowEnd)
{
    choice.BestValue = floor;
    choice.candidates.clear();
    for (int row = 0; row < 16; ++row) {
        for (int z = 0; z < 4; ++z) {
            const int cell = kVisitOrder[4 * row + z];
            if (!beforeCell(cell))
                return false;
            if (grid[cell] != kEmpty)
                continue;
            const std::int32_t v = valueOf(cell, choice.BestValue);
            if (v > choice.BestValue) {
                choice.BestValue = v;
                choice.candidates.clear();
            }
            if (v == choice.BestValue)
                choice.candidates.add(cell);
        }
        rowEnd();
    }
    return true;
}

// The whole root search without pauses: the best value and the candidates the move would draw from.
Choice searchRoot(AlphaBetaEngine& engine, const Grid& grid, std::int32_t floor = kRootFloor);

// The hook of the fifth persona: scores a cell for the search. In this system it answers 0.
extern "C" std::int32_t NativeMoveScore(std::int32_t x, std::int32_t y, std::int32_t z, std::int32_t ten,
                                        std::int32_t bestSoFar, const std::int32_t* grid, std::int32_t searchDepth,
                                        const std::int32_t* weightTable);
using MoveScoreHook = decltype(&NativeMoveScore);

} // namespace vornix
