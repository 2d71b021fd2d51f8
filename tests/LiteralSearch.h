// Plain, slow, obviously faithful versions of the computer's strategies: each trial piece written on
// the board, each board scored by a full evaluation, the alpha-beta plies with their single bound.
// The fast strategies must agree with these on every position.
#pragma once

#include "ai/AlphaBeta.h"
#include "ai/Choice.h"
#include "ai/CommonSense.h"
#include "ai/Evaluate.h"

namespace vornix::testing {

inline Choice literalEvalu(Grid g, const EvalWeights& w)
{
    Choice choice;
    bool first = true;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k) {
                const int n = cellIndex(i, j, k);
                if (g[n] != kEmpty)
                    continue;
                g[n] = kCross;
                LineTally t;
                std::int32_t value = -Evaluate(g, w, t);
                if (t.NoughtTally[3] > 1) value = -800000;
                if (t.CrossTally[3] > 1) value = 800000;
                if (t.CrossTally[4] > 0) value = 10000000;
                if (first || value > choice.BestValue) {
                    choice.BestValue = value;
                    choice.candidates.clear();
                }
                if (value == choice.BestValue)
                    choice.candidates.add(n);
                first = false;
                g[n] = kEmpty;
            }
    return choice;
}

// countthtreats as written: the piece imagined on the board itself, every line summed in turn.
inline std::int32_t literalThreats(Grid& g, int mx, int my, int mz, std::int32_t degree, std::int32_t player)
{
    auto at = [&](int i, int j, int k) { return g[cellIndex(i, j, k)]; };
    const std::int32_t kept = at(mx, my, mz);
    g[cellIndex(mx, my, mz)] = player;
    std::int32_t count = 0;
    auto test = [&](auto cellOf) {
        std::int32_t sum = 0;
        for (int t = 0; t < 4; ++t) {
            const Coord c = cellOf(t);
            sum += at(c.i, c.j, c.k);
        }
        count += connect(sum, degree, player) ? 1 : 0;
    };
    test([&](int t) { return Coord{t, my, mz}; });
    test([&](int t) { return Coord{mx, t, mz}; });
    test([&](int t) { return Coord{mx, my, t}; });
    if (mx == my) test([&](int t) { return Coord{t, t, mz}; });
    if (mx == mz) test([&](int t) { return Coord{t, my, t}; });
    if (my == mz) test([&](int t) { return Coord{mx, t, t}; });
    if (mx + my == 3) test([&](int t) { return Coord{t, 3 - t, mz}; });
    if (mx + mz == 3) test([&](int t) { return Coord{t, my, 3 - t}; });
    if (my + mz == 3) test([&](int t) { return Coord{mx, t, 3 - t}; });
    if (mx == my && my == mz) test([&](int t) { return Coord{t, t, t}; });
    if (mx == mz && mx + my == 3) test([&](int t) { return Coord{t, 3 - t, t}; });
    if (mx == my && mx + mz == 3) test([&](int t) { return Coord{t, t, 3 - t}; });
    if (mx + my == 3 && mx + mz == 3) test([&](int t) { return Coord{t, 3 - t, 3 - t}; });
    g[cellIndex(mx, my, mz)] = kept;
    return count;
}

inline Choice literalTurn(Grid g, Coord last)
{
    Choice choice;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k) {
                if (g[cellIndex(i, j, k)] != kEmpty)
                    continue;
                const std::int32_t kept = g[cellIndex(last)];
                g[cellIndex(last)] = kEmpty;
                const std::int32_t before3 = literalThreats(g, i, j, k, 10, 5);
                const std::int32_t before2 = literalThreats(g, i, j, k, 5, 5);
                g[cellIndex(last)] = kept;
                std::int32_t v = 0;
                if (literalThreats(g, i, j, k, 21, 7) > 0) v += 10000;
                if (literalThreats(g, i, j, k, 15, 5) > 0) v += 2000;
                if (literalThreats(g, i, j, k, 14, 7) > 1) v += 1000;
                if (literalThreats(g, i, j, k, 10, 5) > 1) v += 500;
                v += (literalThreats(g, i, j, k, 10, 5) - before3) * 64;
                v += literalThreats(g, i, j, k, 10, 5) * 32;
                v += literalThreats(g, i, j, k, 14, 7) * 100;
                v += (literalThreats(g, i, j, k, 5, 5) - before2) * 8;
                v += literalThreats(g, i, j, k, 5, 5) * 4;
                v += literalThreats(g, i, j, k, 7, 7) * 64;
                if (i == j && j == k) v += 20;
                if (i == j && i + k == 3) v += 20;
                if (i == k && i + j == 3) v += 20;
                if (i + j == 3 && i + k == 3) v += 20;
                if (v > choice.BestValue) {
                    choice.BestValue = v;
                    choice.candidates.clear();
                }
                if (v == choice.BestValue)
                    choice.candidates.add(cellIndex(i, j, k));
            }
    return choice;
}

