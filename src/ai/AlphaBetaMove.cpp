// The root of the alpha-beta opponents: every cell valued in turn, with a pause for the window
// before each one, and one of the equally best played.
#include "ai/AlphaBeta.h"
#include "ai/MiniMax.h"
#include "game/Game.h"

#include <limits>

namespace vornix {

void Game::FillWeightTable()
{
    const EvalWeights& w = st_.weights;
    st_.WeightTable = {w.OneNoughtWeight,  w.OneCrossWeight,        w.TwoNoughtsWeight,     w.TwoCrossesWeight,
                       w.ThreeNoughtsWeight, kThreeCrossesCoefficient, kFourNoughtsCoefficient, kFourCrossesCoefficient};
}

void Game::startThinking()
{
    setGauge(0.0F);
    window_.randomize();
    st_.ComputerHasMoved = false;
    st_.CandidateCount = 0;
    st_.ComputerThinking = true;
    refreshStatus();
}

// Lets the window run, then says whether the move is still wanted: a new game or a stopped match
// during the pause abandons it.
bool Game::thinkingGoesOn()
{
    window_.yieldToEvents();
    if (st_.AutoplayInProgress && !st_.AutoplayOn) {
        st_.AutoplayInProgress = false;
        return false;
    }
    return st_.ComputerThinking;
}

void Game::AlphaBetaMove()
{
    startThinking();

    // One depth, one set of weights and one persona for the whole move: a menu or dialog change
    // made during a pause applies from the next move on.
    const std::int32_t depth = st_.SearchDepth;
    const bool snibbet = st_.SnibbetMode;
    if (!alphaBeta_)
        alphaBeta_ = std::make_unique<AlphaBetaEngine>();
    alphaBeta_->reset(st_.GridContents, st_.weights, depth);

    auto beforeCell = [this](int) { return thinkingGoesOn(); };
    auto valueOf = [&](int cell, std::int32_t best) {
        if (!snibbet)
            return alphaBeta_->CrossPly(cell, best);
        const Coord c = coordOf(cell);
        window_.setCellVisible(cell, false);
        FillWeightTable();
        const std::int32_t v =
            moveScore_(c.i, c.j, c.k, 10, best, st_.GridContents.data(), depth, st_.WeightTable.data());
        window_.setCellVisible(cell, true);
        return v;
    };
    auto rowEnd = [this] { setGauge(st_.ReadyGauge + 1.0F); };

    Choice choice;
    if (!visitRoot(st_.GridContents, kRootFloor, choice, beforeCell, valueOf, rowEnd))
        return;
    st_.ComputerThinking = false;
    if (choice.candidates.empty()) {
        // Every value fell below the root's floor: take the best of them after all.
        choice.fallback = searchRoot(*alphaBeta_, st_.GridContents, std::numeric_limits<std::int32_t>::min() / 2)
                              .candidates;
    }
    placeChoice(choice);
    if (Evaluate() < kComputerWonScore)
        Lose();
}

} // namespace vornix
