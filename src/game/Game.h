// The one game object: the state of the program's single board, and every rule that acts on it.
// Its members are the window's event handlers and the routines they share; their definitions live
// beside the subsystem they belong to (game/, ai/, view/, storage/, history/, dialogs/, autoplay/).
#pragma once

#include "ai/AlphaBeta.h"
#include "ai/Choice.h"
#include "ai/Zeddon.h"
#include "dialogs/EvaluatingOptions.h"
#include "dialogs/Menus.h"
#include "game/GameState.h"
#include "puzzles/Puzzles.h"
#include "puzzles/WinLength.h"
#include "review/MoveList.h"
#include "review/Verdict.h"
#include "view/Window.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <functional>
#include <memory>
#include <optional>
#include <array>
#include <string>
#include <string_view>
#include <vector>
#include <utility>

namespace vornix {


enum class MouseButton : std::int16_t { None = 0, Left = 1, Right = 2, Middle = 4 };

class Game {
public:
    explicit Game(Window& window);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    GameState& state() { return st_; }
    const GameState& state() const { return st_; }
    MenuModel& menus() { return menus_; }
    const MenuModel& menus() const { return menus_; }
    const EvaluatingOptions& options() const { return options_; }

    // Program start and the window's end.
    void Form_Load();
    void Form_Unload();

    // Starting games and moving.
    void Initialize();
    void Newgame_Click();
    void NewGameMenu_Click();
    std::int32_t place(std::int32_t mi, std::int32_t mj, std::int32_t mk);
    void TurnIncrement();
    void EnableBox();
    void DisableBox();
    void cell_MouseUp(int Index, MouseButton Button);
    void cell_MouseMove(int Index, int Button);
    void cell_MouseDown(int Index, int Button) { cell_MouseMove(Index, Button); }
    void Form_MouseMove();

    // End of a game.
    void Win();
    void Lose();

    // The computer's turn.
    std::int32_t Evaluate();
    void Play();
    void evalu();
    void Turn();
    void MiniMax();
    void AlphaBetaMove();
    void ZeddonMove();
    void FillWeightTable();

    // Game type and opponent menus.
    void DeCheck();
    void HumanFirstMenu_Click();
    void ComputerFirstMenu_Click();
    void RandomFirstMenu_Click();
    void NoughtsFirstMenu_Click();
    void CrossesFirstMenu_Click();
    void RanomHvH_Click();
    void AutoPlayMenu_Click();
    void UnCheckMenus();
    void EvaluateMenu_Click();
    void CommonSenseMenu_Click();
    void MiniMaxMenu_Click();
    void AlphaBetaMenu_Click();
    void CMenu_Click();
    void ZeddonMenu_Click();
    void SearchDepthMenu_Click(std::int16_t Index);

    // The Evaluating Options dialog.
    void setOptionText(int index, std::string text); // a box's text changed, by the user or the program
    void Text1_Change(int Index);
    void ResetButton_Click();
    void Reset2_Click();
    void Option1_Click(std::int16_t Index);
    void setSecondPlayerDepth(int listIndex);
    void UpdateVariables();
    void publishOptions() const;

    // Statistics.
    bool NoFileCheck();
    void StatisticsMenu_Click();

    // The view: rotations, mirrors and funny fonts.
    void RotateAxis(const std::string& axis, bool clockwise, bool Mirror = false);
    void UpdateDisplayFromGridContents();
    void UpdateGridContentsFromDisplay();
    void XClockMenu_Click();
    void XAClockMenu_Click();
    void YClockMenu_Click();
    void YAClockMenu_Click();
    void ZClockMenu_Click();
    void ZAClockMenu_Click();
    void MirrorXYMenu_Click();
    void MirrorXZMenu_Click();
    void MirrorYZMenu_Click();
    void FunnyFonts_Click();
    void giveCellsTheirLook();

    // Undo, redo, swapping and extra turns.
    void BackInTime(std::int32_t when);
    void TakeBackMenu_Click();
    void RedoMoveMenu_Click();
    void SwapMenu_Click();
    void AnotherGoMenu_Click();
    void HintMenu_Click();
    void Swap_Click();
    void Mygo_Click();

    // Saved games.
    void SaveGameMenu_Click();
    void LoadGameMenu_Click();

    // Computer versus computer.
    void Autoplay();
    // How long each move of a match stays on the board before the next (0 for a headless runner).
    void setMatchPause(int milliseconds) { matchPauseMs_ = milliseconds; }
    // Told the thinking time of every move of a match, by player (1 or 2).
    void setMatchMoveObserver(std::function<void(int player, double seconds)> observer)
    {
        matchMoveObserver_ = std::move(observer);
    }

    // The scoring hook the fifth persona hands every cell to (the game's own answers 0).
    void setMoveScoreHook(MoveScoreHook hook) { moveScore_ = hook; }

    // The status bar's words, shown again whenever they may have changed.
    std::string statusText() const;
    void refreshStatus();