inline Choice literalMiniMax(Grid g, const EvalWeights& w)
{
    Choice choice;
    choice.BestValue = 1000000;
    std::int32_t bestReply = -1000000;
    LineTally t;
    for (int c = 0; c < 64; ++c) {
        const int cell = kVisitOrder[c];
        if (g[cell] != kEmpty)
            continue;
        g[cell] = kCross;
        for (int r = 0; r < 64; ++r) {
            const int reply = kVisitOrder[r];
            if (g[reply] != kEmpty)
                continue;
            g[reply] = kNought;
            bestReply = std::max(bestReply, Evaluate(g, w, t));
            g[reply] = kEmpty;
        }
        g[cell] = kEmpty;
        if (bestReply < choice.BestValue) {
            choice.BestValue = bestReply;
            choice.candidates.clear();
        }
        if (bestReply == choice.BestValue)
            choice.candidates.add(cell);
        bestReply = -10000000;
    }
    return choice;
}

// CrossPly and NoughtPly exactly as written, the bound of the parent and nothing more.
class LiteralAlphaBeta {
public:
    LiteralAlphaBeta(const Grid& g, const EvalWeights& w, std::int32_t depth) : g_(g), w_(w), depth_(depth) {}

    Choice root()
    {
        Choice choice;
        choice.BestValue = -1000000;
        for (int c = 0; c < 64; ++c) {
            const Coord p = coordOf(kVisitOrder[c]);
            if (g_[cellIndex(p)] != kEmpty)
                continue;
            const std::int32_t v = CrossPly(p.i, p.j, p.k, choice.BestValue);
            if (v > choice.BestValue) {
                choice.BestValue = v;
                choice.candidates.clear();
            }
            if (v == choice.BestValue)
                choice.candidates.add(cellIndex(p));
        }
        return choice;
    }

    std::int32_t CrossPly(int x, int y, int z, std::int32_t bound) { return ply(x, y, z, bound, kCross); }

private:
    std::int32_t ply(int x, int y, int z, std::int32_t bound, std::int32_t piece)
    {
        const bool cross = piece == kCross;
        ++searchPly_;
        const std::int32_t before = CellLinesScore(g_, x, y, z, w_, depth_, tally_);
        g_[cellIndex(x, y, z)] = piece;
        const std::int32_t after = CellLinesScore(g_, x, y, z, w_, depth_, tally_);
        std::int32_t value = 0;
        if ((cross ? tally_.CrossTally[4] : tally_.NoughtTally[4]) > 0 || searchPly_ == depth_) {
            value = after - before;
        } else {
            std::int32_t m = cross ? 1147483647 : -1147483647;
            bool cut = false;
            for (int c = 0; c < 64 && !cut; ++c) {
                const Coord p = coordOf(kVisitOrder[c]);
                if (g_[cellIndex(p)] != kEmpty)
                    continue;
                const std::int32_t r = ply(p.i, p.j, p.k, m, cross ? kNought : kCross);
                if (cross ? after + r - before < bound : after + r - before > bound) {
                    value = after + r - before;
                    cut = true;
                } else if (cross ? r < m : r > m) {
                    m = r;
                }
            }
            if (!cut) {
                if (m == (cross ? 1147483647 : -1147483647))
                    m = 0;
                value = after + m - before;
            }
        }
        g_[cellIndex(x, y, z)] = kEmpty;
        --searchPly_;
        return value;
    }

    Grid g_;
    EvalWeights w_;
    std::int32_t depth_;
    std::int32_t searchPly_ = 0;
    LineTally tally_;
};

} // namespace vornix::testing
