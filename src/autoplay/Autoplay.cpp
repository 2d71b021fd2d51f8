// Computer versus computer: two personas take turns, the men swapped before every move so that
// the side about to move always owns the crosses.
#include "game/Game.h"

#include <chrono>

namespace vornix {

namespace {
constexpr int kRounds = 32;
}

void Game::setUpPlayer1()
{
    st_.AlphaBetaOpponent = false;
    st_.SnibbetMode = false;
    st_.ZeddonOpponent = false;
    takeOpponentFromMenu();
}

void Game::setUpPlayer2()
{
    st_.AlphaBetaOpponent = false;
    st_.SnibbetMode = false;
    st_.ZeddonOpponent = false;
    switch (static_cast<SecondPlayer>(options_.Option1)) {
    case SecondPlayer::Zeddon: st_.ZeddonOpponent = true; break;
    case SecondPlayer::CommonSense: st_.OpponentRoutine = Routine::normal; break;
    case SecondPlayer::Evaluating: st_.OpponentRoutine = Routine::eval; break;
    case SecondPlayer::MiniMaxing: st_.OpponentRoutine = Routine::Longthink; break;
    case SecondPlayer::Snibbet: st_.SnibbetMode = true; [[fallthrough]];
    case SecondPlayer::AlphaBeta:
        st_.AlphaBetaOpponent = true;
        st_.SearchDepth = options_.SearcDepth2 + 1;
        break;
    }
}

void Game::endMatch()
{
    // The Opponent menu's choice comes back for the next ordinary game, the fifth persona's too.
    st_.AlphaBetaOpponent = false;
    st_.ZeddonOpponent = false;
    takeOpponentFromMenu();
    st_.AutoplayInProgress = false;
}

void Game::Autoplay()
{
    Initialize();
    // A game finished before the match must not count as the first player's win.
    st_.GameOver = 0;
    st_.AutoplayOn = true;
    st_.AutoplayInProgress = true;

    using Clock = std::chrono::steady_clock;
    // After a player's move: true when the match is over, by a win or a stop.
    auto decided = [this](int player, int round, Clock::time_point moveStart) {
        if (matchMoveObserver_)
            matchMoveObserver_(player, std::chrono::duration<double>(Clock::now() - moveStart).count());
        if (st_.GameOver == -1) {
            if (st_.AutoplayInProgress)
                window_.messageBox("Player " + std::to_string(player) + " won after "
                                   + std::to_string(2 * round + player) + " moves.");
            return true;
        }
        if (!st_.AutoplayOn)
            return true;
        // Each move stays on the board for a moment, thinking time included, so the user can watch
        // and stop the match between moves.
        const auto shown = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - moveStart);
        if (shown.count() < matchPauseMs_)
            window_.pause(matchPauseMs_ - static_cast<int>(shown.count()));
        return !st_.AutoplayOn;
    };

    for (int round = 0; round < kRounds; ++round) {
        if (!st_.AutoplayOn) {
            endMatch();
            return;
        }
        auto moveStart = Clock::now();
        Play();
        if (decided(1, round, moveStart)) {
            endMatch();
            return;
        }
        moveStart = Clock::now();
        setUpPlayer2();
        Swap_Click();
        st_.weights = options_.secondSet();
        Play();
        if (decided(2, round, moveStart)) {
            endMatch();
            return;
        }
        setUpPlayer1();
        Swap_Click();
        st_.weights = options_.firstSet();
    }
    window_.messageBox("It's a draw");
    endMatch();
}

} // namespace vornix
