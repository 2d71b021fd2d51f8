// The first player's strategy as the book and its verifier walk it: three fixed rules, then the book.
#pragma once

#include "ai/ThreatSearch.h"
#include "book/Book.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vornix {

enum class StrategyStep : std::uint8_t {
    Complete,   // a line to complete: won
    Block,      // the other side's line of three to block
    Threats,    // a forced win by threats: won, the strategy's leaf
    BookMove,   // the book's move
    NotInBook,  // none of these: the frontier
    Lost,       // the other side holds two lines of three
};

struct StrategyMove {
    StrategyStep step = StrategyStep::NotInBook;
    int move = -1;
    ThreatSequence sequence; // with Threats
};

// The first player's move at this position (its pieces s.mine, to move, no line completed).
StrategyMove strategyMove(Sides s, const Book& book, ThreatSearch& threats);

// Whether a forced win by threats holds, played out on a plain board against every defence: each
// of the attacker's cells is free, the defender never has a line to complete after it, and it leaves
// a completed line, two cells that complete lines, or one, which the defender must take.
bool threatWinHolds(Sides s, const ThreatSequence& sequence);

struct BookCheck {
    std::uint64_t positions = 0; // the first player's positions of the strategy, up to symmetry
    std::uint64_t frontier = 0;  // of them, those the book does not settle yet
    std::uint64_t leaves = 0;    // of them, those won by a line or by threats
    std::string fault;           // empty when the book holds together
};

// Walks the strategy from this position of the first player's (the empty board unless given)
// against every reply, up to symmetry, checking every move and every leaf's threats by a plain
// replay. onFrontier hears each unsettled position. Where it finds no fault and no frontier, the
// first player wins from there by force.
BookCheck checkBook(const Book& book, const std::function<void(Sides)>& onFrontier = [](Sides) {},
                    Sides from = {});

} // namespace vornix
