// The opening book: its file, its moves under the cube's symmetries, and the walk that checks it.
#include "RecordingWindow.h"
#include "ai/Prover.h"
#include "book/BookBuilder.h"
#include "book/Strategy.h"
#include "game/Symmetries.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>

namespace vornix::testing {
namespace {

Sides image(const CellPermutation& map, Sides s)
{
    Sides out;
    for (int cell = 0; cell < kCells; ++cell) {
        out.mine |= (s.mine >> cell & 1U) << map[cell];
        out.theirs |= (s.theirs >> cell & 1U) << map[cell];
    }
    return out;
}

// 64-bit FNV-1a, as published: offset basis 14695981039346656037, prime 1099511628211.
std::string checksumOf(std::string_view lines)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (unsigned char c : lines)
        hash = (hash ^ c) * 1099511628211ULL;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// Crosses (the first player) at 0 and 6, noughts at 23 and 49: no symmetry but the identity keeps
// it, so each image has one move that is the image of crosses' move 3.
constexpr Sides kPosition{cellBit(0) | cellBit(6), cellBit(23) | cellBit(49)};

TEST(Book, GivesItsMoveInEveryImageOfAPositionAndReadsBackWhatItWrote)
{
    Grid g{};
    g[0] = g[6] = kCross;
    g[23] = g[49] = kNought;
    ASSERT_EQ(stabiliserOf(g).size(), 1U);
    Book book;
    book.add({}, 0);
    book.add(kPosition, 3);
    for (const CellPermutation& map : lineAutomorphisms())
        ASSERT_EQ(book.moveAt(image(map, kPosition)), map[3]);
    EXPECT_EQ(book.moveAt({cellBit(1), cellBit(2)}), std::nullopt);

    const auto [read, why] = Book::parse(book.text());
    ASSERT_TRUE(read) << why;
    EXPECT_EQ(read->entries(), book.entries());
    EXPECT_EQ(read->firstMove(), 0);
    EXPECT_EQ(book.text().substr(0, 36), "vornix-book 1\nfirst 0\nentries 2\nchec");
}

TEST(Book, RefusesAFileThatIsNotOneWhole)
{
    Book book;
    book.add({}, 0);
    book.add(kPosition, 3);
    const std::string text = book.text();
    const std::size_t lines = text.find('\n', text.find("checksum")) + 1;
    const std::string header = text.substr(0, lines);
    const std::string entries = text.substr(lines);
    auto withChecksum = [&](const std::string& body, const std::string& count = "2") {
        return "vornix-book 1\nfirst 0\nentries " + count + "\nchecksum " + checksumOf(body) + "\n" + body;
    };
    ASSERT_TRUE(Book::parse(withChecksum(entries)).first); // the helper writes what the book writes
    const std::string first = entries.substr(0, entries.find('\n') + 1);
    const std::string second = entries.substr(first.size());
    std::string occupied = second;
    occupied.replace(occupied.rfind(' ') + 1, std::string::npos, std::to_string(second.find('X')) + "\n");
    std::string damaged = text;
    damaged[damaged.size() - 2] = damaged[damaged.size() - 2] == '1' ? '2' : '1';
    for (const std::string& bad :
         {std::string("vornix-book 2\n") + text.substr(text.find('\n') + 1), damaged, withChecksum(second + first),
          withChecksum(entries, "3"), withChecksum(first + occupied), withChecksum(first + "X" + second.substr(1)),
          std::string(), text.substr(0, 30)})
        EXPECT_FALSE(Book::parse(bad).first) << bad << "\n" << Book::parse(bad).second;
}

// A forced win by threats played out on a plain board: crosses along (t, 0, 0) and (3, t, 0).
TEST(BookStrategy, AThreatLeafHoldsOnlyWhenEveryStepForcesTheReply)
{
    const Sides doubleThreat = sidesOf(gridOf("XX.....X...X.........O....................................O....."), kCross);
    const Sides noughtsFirst = sidesOf(gridOf("XX.....X...X....OOO..................................O.........."), kCross);
    auto sequence = [](std::initializer_list<int> cells) {
        ThreatSequence s;
        for (int cell : cells)
            s.cells[s.count++] = static_cast<std::uint8_t>(cell);
        return s;
    };
    EXPECT_TRUE(threatWinHolds(doubleThreat, sequence({3})));
    EXPECT_FALSE(threatWinHolds(doubleThreat, sequence({2})));    // one threat, blocked
    EXPECT_FALSE(threatWinHolds(doubleThreat, sequence({2, 3}))); // and 3 is then taken
    EXPECT_FALSE(threatWinHolds(doubleThreat, sequence({0})));    // a cell taken
    EXPECT_FALSE(threatWinHolds(noughtsFirst, sequence({3})));    // noughts complete (t, 0, 1) first
}

TEST(BookStrategy, AFirstMoveAloneLeavesEveryReplyToSettle)
{
    Book book;
    book.add({}, 0);
    std::uint64_t heard = 0;
    const BookCheck check = checkBook(book, [&](Sides s) {
        ASSERT_EQ(s.mine, cellBit(0));
        ASSERT_EQ(std::popcount(s.theirs), 1);
        ++heard;
    });
    EXPECT_TRUE(check.fault.empty()) << check.fault;
    EXPECT_EQ(check.frontier, heard);
    EXPECT_EQ(check.positions, heard + 1);
    EXPECT_GT(heard, 5U);
    EXPECT_LT(heard, 63U); // the corner's symmetries leave fewer replies to settle than cells
}

// Below a late position that crosses win by force, though not by threats alone, the builder leaves
// a strategy that the plain walk finds complete and sound.
TEST(BookBuilder, LeavesACompleteStrategyBelowAWonPosition)
{
    std::mt19937 random(3);
    Prover prover(std::size_t{16} << 20);
    ThreatSearch threats;
    for (int tries = 0; tries < 2000; ++tries) {
        // 10 pieces each, none completing a line as it is placed.
        Grid g{};
        for (int n = 0; n < 20; ++n) {
            const std::int32_t piece = n % 2 == 0 ? kCross : kNought;
            for (int cell = static_cast<int>(random() % 64);; cell = (cell + 1) % 64) {
                if (g[cell] != kEmpty)
                    continue;
                g[cell] = piece;
                if (!gameFinished(g))
                    break;
                g[cell] = kEmpty;
            }
        }
        const Sides s = sidesOf(g, kCross);
        if (winningCells(s.mine, s.theirs) || winningCells(s.theirs, s.mine) || !threats.find(s).empty()
            || prover.prove(s, [](const ProverProgress&) { return true; }, 50000).proof != Proof::Win)
            continue;
        Book book;
        const std::atomic<bool> stop{false};
        BookBuilder builder(book, {}, [](const Book&) {}, [](const BookBuildProgress&) {}, stop);
        builder.run(s);
        const BookCheck check = checkBook(book, [](Sides) {}, s);
        EXPECT_TRUE(check.fault.empty()) << check.fault;
        EXPECT_EQ(check.frontier, 0U);
        EXPECT_TRUE(book.contains(s));
        return;
    }
    FAIL() << "no such position found";
}

} // namespace
} // namespace vornix::testing
