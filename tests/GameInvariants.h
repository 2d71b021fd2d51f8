// What holds of a game at rest, however it was reached: the checks a fuzz target makes after every
// step, and tests make where a file or a command could break them.
#pragma once

#include "RecordingWindow.h"
#include "game/Game.h"

#include <algorithm>
#include <string>

namespace vornix::testing {

// The first invariant the game breaks, or "" when it keeps them all.
inline std::string brokenInvariant(const Game& game, const RecordingWindow& window)
{
    const GameState& st = game.state();
    const MenuModel& menus = game.menus();
    if (!(0 <= st.TurnNumber && st.TurnNumber <= st.LatestTurn && st.LatestTurn <= kCells))
        return "turns out of order: " + std::to_string(st.TurnNumber) + " of " + std::to_string(st.LatestTurn);
    if (piecesOn(st.GridContents) != st.TurnNumber)
        return "the board holds " + std::to_string(piecesOn(st.GridContents)) + " pieces after "
            + std::to_string(st.TurnNumber) + " placements";
    for (int t = 0; t <= st.LatestTurn; ++t)
        if (piecesOn(st.BoardHistory[t]) != t)
            return "history entry " + std::to_string(t) + " holds " + std::to_string(piecesOn(st.BoardHistory[t]));
    for (int n = 0; n < kCells; ++n) {
        const std::int32_t v = st.GridContents[n];
        if (v != kEmpty && v != kNought && v != kCross)
            return "cell " + std::to_string(n) + " holds " + std::to_string(v);
        if (window.captions[n] != captionOf(v))
            return "cell " + std::to_string(n) + " shows '" + window.captions[n] + "'";
    }
    for (const Grid& snapshot : st.BoardHistory)
        for (std::int32_t v : snapshot)
            if (v != kEmpty && v != kNought && v != kCross)
                return "a history entry holds " + std::to_string(v);
    if (st.GameOver != 0 && st.GameOver != -1)
        return "GameOver " + std::to_string(st.GameOver);
    if (menus.enabled(MenuItem::TakeBackMenu) != (st.TurnNumber >= 1)
        || menus.enabled(MenuItem::RedoMoveMenu) != (st.TurnNumber < st.LatestTurn))
        return "undo and redo disagree with the turns";
    if (st.SearchDepth < kMinSearchDepth || st.SearchDepth > kMaxSearchDepth)
        return "search depth " + std::to_string(st.SearchDepth);
    int depthsChecked = 0;
    for (int d = kMinSearchDepth; d <= kMaxSearchDepth; ++d)
        depthsChecked += menus.checked(searchDepthItem(d));
    if (depthsChecked != 1 || !menus.checked(searchDepthItem(st.SearchDepth)))
        return "the depth menu does not show the search depth";
    const EvalWeights& w = st.weights;
    for (std::int32_t weight :
         {w.OneNoughtWeight, w.OneCrossWeight, w.TwoNoughtsWeight, w.TwoCrossesWeight, w.ThreeNoughtsWeight})
        if (weight < -kWeightLimit || weight > kWeightLimit)
            return "weight " + std::to_string(weight);

    // The opponent that plays is the one the menu shows.
    const MenuItem opponents[] = {MenuItem::EvaluateMenu, MenuItem::CommonSenseMenu, MenuItem::MiniMaxMenu,
                                  MenuItem::AlphaBetaMenu, MenuItem::CMenu, MenuItem::ZeddonMenu};
    if (std::count_if(std::begin(opponents), std::end(opponents), [&](MenuItem i) { return menus.checked(i); }) != 1)
        return "not exactly one opponent checked";
    const bool plays = menus.checked(MenuItem::ZeddonMenu) ? st.ZeddonOpponent
        : st.ZeddonOpponent                           ? false
        : menus.checked(MenuItem::CMenu)              ? st.AlphaBetaOpponent && st.SnibbetMode
        : menus.checked(MenuItem::AlphaBetaMenu)      ? st.AlphaBetaOpponent && !st.SnibbetMode
        : st.AlphaBetaOpponent                        ? false
        : menus.checked(MenuItem::EvaluateMenu)       ? st.OpponentRoutine == Routine::eval
        : menus.checked(MenuItem::CommonSenseMenu)    ? st.OpponentRoutine == Routine::normal
                                                      : st.OpponentRoutine == Routine::Longthink;
    if (!plays)
        return "the opponent that plays is not the one checked";
    if (!game.busy() && (st.AutoplayOn || st.AutoplayInProgress || st.ComputerThinking))
        return "a computer turn or match is flagged as running";
    return "";
}

} // namespace vornix::testing
