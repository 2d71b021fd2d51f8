#include "ai/AlphaBeta.h"

#include <algorithm>

namespace vornix {

namespace {

constexpr std::int32_t kInfinity = 1 << 30;
constexpr std::size_t kTableSize = std::size_t{1} << 20;

enum Bound : std::uint8_t { kExact, kLower, kUpper };

constexpr std::uint64_t splitmix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

struct Keys {
    std::array<std::uint64_t, kCells> nought{};
    std::array<std::uint64_t, kCells> cross{};
};

constexpr Keys makeKeys()
{
    Keys keys;
    std::uint64_t state = 0x5EED0F0C7ACE5ULL;
    for (int c = 0; c < kCells; ++c) {
        keys.nought[c] = splitmix(state);
        keys.cross[c] = splitmix(state);
    }
    return keys;
}

constexpr Keys kKeys = makeKeys();

// A window edge moved past a ply's own change; the infinities stay put.
constexpr std::int32_t shifted(std::int32_t edge, std::int32_t delta)
{
    return edge >= kInfinity || edge <= -kInfinity ? edge : edge - delta;
}

} // namespace

std::int32_t CellLinesScore(const Grid& grid, int x, int y, int z, const EvalWeights& w, std::int32_t searchDepth,
                            LineTally& tally)
{
    tally = {};
    std::array<std::int32_t, 13> s{};
    auto at = [&](int i, int j, int k) { return grid[cellIndex(i, j, k)]; };
    for (int t = 0; t < 4; ++t) {
        s[0] += at(x, y, t);
        s[1] += at(x, t, z);
        s[2] += at(t, y, z);
        if (x == y) s[3] += at(t, t, z);
        if (x == z) s[4] += at(t, y, t);
        if (y == z) s[5] += at(x, t, t);
        if (x == 3 - y) s[6] += at(t, 3 - t, z);
        if (x == 3 - z) s[7] += at(t, y, 3 - t);
        if (y == 3 - z) s[8] += at(x, t, 3 - t);
        if (x == y && x == z) s[9] += at(t, t, t);
        if (x == y && x == 3 - z) s[10] += at(t, t, 3 - t);
        if (x == 3 - y && x == z) s[11] += at(t, 3 - t, t);
        if (x == 3 - y && x == 3 - z) s[12] += at(t, 3 - t, 3 - t);
    }
    for (std::int32_t sum : s)
        update(sum, tally);
    const auto& C = tally.CrossTally;
    const auto& N = tally.NoughtTally;
    if (searchDepth % 2 == 0)
        return w.OneCrossWeight * C[1] - w.OneNoughtWeight * N[1] - w.TwoNoughtsWeight * N[2]
            + w.TwoCrossesWeight * C[2] - w.ThreeNoughtsWeight * N[3] + kThreeCrossesCoefficient * C[3]
            - kFourNoughtsCoefficient * N[4] + kFourCrossesCoefficient * C[4];
    return w.OneNoughtWeight * C[1] - w.OneCrossWeight * N[1] - w.TwoCrossesWeight * N[2] + w.TwoNoughtsWeight * C[2]
        - kThreeCrossesCoefficient * N[3] + w.ThreeNoughtsWeight * C[3] - kFourCrossesCoefficient * N[4]
        + kFourNoughtsCoefficient * C[4];
}

LineScoreTable cellLineScores(const EvalWeights& w, std::int32_t searchDepth)
{
    // Every line through a cell adds its own share; the directions that miss the cell sum to 0 and
    // only ever count in the unweighted empty entries.
    const bool even = searchDepth % 2 == 0;
    const std::array<std::int32_t, 5> crossLine = even
        ? std::array<std::int32_t, 5>{0, w.OneCrossWeight, w.TwoCrossesWeight, kThreeCrossesCoefficient,
                                      kFourCrossesCoefficient}
        : std::array<std::int32_t, 5>{0, w.OneNoughtWeight, w.TwoNoughtsWeight, w.ThreeNoughtsWeight,
                                      kFourNoughtsCoefficient};
    const std::array<std::int32_t, 5> noughtLine = even
        ? std::array<std::int32_t, 5>{0, w.OneNoughtWeight, w.TwoNoughtsWeight, w.ThreeNoughtsWeight,
                                      kFourNoughtsCoefficient}
        : std::array<std::int32_t, 5>{0, w.OneCrossWeight, w.TwoCrossesWeight, kThreeCrossesCoefficient,
                                      kFourCrossesCoefficient};
    LineScoreTable table;
    for (int sum = 0; sum <= kMaxLineSum; ++sum) {
        if (sum % 7 == 0)
            table.score[sum] += crossLine[sum / 7];
        if (sum % 5 == 0)
            table.score[sum] -= noughtLine[sum / 5];
    }
    return table;
}

AlphaBetaEngine::AlphaBetaEngine() : table_(kTableSize) {}

void AlphaBetaEngine::reset(const Grid& grid, const EvalWeights& weights, std::int32_t searchDepth)
{
    lineScores_ = cellLineScores(weights, searchDepth);
    for (int l = 0; l < kLineCount; ++l) {
        const Line& line = kLines[l];
        sums_[l] = grid[line[0]] + grid[line[1]] + grid[line[2]] + grid[line[3]];
    }
    noughts_ = crosses_ = key_ = 0;
    for (int c = 0; c < kCells; ++c) {
        if (grid[c] == kNought) {
            noughts_ |= std::uint64_t{1} << c;
            key_ ^= kKeys.nought[c];
        } else if (grid[c] == kCross) {
            crosses_ |= std::uint64_t{1} << c;
            key_ ^= kKeys.cross[c];
        }
    }
    searchDepth_ = searchDepth;
    SearchPly = 0;
    nodes_ = 0;
    // A new generation retires every entry of earlier moves: weights, depth and root may differ.
    if (++generation_ == 0) {
        std::fill(table_.begin(), table_.end(), Entry{});
        generation_ = 1;
    }
}

void AlphaBetaEngine::place(int cell, std::int32_t piece)
{
    const auto& through = kLinesThroughCell[cell];
    for (int n = 0; n < through.count; ++n)
        sums_[through.line[n]] += piece;
    const std::uint64_t bit = std::uint64_t{1} << cell;
    if (piece == kCross) {
        crosses_ |= bit;
        key_ ^= kKeys.cross[cell];
    } else {
        noughts_ |= bit;
        key_ ^= kKeys.nought[cell];
    }
    ++SearchPly;
    ++nodes_;
}

void AlphaBetaEngine::lift(int cell, std::int32_t piece)
{
    const auto& through = kLinesThroughCell[cell];
    for (int n = 0; n < through.count; ++n)
        sums_[through.line[n]] -= piece;
    const std::uint64_t bit = std::uint64_t{1} << cell;
    if (piece == kCross) {
        crosses_ &= ~bit;
        key_ ^= kKeys.cross[cell];
    } else {
        noughts_ &= ~bit;
        key_ ^= kKeys.nought[cell];
    }
    --SearchPly;
}

AlphaBetaEngine::Entry& AlphaBetaEngine::slot()
{
    return table_[key_ & (kTableSize - 1)];
}

template <bool CrossesToMove>
int AlphaBetaEngine::generate(std::array<Move, kCells>& moves, int plies) const
{
    constexpr std::int32_t piece = CrossesToMove ? kCross : kNought;
    constexpr std::int32_t full = 4 * piece;
    int count = 0;
    std::uint64_t free = ~(noughts_ | crosses_);
    while (free != 0) {
        const int cell = __builtin_ctzll(free);
        free &= free - 1;
        const auto& through = kLinesThroughCell[cell];
        std::int32_t delta = 0;
        bool completes = false;
        for (int n = 0; n < through.count; ++n) {
            const std::int32_t sum = sums_[through.line[n]];
            delta += lineScores_.score[sum + piece] - lineScores_.score[sum];
            completes |= sum + piece == full;
        }
        moves[count++] = {delta, static_cast<std::uint8_t>(cell), completes || plies == 1};
    }
    return count;
}

template <bool CrossesToMove>
std::int32_t AlphaBetaEngine::search(std::int32_t alpha, std::int32_t beta, int plies)
{
    constexpr std::int32_t piece = CrossesToMove ? kCross : kNought;
    std::array<Move, kCells> moves;
    const int count = generate<CrossesToMove>(moves, plies);
    if (count == 0)
        return 0; // no cell left: the reply adds nothing

    if (plies == 1) {
        // Every reply is a leaf: the value is simply the best change of score.
        std::int32_t best = moves[0].delta;
        for (int n = 1; n < count; ++n)
            best = CrossesToMove ? std::max(best, moves[n].delta) : std::min(best, moves[n].delta);
        return best;
    }

    int hinted = -1;
    {
        const Entry& e = slot();
        if (e.generation == generation_ && e.noughts == noughts_ && e.crosses == crosses_ && e.plies == plies) {
            if (e.bound == kExact || (e.bound == kLower && e.value >= beta) || (e.bound == kUpper && e.value <= alpha))
                return e.value;
            hinted = e.bestMove;
        }
    }

    // The most promising cells first: the remembered best, then by their own change of score.
    auto better = [](const Move& a, const Move& b) { return CrossesToMove ? a.delta > b.delta : a.delta < b.delta; };
    std::sort(moves.begin(), moves.begin() + count, better);
    if (hinted >= 0)
        for (int n = 1; n < count; ++n)
            if (moves[n].cell == hinted) {
                std::rotate(moves.begin(), moves.begin() + n, moves.begin() + n + 1);
                break;
            }

    const std::int32_t alphaIn = alpha;
    const std::int32_t betaIn = beta;
    std::int32_t best = CrossesToMove ? -kInfinity : kInfinity;
    std::uint8_t bestMove = moves[0].cell;
    for (int n = 0; n < count; ++n) {
        const Move& m = moves[n];
        std::int32_t value = m.delta;
        if (!m.leaf) {
            place(m.cell, piece);
            value += search<!CrossesToMove>(shifted(alpha, m.delta), shifted(beta, m.delta), plies - 1);
            lift(m.cell, piece);
        }
        if (CrossesToMove ? value > best : value < best) {
            best = value;
            bestMove = m.cell;
            if (CrossesToMove)
                alpha = std::max(alpha, value);
            else
                beta = std::min(beta, value);
            if (alpha >= beta)
                break;
        }
    }

    {
        Entry& e = slot();
        e.noughts = noughts_;
        e.crosses = crosses_;
        e.value = best;
        e.generation = generation_;
        e.plies = static_cast<std::uint8_t>(plies);
        e.bound = best <= alphaIn ? kUpper : best >= betaIn ? kLower : kExact;
        e.bestMove = bestMove;
    }
    return best;
}

std::int32_t AlphaBetaEngine::CrossPly(int cell, std::int32_t best)
{
    const auto& through = kLinesThroughCell[cell];
    std::int32_t delta = 0;
    bool completes = false;
    for (int n = 0; n < through.count; ++n) {
        const std::int32_t sum = sums_[through.line[n]];
        delta += lineScores_.score[sum + kCross] - lineScores_.score[sum];
        completes |= sum + kCross == 4 * kCross;
    }
    ++nodes_;
    if (completes || searchDepth_ == 1)
        return delta;
    place(cell, kCross);
    --nodes_; // counted above
    const std::int32_t replies = search<false>(best - 1 - delta, kInfinity, searchDepth_ - 1);
    lift(cell, kCross);
    return delta + replies;
}

Choice searchRoot(AlphaBetaEngine& engine, const Grid& grid, std::int32_t floor)
{
    Choice choice;
    visitRoot(
        grid, floor, choice, [](int) { return true; },
        [&engine](int cell, std::int32_t best) { return engine.CrossPly(cell, best); }, [] {});
    return choice;
}

} // namespace vornix
