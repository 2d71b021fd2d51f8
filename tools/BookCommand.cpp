#include "BookCommand.h"

#include "AnalyseArguments.h"
#include "autoplay/CommandLine.h"
#include "book/BookBuilder.h"
#include "book/Strategy.h"
#include "storage/DataFiles.h"

#include <atomic>
#include <bit>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

namespace vornix {

namespace {

std::atomic<bool> stopRequested{false};

double positiveNumber(const std::string& text, const char* what)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(value > 0) || value > 1e7)
        throw AnalyseUsageError(std::string(what) + " takes a number above 0, not '" + text + "'");
    return value;
}

int wholeNumber(const std::string& text, const char* what, int low, int high)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        throw AnalyseUsageError(std::string(what) + " must be " + std::to_string(low) + ".." + std::to_string(high));
    return value;
}

Book loadBook(const std::filesystem::path& file)
{
    auto [book, why] = readBook(file);
    if (!book)
        throw AnalyseUsageError("cannot read the book " + file.string() + ": " + why);
    return std::move(*book);
}

int build(const std::vector<CommandLineWord>& words)
{
    std::filesystem::path out;
    BookBuildOptions options;
    bool resume = false;
    std::optional<Sides> from;
    for (const CommandLineWord& word : words) {
        if (word.option == "out")
            out = word.value;
        else if (word.option == "first")
            options.firstMove = wholeNumber(word.value, "--first", 0, 63);
        else if (word.option == "seconds-per-position")
            options.secondsPerPosition = positiveNumber(word.value, "--seconds-per-position");
        else if (word.option == "jobs")
            options.jobs = wholeNumber(word.value, "--jobs", 1, 256);
        else if (word.option == "memory")
            options.memoryMiB = static_cast<std::size_t>(wholeNumber(word.value, "--memory", 16, 65536));
        else if (word.option == "resume")
            resume = true;
        else if (word.option == "from") {
            const Sides s = sidesOf(parsePosition(word.value), kCross);
            if (std::popcount(s.mine) != std::popcount(s.theirs) || hasLine(s.mine) || hasLine(s.theirs))
                throw AnalyseUsageError("--from takes a position of the first player's, crosses to move");
            from = s;
        }
        else
            throw AnalyseUsageError("book build does not take '" + word.value + "'");
    }
    if (out.empty())
        throw AnalyseUsageError("book build needs --out FILE");
    std::error_code ec;
    if (std::filesystem::exists(out, ec) && !resume)
        throw AnalyseUsageError(out.string() + " exists: give --resume to carry on with it");
    Book book = resume && std::filesystem::exists(out, ec) ? loadBook(out) : Book{};
    if (resume && book.firstMove() >= 0)
        options.firstMove = book.firstMove();

    std::signal(SIGINT, [](int) { stopRequested = true; });
    std::signal(SIGTERM, [](int) { stopRequested = true; });
    const auto start = std::chrono::steady_clock::now();
    bool writeFailed = false;
    BookBuilder builder(
        book, options, [&](const Book& b) { writeFailed = writeFailed || !writeBook(out, b); },
        [&](const BookBuildProgress& p) {
            const double hours = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / 3600;
            std::fprintf(stderr, "%.2f h: %llu proved, %llu guessed, %llu withdrawn, %llu left open\n", hours,
                         static_cast<unsigned long long>(p.proved), static_cast<unsigned long long>(p.guessed),
                         static_cast<unsigned long long>(p.withdrawn), static_cast<unsigned long long>(p.open));
        },
        stopRequested);
    const BookBuildProgress p = builder.run(from);
    if (writeFailed || !writeBook(out, book)) {
        std::cerr << "vornix-analyse: the book could not be written to " << out.string() << '\n';
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("entries %zu\nproved %llu\nopen %llu\nseconds %.0f\n", book.size(),
                static_cast<unsigned long long>(p.proved), static_cast<unsigned long long>(p.open), seconds);
    return 0;
}

int verify(const std::filesystem::path& file, bool listFrontier)
{
    const Book book = loadBook(file);
    const BookCheck check = checkBook(book, [&](Sides s) {
        if (listFrontier)
            std::cout << positionText(s) << '\n';
    });
    if (listFrontier)
        return check.fault.empty() ? 0 : 1;
    std::cout << "entries " << book.size() << "\npositions " << check.positions << "\nleaves " << check.leaves
              << "\nfrontier " << check.frontier << "\ncomplete from the empty board: "
              << (check.fault.empty() && check.frontier == 0 ? "yes" : "no") << '\n';
    if (!check.fault.empty()) {
        std::cerr << "vornix-analyse: the book does not hold: " << check.fault << '\n';
        return 1;
    }
    return 0;
}

int merge(const std::vector<CommandLineWord>& words)
{
    std::filesystem::path out;
    std::vector<std::filesystem::path> inputs;
    for (const CommandLineWord& word : words) {
        if (word.option == "out")
            out = word.value;
        else if (word.option.empty())
            inputs.emplace_back(word.value);
        else
            throw AnalyseUsageError("book merge does not take '" + word.value + "'");
    }
    if (out.empty() || inputs.empty())
        throw AnalyseUsageError("book merge needs --out FILE and the books to merge");
    Book merged;
    for (const auto& input : inputs) {
        const Book book = loadBook(input);
        if (merged.firstMove() >= 0 && book.firstMove() >= 0 && merged.firstMove() != book.firstMove())
            throw AnalyseUsageError("the books begin with different first moves");
        // An entry already there stays: each is a winning move of its own.
        for (const auto& [key, move] : book.entries())
            merged.add({key.first, key.second}, move);
    }
    if (!writeBook(out, merged)) {
        std::cerr << "vornix-analyse: the book could not be written to " << out.string() << '\n';
        return 1;
    }
    std::cout << "entries " << merged.size() << '\n';
    return 0;
}

} // namespace

int bookCommand(const std::vector<std::string_view>& args)
{
    static constexpr CommandLineOption kOptions[] = {
        {"out", true},  {"first", true},  {"seconds-per-position", true}, {"jobs", true},
        {"memory", true}, {"resume", false}, {"from", true},
    };
    if (args.empty())
        throw AnalyseUsageError("book takes build, verify, frontier or merge");
    const std::string_view action = args[0];
    std::vector<CommandLineWord> words;
    try {
        words = readCommandLine({args.begin() + 1, args.end()}, kOptions);
    } catch (const std::invalid_argument& e) {
        throw AnalyseUsageError(e.what());
    }
    if (action == "build")
        return build(words);
    if (action == "merge")
        return merge(words);
    if (action == "verify" || action == "frontier") {
        if (words.size() > 1 || (words.size() == 1 && !words[0].option.empty()))
            throw AnalyseUsageError("book " + std::string(action) + " takes one book file at most");
        return verify(words.empty() ? programDataFile("book.txt") : std::filesystem::path(words[0].value), action == "frontier");
    }
    throw AnalyseUsageError("unknown book command '" + std::string(action) + "' (build, verify, frontier, merge)");
}

} // namespace vornix
