// Everything one game of the program keeps: the board and its history, the flags, the gauge,
// the selected opponent and the shared values of the computer's strategies.
#pragma once

#include "ai/Evaluate.h"
#include "game/Board.h"

#include <array>
#include <cstdint>

namespace vornix {

// The strategy Play uses while the alpha-beta opponent is not selected.
enum class Routine : std::uint8_t { None, normal, Longthink, eval };

inline constexpr int kHistorySize = 66;
inline constexpr float kGaugeFull = 16.0F;
inline constexpr std::int32_t kMinSearchDepth = 1;
inline constexpr std::int32_t kMaxSearchDepth = 6;

struct GameState {
    Grid GridContents{};
    std::int32_t TurnNumber = 0;
    std::int32_t LatestTurn = 0;
    std::array<Grid, kHistorySize> BoardHistory{};
    Coord LastHumanMove{};

    bool ComputerHasMoved = false;
    bool AlphaBetaOpponent = true;
    bool SnibbetMode = false;
    bool ZeddonOpponent = false; // the sixth persona plays, whatever the other opponent flags say
    bool Cheated = false;
    bool AutoplayOn = false;
    bool AutoplayInProgress = false;
    bool ComputerThinking = false;
    bool SkipReply = false;
    bool TwoPlayerGame = false;
    bool NoughtsToMove = true;
    // Which side had the first move of a game between two humans: with the number of placements it
    // tells whose turn a position restored by undo or redo is.
    bool NoughtsStarted = true;
    std::int32_t GameOver = 0; // 0, or -1 once a side has completed a line
    std::int32_t HoverCell = 0;

    Routine OpponentRoutine = Routine::None;
    // 16: the human may place; 0: no placement is accepted. The progress bar only draws it.
    float ReadyGauge = 0.0F;

    EvalWeights weights;
    LineTally tally;
    std::int32_t SearchDepth = 3;

    std::array<Coord, kCells> CandidateMoves{};
    std::int32_t CandidateCount = 0;
    std::int32_t BestValue = 0;
    std::int32_t BestReplyValue = 0;
    std::array<std::int32_t, 8> WeightTable{};

    friend bool operator==(const GameState&, const GameState&) = default;

    std::int32_t& cell(int i, int j, int k) { return GridContents[cellIndex(i, j, k)]; }
    std::int32_t cell(int i, int j, int k) const { return GridContents[cellIndex(i, j, k)]; }
};

} // namespace vornix
