#include "ReviewCommand.h"

#include "AnalyseArguments.h"
#include "autoplay/CommandLine.h"
#include "game/Notation.h"
#include "review/MoveList.h"
#include "review/Verdict.h"
#include "storage/SavedGame.h"

#include <iostream>
#include <sstream>

namespace vornix {

namespace {

constexpr std::string_view kReviewUsage =
    "Usage: vornix-analyse review (--game FILE.VRNX | --moves CELLS)\n"
    "Prints a line for each placement: its number, its cell (layer, row and column, each 1-4) and a\n"
    "verdict on the position after it: noughts-win, crosses-win, neither or unknown. --moves starts\n"
    "with noughts, as a pasted game does.\n";

} // namespace

int reviewCommand(const std::vector<std::string_view>& args)
{
    static constexpr CommandLineOption kOptions[] = {{"game", true}, {"moves", true}, {"help", false, 'h'}};
    std::vector<CommandLineWord> words;
    try {
        words = readCommandLine(args, kOptions);
    } catch (const std::invalid_argument& e) {
        throw AnalyseUsageError(e.what());
    }
    std::vector<Grid> positions;
    int given = 0;
    for (const CommandLineWord& word : words) {
        if (word.option == "help") {
            std::cout << kReviewUsage;
            return 0;
        }
        ++given;
        positions.clear();
        if (word.option == "game") {
            const auto bytes = readSavedGameBytes(word.value);
            const auto game = bytes ? decode(*bytes) : std::nullopt;
            if (!game)
                throw AnalyseUsageError("Error opening file " + word.value + ": not a game saved by Vornix");
            const int last = std::clamp(game->LatestTurn, 0, kHistorySize - 1);
            positions.assign(game->BoardHistory.begin(), game->BoardHistory.begin() + last + 1);
        } else if (word.option == "moves") {
            // A finished game too: only a line completed before the last placement is refused.
            const auto cells = readCells(word.value);
            Grid grid{};
            positions.push_back(grid);
            for (std::size_t n = 0; cells && n < cells->size(); ++n) {
                if (gameFinished(grid))
                    throw AnalyseUsageError("--moves: the game is over before placement " + std::to_string(n + 1));
                grid[(*cells)[n]] = n % 2 == 0 ? kNought : kCross;
                positions.push_back(grid);
            }
            if (!cells || cells->empty())
                throw AnalyseUsageError("--moves takes the cells of a game, each once: '" + word.value + "'");
        } else {
            throw AnalyseUsageError("review takes --game FILE or --moves CELLS, not '" + word.value + "'");
        }
    }
    if (given != 1)
        throw AnalyseUsageError("review takes one of --game FILE or --moves CELLS");

    std::array<Placer, kHistorySize> placers{};
    const std::vector<Placement> list =
        placementsOf(positions.data(), static_cast<int>(positions.size()) - 1, placers.data());
    Judge judge;
    for (std::size_t n = 0; n < list.size(); ++n) {
        const Verdict verdict = judge.judge(positions[n + 1], sideToMoveAfter(list, n + 1));
        std::ostringstream line;
        line << n + 1 << ' ' << cellName(list[n].cell) << ' ' << verdictToken(verdict) << '\n';
        std::cout << line.str() << std::flush;
    }
    return 0;
}

} // namespace vornix
