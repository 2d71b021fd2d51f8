#include "ai/BoardSymmetries.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace vornix {

namespace {

// A cell's index i + 4j + 16k is six bits, two a coordinate. Every symmetry of the cube maps the
// index bits of a cell by one of twelve permutations (the three axes in any order, and the two bits
// of every coordinate swapped or not), then complements the bits of one of sixteen masks (a
// coordinate reversed, 3 << 2a; or every coordinate turned inside out, 0 1 2 3 to 1 0 3 2, 21). On
// a set of cells both are a few shifts and masks.

// The cells whose index has bit b clear.
constexpr std::array<Cells, 6> kBitClear = {0x5555555555555555ULL, 0x3333333333333333ULL,
                                            0x0F0F0F0F0F0F0F0FULL, 0x00FF00FF00FF00FFULL,
                                            0x0000FFFF0000FFFFULL, 0x00000000FFFFFFFFULL};

// Complements bit b of every cell's index: swaps blocks of 2^b cells.
constexpr Cells complementBit(Cells x, int b)
{
    const int d = 1 << b;
    return ((x & kBitClear[b]) << d) | ((x >> d) & kBitClear[b]);
}

constexpr Cells complementBits(Cells x, int mask)
{
    for (int b = 0; b < 6; ++b)
        if (mask >> b & 1)
            x = complementBit(x, b);
    return x;
}

// Exchanges two bits of every cell's index, a below b: the cells with a set and b clear trade places
// with those with a clear and b set, shift cells apart.
struct Exchange {
    Cells low = 0;
    int shift = 0;
};

constexpr Exchange exchangeOf(int a, int b)
{
    return {~kBitClear[a] & kBitClear[b], (1 << b) - (1 << a)};
}

constexpr Cells exchange(Cells x, Exchange e)
{
    const Cells t = ((x >> e.shift) ^ x) & e.low;
    return x ^ t ^ (t << e.shift);
}

// A permutation of the index bits (bit b goes to bit to[b]), as the exchanges that carry it out.
struct BitPermutation {
    std::array<std::uint8_t, 6> to{};
    std::array<Exchange, 5> exchanges{};
    int count = 0;
};

constexpr BitPermutation permutation(std::array<std::uint8_t, 6> to)
{
    BitPermutation p{to, {}, 0};
    std::array<int, 6> at{0, 1, 2, 3, 4, 5}; // where each original bit stands now
    for (int target = 0; target < 6; ++target) {
        int bit = 0;
        while (to[bit] != target)
            ++bit;
        if (at[bit] == target)
            continue;
        const int other = at[bit];
        for (int& place : at)
            if (place == target)
                place = other;
        at[bit] = target;
        p.exchanges[p.count++] = exchangeOf(std::min(target, other), std::max(target, other));
    }
    return p;
}

constexpr std::array<BitPermutation, 12> makePermutations()
{
    constexpr std::array<std::array<std::uint8_t, 3>, 6> axes = {
        {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
    std::array<BitPermutation, 12> all{};
    int n = 0;
    for (const auto& axis : axes)
        for (int swapped = 0; swapped < 2; ++swapped) {
            std::array<std::uint8_t, 6> to{};
            for (int a = 0; a < 3; ++a)
                for (int low = 0; low < 2; ++low)
                    to[2 * a + low] = static_cast<std::uint8_t>(2 * axis[a] + (low ^ swapped));
            all[n++] = permutation(to);
        }
    return all;
}

constexpr std::array<BitPermutation, 12> kPermutations = makePermutations();

// The sixteen masks in an order where each differs from the one before by one of four generators.
constexpr std::array<int, 4> kGenerators = {3, 12, 48, 21};

constexpr std::array<int, 16> makeMasks()
{
    std::array<int, 16> masks{};
    for (int n = 1; n < 16; ++n)
        masks[n] = masks[n - 1] ^ kGenerators[std::countr_zero(static_cast<unsigned>(n))];
    return masks;
}

constexpr std::array<int, 16> kMasks = makeMasks();

constexpr Cells complementGenerator(Cells x, int generator)
{
    switch (generator) {
    case 0: return complementBit(complementBit(x, 0), 1);
    case 1: return complementBit(complementBit(x, 2), 3);
    case 2: return complementBit(complementBit(x, 4), 5);
    default: return complementBit(complementBit(complementBit(x, 0), 2), 4);
    }
}

// Complementing a mask takes cell 0 to the cell of that index.
static_assert(complementGenerator(cellBit(0), 0) == cellBit(kGenerators[0]) &&
              complementGenerator(cellBit(0), 1) == cellBit(kGenerators[1]) &&
              complementGenerator(cellBit(0), 2) == cellBit(kGenerators[2]) &&
              complementGenerator(cellBit(0), 3) == cellBit(kGenerators[3]));

constexpr Cells permute(Cells x, const BitPermutation& p)
{
    for (int n = 0; n < p.count; ++n)
        x = exchange(x, p.exchanges[n]);
    return x;
}

constexpr int permuteIndex(int cell, const BitPermutation& p)
{
    int image = 0;
    for (int b = 0; b < 6; ++b)
        image |= (cell >> b & 1) << p.to[b];
    return image;
}

// Calls visit(permutation, mask, image of s.mine) for each of the 192 symmetries; the image of
// s.theirs follows from imageOf(theirs, permutation, mask). Stops when visit returns false.
template <class Visit>
void forEachSymmetry(Cells mine, Visit&& visit)
{
    for (const BitPermutation& p : kPermutations) {
        Cells image = permute(mine, p);
        for (int n = 0; n < 16; ++n) {
            if (n > 0)
                image = complementGenerator(image, std::countr_zero(static_cast<unsigned>(n)));
            if (!visit(p, kMasks[n], image))
                return;
        }
    }
}

Cells imageOf(Cells x, const BitPermutation& p, int mask)
{
    return complementBits(permute(x, p), mask);
}

} // namespace

Sides canonical(Sides s)
{
    Sides best = s;
    forEachSymmetry(s.mine, [&](const BitPermutation& p, int mask, Cells mine) {
        // The side to move's cells decide first: most images lose on them alone.
        if (mine <= best.mine) {
            const Cells theirs = imageOf(s.theirs, p, mask);
            if (mine < best.mine || theirs < best.theirs)
                best = {mine, theirs};
        }
        return true;
    });
    return best;
}

Cells distinctMoves(Sides s, Cells moves)
{
    Cells kept = moves;
    forEachSymmetry(s.mine, [&](const BitPermutation& p, int mask, Cells mine) {
        if (mine != s.mine || imageOf(s.theirs, p, mask) != s.theirs)
            return true;
        for (Cells left = kept; left != 0; left &= left - 1) {
            const int move = std::countr_zero(left);
            const int twin = permuteIndex(move, p) ^ mask;
            if (twin < move && (kept & cellBit(twin)) != 0)
                kept &= ~cellBit(move);
        }
        return true;
    });
    return kept;
}

int cellOfImage(Sides s, Sides imageOfS, int imageCell)
{
    int found = -1;
    forEachSymmetry(s.mine, [&](const BitPermutation& p, int mask, Cells mine) {
        if (mine != imageOfS.mine || imageOf(s.theirs, p, mask) != imageOfS.theirs)
            return true;
        for (int cell = 0; cell < kCells; ++cell)
            if ((permuteIndex(cell, p) ^ mask) == imageCell)
                found = cell;
        return false;
    });
    return found;
}

} // namespace vornix
