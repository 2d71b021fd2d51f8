#include "autoplay/MatchRunner.h"

#include "autoplay/CommandLine.h"
#include "autoplay/HeadlessWindow.h"
#include "game/Game.h"


#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <charconv>
#include <cstdio>
#include <mutex>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>

namespace vornix {

namespace {

std::int64_t number(std::string_view text, std::string_view what, std::int64_t low, std::int64_t high)
{
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        throw MatchUsageError("bad " + std::string(what) + " '" + std::string(text) + "' (" + std::to_string(low)
                              + ".." + std::to_string(high) + ")");
    return value;
}

std::string weightText(std::int32_t w)
{
    return std::to_string(w);
}

// The seed of one match of a run: well spread, so neighbouring matches share nothing.
std::uint64_t matchSeed(std::uint64_t seed, std::uint64_t match)
{
    std::uint64_t z = seed + 0x9E3779B97F4A7C15ULL * (match + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

PlayerSpec parsePlayerSpec(std::string_view text)
{
    PlayerSpec player;
    std::string_view name = text;
    if (const auto slash = text.find('/'); slash != std::string_view::npos) {
        name = text.substr(0, slash);
        std::string_view list = text.substr(slash + 1);
        std::array<std::int32_t, 5> w{};
        for (int n = 0; n < 5; ++n) {
            const auto comma = n < 4 ? list.find(',') : list.size();
            if (comma == std::string_view::npos)
                throw MatchUsageError("weights are five numbers a,b,c,d,e in '" + std::string(text) + "'");
            w[n] = static_cast<std::int32_t>(number(list.substr(0, comma), "weight", -kWeightLimit, kWeightLimit));
            list = n < 4 ? list.substr(comma + 1) : std::string_view{};
        }
        player.weights = {w[0], w[1], w[2], w[3], w[4]};
    }
    if (name == "belwin") {
        player.persona = Persona::Belwin;
    } else if (name == "tovi") {
        player.persona = Persona::Tovi;
    } else if (name == "quen") {
        player.persona = Persona::Quen;
    } else if (name == "zeddon") {
        player.persona = Persona::Zeddon;
    } else if (name.starts_with("morvid:")) {
        player.persona = Persona::Morvid;
        player.depth = static_cast<std::int32_t>(number(name.substr(7), "depth", 1, 6));
    } else {
        throw MatchUsageError("unknown player '" + std::string(text)
                              + "' (belwin, tovi, quen, zeddon or morvid:DEPTH, optionally /a,b,c,d,e)");
    }
    return player;
}

void setUpMatch(Game& game, const PlayerSpec& player1, const PlayerSpec& player2)
{
    switch (player1.persona) {
    case Persona::Belwin: game.EvaluateMenu_Click(); break;
    case Persona::Tovi: game.CommonSenseMenu_Click(); break;
    case Persona::Quen: game.MiniMaxMenu_Click(); break;
    case Persona::Zeddon: game.ZeddonMenu_Click(); break;
    case Persona::Morvid:
        game.AlphaBetaMenu_Click();
        game.SearchDepthMenu_Click(static_cast<std::int16_t>(player1.depth));
        break;
    }
    const EvalWeights& w1 = player1.weights;
    const EvalWeights& w2 = player2.weights;
    game.setOptionText(0, weightText(w1.OneNoughtWeight));
    game.setOptionText(1, weightText(w1.TwoNoughtsWeight));
    game.setOptionText(2, weightText(w1.ThreeNoughtsWeight));
    game.setOptionText(3, weightText(w1.OneCrossWeight));
    game.setOptionText(4, weightText(w1.TwoCrossesWeight));
    game.setOptionText(7, weightText(w2.OneNoughtWeight));
    game.setOptionText(6, weightText(w2.TwoNoughtsWeight));
    game.setOptionText(5, weightText(w2.ThreeNoughtsWeight));
    game.setOptionText(9, weightText(w2.OneCrossWeight));
    game.setOptionText(8, weightText(w2.TwoCrossesWeight));
    const SecondPlayer second = player2.persona == Persona::Belwin ? SecondPlayer::Evaluating
        : player2.persona == Persona::Tovi                        ? SecondPlayer::CommonSense
        : player2.persona == Persona::Quen                        ? SecondPlayer::MiniMaxing
        : player2.persona == Persona::Zeddon                      ? SecondPlayer::Zeddon
                                                                  : SecondPlayer::AlphaBeta;
    game.Option1_Click(static_cast<std::int16_t>(second));
    game.setSecondPlayerDepth(player2.depth - 1);
}

MatchResult playMatch(const PlayerSpec& player1, const PlayerSpec& player2, std::uint64_t seed)
{
    HeadlessWindow window(seed);
    Game game(window);
    game.Form_Load();
    setUpMatch(game, player1, player2);

    MatchResult result;
    game.setMatchMoveObserver([&result](int player, double seconds) {
        (player == 1 ? result.player1Seconds : result.player2Seconds) += seconds;
        ++(player == 1 ? result.player1Moves : result.player2Moves);
        double& longest = player == 1 ? result.player1Longest : result.player2Longest;
        longest = std::max(longest, seconds);
    });
    game.AutoPlayMenu_Click();
    game.NewGameMenu_Click();

    const std::string& message = window.lastMessage();
    result.winner = message.starts_with("Player 1") ? 1 : message.starts_with("Player 2") ? 2 : 0;
    result.moves = game.state().TurnNumber;
    // The men are swapped before every move: a placement is the cell that filled.
    const auto& history = game.state().BoardHistory;
    for (int turn = 1; turn <= result.moves; ++turn)
        for (int cell = 0; cell < kCells; ++cell)
            if (history[turn - 1][cell] == kEmpty && history[turn][cell] != kEmpty)
                result.cells.push_back(cell);
    return result;
}

MatchArguments parseMatchArguments(const std::vector<std::string_view>& args)
{
    std::optional<PlayerSpec> p1;
    std::optional<PlayerSpec> p2;
    MatchArguments m;
    m.jobs = std::max(1U, std::thread::hardware_concurrency());
    static constexpr CommandLineOption kOptions[] = {
        {"p1", true}, {"p2", true}, {"games", true}, {"seed", true}, {"jobs", true}, {"show-moves", false}, {"help", false, 'h'}};
    std::vector<CommandLineWord> words;
    try {
        words = readCommandLine(args, kOptions);
    } catch (const std::invalid_argument& e) {
        throw MatchUsageError(e.what());
    }
    for (const CommandLineWord& word : words) {
        const std::string_view value = word.value;
        if (word.option == "p1")
            p1 = parsePlayerSpec(value);
        else if (word.option == "p2")
            p2 = parsePlayerSpec(value);
        else if (word.option == "games")
            m.games = number(value, "number of games", 1, 1000000);
        else if (word.option == "seed")
            m.seed = static_cast<std::uint64_t>(number(value, "seed", 0, INT64_MAX));
        else if (word.option == "jobs")
            m.jobs = number(value, "number of jobs", 1, 256);
        else if (word.option == "show-moves")
            m.showMoves = true;
        else if (word.option == "help")
            m.help = true;
        else
            throw MatchUsageError("unexpected '" + word.value + "'");
    }
    if (m.help)
        return m;
    if (!p1 || !p2)
        throw MatchUsageError("a match needs --p1 PLAYER and --p2 PLAYER");
    m.player1 = *p1;
    m.player2 = *p2;
    return m;
}

int runMatchCommand(const MatchArguments& run, std::ostream& out, std::FILE* progress)
{
    const std::int64_t games = run.games;
    std::vector<MatchResult> results(static_cast<std::size_t>(games));
    std::atomic<std::int64_t> next{0};
    std::mutex printing;
    std::int64_t done = 0;
    const auto start = std::chrono::steady_clock::now();
    auto report = [&](std::int64_t m) {
        const MatchResult& r = results[static_cast<std::size_t>(m)];
        std::ostringstream line;
        line << "match " << m + 1 << ": " << (r.winner == 0 ? "draw" : "Player " + std::to_string(r.winner) + " won")
             << " after " << r.moves << " moves\n";
        if (run.showMoves) {
            line << "moves";
            for (int cell : r.cells)
                line << ' ' << cell;
            line << '\n';
        }
        const std::lock_guard lock(printing);
        out << line.str() << std::flush;
        ++done;
        if (progress != nullptr) {
            const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const double left = elapsed / static_cast<double>(done) * static_cast<double>(games - done);
            std::fprintf(progress, "\r%lld of %lld games, about %.0f s left   ", static_cast<long long>(done),
                         static_cast<long long>(games), left);
            std::fflush(progress);
        }
    };
    auto worker = [&] {
        for (std::int64_t m = next++; m < games; m = next++) {
            results[static_cast<std::size_t>(m)] =
                playMatch(run.player1, run.player2, matchSeed(run.seed, static_cast<std::uint64_t>(m)));
            report(m);
        }
    };
    {
        std::vector<std::jthread> threads;
        for (std::int64_t t = 1; t < std::min(run.jobs, games); ++t)
            threads.emplace_back(worker);
        worker();
    }
    if (progress != nullptr)
        std::fputs("\r\033[K", progress); // the progress line is gone once the totals follow

    int wins1 = 0;
    int wins2 = 0;
    int draws = 0;
    long totalMoves = 0;
    double seconds1 = 0;
    double seconds2 = 0;
    long moves1 = 0;
    long moves2 = 0;
    double longest1 = 0;
    double longest2 = 0;
    for (const MatchResult& r : results) {
        (r.winner == 1 ? wins1 : r.winner == 2 ? wins2 : draws) += 1;
        totalMoves += r.moves;
        seconds1 += r.player1Seconds;
        seconds2 += r.player2Seconds;
        moves1 += r.player1Moves;
        moves2 += r.player2Moves;
        longest1 = std::max(longest1, r.player1Longest);
        longest2 = std::max(longest2, r.player2Longest);
    }
    char line[160];
    std::snprintf(line, sizeof line, "mean moves: %.1f\n", static_cast<double>(totalMoves) / static_cast<double>(games));
    out << "Player 1 wins: " << wins1 << "\nPlayer 2 wins: " << wins2 << "\ndraws: " << draws << '\n' << line;
    std::snprintf(line, sizeof line, "Player 1 mean time per move: %.3f ms\nPlayer 2 mean time per move: %.3f ms\n",
                  moves1 ? 1000.0 * seconds1 / static_cast<double>(moves1) : 0.0,
                  moves2 ? 1000.0 * seconds2 / static_cast<double>(moves2) : 0.0);
    out << line;
    std::snprintf(line, sizeof line, "Player 1 longest move: %.3f ms\nPlayer 2 longest move: %.3f ms\n",
                  1000.0 * longest1, 1000.0 * longest2);
    out << line;
    return 0;
}

} // namespace vornix
