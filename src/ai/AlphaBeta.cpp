#include "ai/AlphaBeta.h"

#include "game/Symmetries.h"

#include <algorithm>

namespace vornix {

namespace {

constexpr std::int32_t kInfinity = 1 << 30;
// The gain an occupied cell shows: beyond any real change of score, within 32 bits whatever is added.
constexpr std::int32_t kOccupied = 1 << 29;
constexpr std::size_t kTableSize = std::size_t{1} << 17;

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
        if (!isLineSum(sum))
            continue; // no line adds up to it (25 would be five noughts)
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
    const LineScoreTable lineScores = cellLineScores(weights, searchDepth);
    for (Side* side : {&nought_, &cross_}) {
        const std::int32_t piece = side == &nought_ ? kNought : kCross;
        for (int sum = 0; sum <= kMaxLineSum; ++sum) {
            const bool room = sum + piece <= kMaxLineSum;
            side->gainOfLine[sum] = room ? lineScores.score[sum + piece] - lineScores.score[sum] : 0;
            side->completesLine[sum] = sum == 3 * piece ? 1 : 0;
        }
    }
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
    for (int c = 0; c < kCells; ++c)
        refreshCell(c);
    searchDepth_ = searchDepth;
    SearchPly = 0;
    nodes_ = 0;
    for (int c = 0; c < kCells; ++c)
        rootClass_[c] = static_cast<std::uint8_t>(c);
    for (const CellPermutation& map : stabiliserOf(grid))
        for (int c = 0; c < kCells; ++c)
            rootClass_[c] = std::min(rootClass_[c], map[c]);
    rootResults_.fill(RootResult{});
    // A new generation retires every entry of earlier moves: weights, depth and root may differ.
    if (++generation_ == 0) {
        std::fill(table_.begin(), table_.end(), Entry{});
        generation_ = 1;
    }
}

// An occupied cell holds a gain no search can reach, so that the best of all 64 is a free cell's.
void AlphaBetaEngine::refreshCell(int cell)
{
    if (((noughts_ | crosses_) >> cell) & 1U) {
        nought_.gain[cell] = kOccupied;
        cross_.gain[cell] = -kOccupied;
        return;
    }
    const auto& through = kLinesThroughCell[cell];
    for (Side* side : {&nought_, &cross_}) {
        std::int32_t gain = 0;
        std::int32_t completes = 0;
        for (int n = 0; n < through.count; ++n) {
            gain += side->gainOfLine[sums_[through.line[n]]];
            completes += side->completesLine[sums_[through.line[n]]];
        }
        side->gain[cell] = gain;
        side->completes[cell] = completes;
    }
}

// Adds change (a piece, or minus one) to the sums of the lines through the cell, and moves the
// gains and completions of every cell on those lines with them.
void AlphaBetaEngine::shiftLines(int cell, std::int32_t change)
{
    const auto& through = kLinesThroughCell[cell];
    for (int n = 0; n < through.count; ++n) {
        const int l = through.line[n];
        const std::int32_t was = sums_[l];
        const std::int32_t now = was + change;
        sums_[l] = now;
        const std::int32_t noughtGain = nought_.gainOfLine[now] - nought_.gainOfLine[was];
        const std::int32_t crossGain = cross_.gainOfLine[now] - cross_.gainOfLine[was];
        const std::int32_t noughtCompletes = nought_.completesLine[now] - nought_.completesLine[was];
        const std::int32_t crossCompletes = cross_.completesLine[now] - cross_.completesLine[was];
        for (int member : kLines[l]) {
            nought_.gain[member] += noughtGain;
            cross_.gain[member] += crossGain;
            nought_.completes[member] += noughtCompletes;
            cross_.completes[member] += crossCompletes;
        }
    }
    const std::uint64_t bit = std::uint64_t{1} << cell;
    std::uint64_t& pieces = (change == kCross || change == -kCross) ? crosses_ : noughts_;
    pieces ^= bit;
    key_ ^= (change == kCross || change == -kCross) ? kKeys.cross[cell] : kKeys.nought[cell];
}

void AlphaBetaEngine::place(int cell, std::int32_t piece)
{
    shiftLines(cell, piece);
    nought_.gain[cell] = kOccupied;
    cross_.gain[cell] = -kOccupied;
    ++SearchPly;
    ++nodes_;
}

void AlphaBetaEngine::lift(int cell, std::int32_t piece)
{
    shiftLines(cell, -piece);
    refreshCell(cell);
    --SearchPly;
}

AlphaBetaEngine::Entry& AlphaBetaEngine::slot()
{
    return table_[key_ & (kTableSize - 1)];
}

template <bool CrossesToMove>
int AlphaBetaEngine::generate(std::array<Move, kCells>& moves, int plies) const
{
    const Side& side = CrossesToMove ? cross_ : nought_;
    int count = 0;
    std::uint64_t free = ~(noughts_ | crosses_);
    while (free != 0) {
        const int cell = __builtin_ctzll(free);
        free &= free - 1;
        moves[count++] = {side.gain[cell], static_cast<std::uint8_t>(cell), side.completes[cell] > 0 || plies == 1};
    }
    return count;
}

// Brings the most promising of the remaining moves to position n: the remembered best (hinted) first,
// then by their own change of score. Most nodes are decided by their first few moves, so only those
// are picked out one by one; the rest are sorted once when they are reached.
template <bool CrossesToMove>
void AlphaBetaEngine::orderNext(std::array<Move, kCells>& moves, int n, int count, int hinted)
{
    constexpr int kPicked = 3;
    auto better = [](const Move& a, const Move& b) { return CrossesToMove ? a.delta > b.delta : a.delta < b.delta; };
    if (n < kPicked) {
        int pick = n;
        for (int m = n + 1; m < count; ++m)
            if (moves[m].cell == hinted || (moves[pick].cell != hinted && better(moves[m], moves[pick])))
                pick = m;
        std::swap(moves[n], moves[pick]);
    } else if (n == kPicked) {
        std::sort(moves.begin() + n, moves.begin() + count, better);
    }
}

template <bool CrossesToMove>
std::int32_t AlphaBetaEngine::bestPly(std::int32_t alpha, std::int32_t beta, int plies)
{
    constexpr std::int32_t piece = CrossesToMove ? kCross : kNought;
    if ((noughts_ | crosses_) == ~std::uint64_t{0})
        return 0; // no cell left: the reply adds nothing

    if (plies == 1) {
        // Every reply is a leaf: the value is simply the best change of score among the free cells.
        const auto& gain = CrossesToMove ? cross_.gain : nought_.gain;
        std::int32_t best = gain[0];
        for (int c = 1; c < kCells; ++c)
            best = CrossesToMove ? std::max(best, gain[c]) : std::min(best, gain[c]);
        return best;
    }
    if (plies == 2)
        return lastTwoPlies<CrossesToMove>(alpha, beta);

    if (overBudget())
        return 0; // abandoned: the caller discards this search, and a reset retires what it stored

    std::array<Move, kCells> moves;
    const int count = generate<CrossesToMove>(moves, plies);

    int hinted = -1;
    {
        const Entry& e = slot();
        if (e.generation == generation_ && e.noughts == noughts_ && e.crosses == crosses_ && e.plies == plies) {
            if (e.bound == kExact || (e.bound == kLower && e.value >= beta) || (e.bound == kUpper && e.value <= alpha))
                return e.value;
            hinted = e.bestMove;
        }
    }

    const std::int32_t alphaIn = alpha;
    const std::int32_t betaIn = beta;
    std::int32_t best = CrossesToMove ? -kInfinity : kInfinity;
    std::uint8_t bestMove = 0;
    for (int n = 0; n < count; ++n) {
        orderNext<CrossesToMove>(moves, n, count, hinted);
        const Move& m = moves[n];
        std::int32_t value = m.delta;
        if (!m.leaf) {
            place(m.cell, piece);
            if constexpr (CrossesToMove)
                value += NoughtPly(shifted(alpha, m.delta), shifted(beta, m.delta), plies - 1);
            else
                value += CrossPly(shifted(alpha, m.delta), shifted(beta, m.delta), plies - 1);
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

    Entry& e = slot();
    e.noughts = noughts_;
    e.crosses = crosses_;
    e.value = best;
    e.generation = generation_;
    e.plies = static_cast<std::uint8_t>(plies);
    e.bound = best <= alphaIn ? kUpper : best >= betaIn ? kLower : kExact;
    e.bestMove = bestMove;
    return best;
}

// Two plies from the end, a move's replies are all leaves, and a reply's gain changes only where it
// shares a line with the move: by that one line's change. So each move is valued exactly without
// being written: the best reply among the cells on its lines, adjusted, or else the best of the
// untouched cells, which are found among the few best free cells overall.
template <bool CrossesToMove>
std::int32_t AlphaBetaEngine::lastTwoPlies(std::int32_t alpha, std::int32_t beta)
{
    constexpr std::int32_t piece = CrossesToMove ? kCross : kNought;
    const Side& theirs = CrossesToMove ? nought_ : cross_;
    // The replies are the other side's: crosses choose the highest gain, noughts the lowest.
    auto replyBetter = [](std::int32_t a, std::int32_t b) { return CrossesToMove ? a < b : a > b; };
    const std::int32_t replyWorst = CrossesToMove ? kInfinity : -kInfinity;

    const std::uint64_t free = ~(noughts_ | crosses_);
    constexpr int kKept = 4;
    std::array<std::uint8_t, kKept> topCells{};
    std::array<std::int32_t, kKept> topGains{};
    int kept = 0;
    for (std::uint64_t rest = free; rest != 0; rest &= rest - 1) {
        const int cell = __builtin_ctzll(rest);
        const std::int32_t g = theirs.gain[cell];
        if (kept == kKept && !replyBetter(g, topGains[kKept - 1]))
            continue;
        int at = kept < kKept ? kept++ : kKept - 1;
        while (at > 0 && replyBetter(g, topGains[at - 1])) {
            topGains[at] = topGains[at - 1];
            topCells[at] = topCells[at - 1];
            --at;
        }
        topGains[at] = g;
        topCells[at] = static_cast<std::uint8_t>(cell);
    }

    std::array<Move, kCells> moves;
    const int count = generate<CrossesToMove>(moves, 2);
    std::int32_t best = CrossesToMove ? -kInfinity : kInfinity;
    for (int n = 0; n < count; ++n) {
        orderNext<CrossesToMove>(moves, n, count, -1);
        const Move& m = moves[n];
        ++nodes_;
        std::int32_t value = m.delta;
        if (!m.leaf) {
            std::int32_t reply = replyWorst;
            const auto& through = kLinesThroughCell[m.cell];
            for (int t = 0; t < through.count; ++t) {
                const int l = through.line[t];
                const std::int32_t sum = sums_[l];
                const std::int32_t change = theirs.gainOfLine[sum + piece] - theirs.gainOfLine[sum];
                for (int other : kLines[l])
                    if (other != m.cell && ((free >> other) & 1U) && replyBetter(theirs.gain[other] + change, reply))
                        reply = theirs.gain[other] + change;
            }
            const std::uint64_t untouched = free & ~kCollinear[m.cell] & ~(std::uint64_t{1} << m.cell);
            int found = -1;
            for (int k = 0; k < kept && found < 0; ++k)
                if ((untouched >> topCells[k]) & 1U)
                    found = topCells[k];
            if (found >= 0) {
                if (replyBetter(theirs.gain[found], reply))
                    reply = theirs.gain[found];
            } else {
                for (std::uint64_t rest = untouched; rest != 0; rest &= rest - 1) {
                    const int cell = __builtin_ctzll(rest);
                    if (replyBetter(theirs.gain[cell], reply))
                        reply = theirs.gain[cell];
                }
            }
            value += reply == replyWorst ? 0 : reply; // no reply left adds nothing
        }
        if (CrossesToMove ? value > best : value < best) {
            best = value;
            if (CrossesToMove ? value >= beta : value <= alpha)
                break;
        }
    }
    return best;
}

std::int32_t AlphaBetaEngine::CrossPly(std::int32_t alpha, std::int32_t beta, int plies)
{
    return bestPly<true>(alpha, beta, plies);
}

std::int32_t AlphaBetaEngine::NoughtPly(std::int32_t alpha, std::int32_t beta, int plies)
{
    return bestPly<false>(alpha, beta, plies);
}

std::int32_t AlphaBetaEngine::CrossPly(int cell, std::int32_t best)
{
    // A value at or above its bound was exact; one below it is below any bound at least as high.
    RootResult& known = rootResults_[rootClass_[cell]];
    if (known.known && (known.value >= known.bound || known.bound <= best))
        return known.value;
    const std::int32_t value = searchCross(cell, best);
    known = {value, best, true};
    return value;
}

std::int32_t AlphaBetaEngine::searchCross(int cell, std::int32_t best)
{
    const std::int32_t delta = cross_.gain[cell];
    ++nodes_;
    if (cross_.completes[cell] > 0 || searchDepth_ == 1)
        return delta;
    place(cell, kCross);
    --nodes_; // counted above
    const std::int32_t replies = NoughtPly(best - 1 - delta, kInfinity, searchDepth_ - 1);
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
