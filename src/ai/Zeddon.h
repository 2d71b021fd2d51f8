// The sixth persona's choice of a cross: a win in one, a block of the player's win in one, the first
// move of a forced win by threats, the opening book's move when crosses moved first, a forced win by
// proof; otherwise only cells after which the player has no
// forced win by threats (and, where some are, none after any reply either), preferably ones that
// make no line of three (a threat is kept for a forced win), the best of them by a deep alpha-beta
// search on the game's evaluation, and of those the ones after which a short proof search shows
// the player no win.
#pragma once

#include "ai/AlphaBeta.h"
#include "ai/Choice.h"
#include "ai/ProofSearch.h"
#include "ai/Prover.h"
#include "ai/ThreatSearch.h"
#include "book/Book.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vornix {

enum class ZeddonReason : std::uint8_t { Win, Block, Threats, Book, Proof, Search };

std::string_view reasonName(ZeddonReason reason);

struct ZeddonChoice {
    ZeddonReason reason = ZeddonReason::Search;
    CellList candidates; // equally good, in the strategies' order; the persona draws one at random
};

class Zeddon {
public:
    // How deep the search among the safe cells looks, its own ply included; and how deep it looks
    // again when that stays within a budget of plies (a few tenths of a second).
    static constexpr std::int32_t kSearchDepth = 5;
    // How far below the best value the deep search finds a cell may be and still be chosen, at
    // random among the others, in the opening (while fewer pieces than this stand on the board),
    // moving first and moving second: less than one line of a single piece, so that its games vary
    // where no move is yet decisive; the second player, a move behind, can afford less.
    static constexpr std::int32_t kVarietyMargin = 6;
    static constexpr std::int32_t kVarietyMarginSecond = 2;
    static constexpr int kVarietyBeforePieces = 10;
    // Moving second where the other side's pieces stand where the book puts them, the book wins
    // against every reply: there Zeddon also draws among the replies after which the book has the
    // first player's move, within a wider margin at its third and fourth replies (by its reply, the
    // first to the fifth), so that the book's line, where its games would otherwise all be one,
    // varies. Its first two replies stay narrow: the replies to a corner differ more than their
    // values say, and a margin of 12 at the second turned 23 of 200 wins against Morvid 6 into
    // losses; 50 at the third turned none, 100 there 42.
    static constexpr std::array<std::int32_t, 5> kBookLineMargin = {0, 0, 50, 200, 0};
    static constexpr std::int32_t kDeepSearchDepth = 7;
    static constexpr std::uint64_t kDeepSearchNodes = 2'000'000;
    // How many positions the prover may look at for a win of its own in one move, a few tenths of
    // a second; and how large its table is, kept from move to move.
    static constexpr std::uint64_t kProofNodes = std::uint64_t{1} << 14;
    static constexpr std::size_t kProofTableBytes = std::size_t{32} << 20;

    // How many positions the threat search may look at, over all its searches, when it looks two
    // plies ahead: a tenth of a second or two.
    static constexpr std::uint64_t kSafetyNodes = 200'000;
    // How many positions the proof search may hold when it checks a chosen cell for a win of the
    // player's, and in all its checks of one move: a few hundredths of a second, a tenth.
    static constexpr std::size_t kGuardNodes = std::size_t{1} << 14;
    static constexpr std::uint64_t kGuardNodesPerMove = std::uint64_t{1} << 16;

    // The cells crosses, to move on this board, would choose from, and why. The proof search asks
    // keepGoing() now and then, and the deep search before each cell; no candidate once it says no.
    ZeddonChoice choose(const Grid& grid, const EvalWeights& weights,
                        const std::function<bool()>& keepGoing = [] { return true; });

    // Moving first, crosses play the book's move wherever the book has one (none: no book).
    void setBook(const Book* book) { book_ = book; }

private:
    // Whether the side to move (s.mine) has a reply after which the other side has no forced win by
    // threats: a win of its own, the one block it must make, or any quiet cell.
    bool hasSafeReply(Sides s);
    // Those of these cells where a cross makes no line of three.
    static Cells makingNoThree(Sides crosses, Cells cells);
    // Those of the safe cells after which every reply of the player leaves crosses a safe reply.
    Cells keepingASafeReply(Sides crosses, Cells safe);
    // The best of these cells by the deep search; nothing when goOn() said stop.
    std::optional<CellList> bestByDeepSearch(const Grid& grid, const EvalWeights& weights, Cells cells,
                                             const std::function<bool()>& goOn);

    const Book* book_ = nullptr;
    ThreatSearch threats_;
    std::uint64_t safetyNodes_ = 0;
    Prover proof_{kProofTableBytes};
    ProofSearch guard_{kGuardNodes};
    AlphaBetaEngine search_;
};

} // namespace vornix