    // The move list: a row for each placement up to the latest, cells named as the board shows them
    // now; and the first placement's number (after a pasted position, the placements it held + 1).
    std::vector<std::string> moveRows() const;
    int firstRowNumber() const { return setUpTurn_ + 1; }
    // Verdicts on the positions of the list: wanted once the game is over, or while Analysis is on
    // (which bends the rules, as a hint does). The window judges the positions asked for, away from
    // the game, and hands each verdict back with the position it is for.
    struct Judging {
        Grid grid{};
        std::int32_t toMove = kNought;
        friend bool operator==(const Judging&, const Judging&) = default;
    };
    bool verdictsWanted() const;
    std::vector<Judging> positionsToJudge() const;
    void setVerdict(const Judging& position, Verdict verdict);
    void setAnalysis(bool on);
    bool analysing() const { return analysis_; }

    // Reviewing shows the position after a placement (0: the first position) without changing the
    // game; refused, false, while the computer thinks. The review ends on any other command.
    bool review(int placement);
    void endReview();
    int reviewing() const { return reviewing_; }
    // Whether the human is to move after that placement, so that play may go on from there; and
    // going on from there: an undo to that point.
    bool mayPlayFrom(int placement) const;
    void playFrom(int placement);

    // The board as 64 characters; the placements from the empty board in the notation (a message
    // and nothing when the game began from a pasted position). Pasting starts a new game from them.
    std::string positionForCopy() const;
    std::string gameForCopy();
    void paste(std::string_view text);

    // Puzzles: the set the game ships, which the player has solved, and playing one. A puzzle is
    // played on the board with the player's noughts to move; the computer defends with the reply
    // that makes the win longest. Leaving puzzle mode puts the ordinary game back as it was.
    struct PuzzleEntry {
        int id = 0;
        int grade = 0;
        bool solved = false;
    };
    std::vector<PuzzleEntry> puzzleList();
    std::optional<int> nextUnsolvedPuzzle();
    bool startPuzzle(int id);
    void leavePuzzles();
    // The puzzle being played, or 0.
    int puzzleId() const { return puzzle_ ? puzzle_->id : 0; }

    // True while a computer turn or a match is running: the board must not change under it.
    bool busy() const { return busyDepth_ > 0; }

    static Rgb normalBackground(int cell);
    static Rgb normalForeground(int cell);

private:
    // Runs a handler that may take a computer turn, marking the game busy meanwhile.
    void exclusively(const std::function<void()>& handler);
    void startNewGameOfCheckedType();
    void setGauge(float value);
    void setAllPointers(Pointer pointer);
    void setAllCursors(PieceCursor cursor);
    void showTurn();
    void showTwoPlayerTurn();
    void updateUndoRedoMenus();
    void recordResult(bool computerWon);
    void placeChoice(const Choice& choice);
    void selectRoutineFromMenu();
    void takeOpponentFromMenu();
    void setUpPlayer1();
    void setUpPlayer2();
    void endMatch();
    void refreshMarks();
    void startThinking();
    bool thinkingGoesOn();
    void showFinalPosition();
    void forgetPositionMarks();
    // The sixth persona, made when first asked for, with the opening book the game ships.
    Zeddon& zeddon();

    Window& window_;
    MenuModel menus_;
    EvaluatingOptions options_;
    GameState st_;
    std::unique_ptr<AlphaBetaEngine> alphaBeta_;
    std::unique_ptr<Zeddon> zeddon_;
    std::optional<Book> book_;
    int busyDepth_ = 0;
    int gamesStarted_ = 0; // tells a handler that a new game began while it waited
    bool pendingNewGame_ = false;
    bool closing_ = false;
    int matchPauseMs_ = 0;
    std::function<void(int, double)> matchMoveObserver_;
    int latestCross_ = -1;
    int hint_ = -1; // shown until the next placement
    MoveScoreHook moveScore_ = &NativeMoveScore;

    // Per placement, who made it; per recorded position, where its cells stand on the board now.
    std::array<Placer, kHistorySize> placers_{};
    std::array<std::array<std::int8_t, kCells>, kHistorySize> shownAt_{};
    int reviewing_ = 0;
    bool analysis_ = false;
    std::vector<std::pair<Judging, Verdict>> verdicts_;
    int setUpTurn_ = 0; // the placements a pasted position began with: undo stops there
    void resetViews();
    Grid shownHistory(int turn) const;
    std::vector<Placement> placements() const;
    std::vector<Judging> judgings(const std::vector<Placement>& list) const;
    Verdict verdictOn(const Judging& position) const;
    void showGrid(const Grid& grid);
    // The game's own board again, after a review or a puzzle: captions, and pieces where it may take one.
    void showTheGame();

    // Puzzle mode.
    // The ordinary game, kept while puzzles are played.
    struct Ordinary {
        GameState state;
        std::array<Placer, kHistorySize> placers{};
        std::array<std::array<std::int8_t, kCells>, kHistorySize> shownAt{};
        int setUpTurn = 0;
        int latestCross = -1;
        std::map<MenuItem, bool> enabled;
    };
    const std::vector<Puzzle>& puzzles();
    void defendPuzzle();
    bool puzzleMoveHolds(int cell);
    void puzzleSolved();
    void showPuzzleMenus();
    int puzzlePlacementsLeft() const;
    std::optional<std::vector<Puzzle>> puzzleSet_;
    std::vector<std::string> solved_;
    std::optional<Puzzle> puzzle_;
    std::optional<int> pendingPuzzle_; // to start once the placement that ended the last one is done
    std::unique_ptr<Ordinary> ordinary_;
    std::unique_ptr<WinLength> winLength_;
};

std::string turnCaption(std::int32_t turnNumber);

} // namespace vornix
