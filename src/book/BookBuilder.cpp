#include "book/BookBuilder.h"

#include "ai/Prover.h"
#include "ai/BoardSymmetries.h"
#include "book/Strategy.h"

#include <bit>
#include <chrono>
#include <memory>
#include <set>
#include <thread>
#include <vector>

namespace vornix {

struct BookBuilder::Worker {
    explicit Worker(std::size_t tableBytes) : prover(tableBytes) {}
    Prover prover;
    ThreatSearch threats;
    std::vector<Sides> added; // this worker's entries, in the order added: the guesses' undo list
    std::set<std::pair<Cells, Cells>> won; // positions shown won in this run
};

BookBuilder::BookBuilder(Book& book, BookBuildOptions options, std::function<void(const Book&)> saved,
                         std::function<void(const BookBuildProgress&)> report, const std::atomic<bool>& stop)
    : book_(book), options_(options), saved_(std::move(saved)), report_(std::move(report)), stop_(stop)
{
}

void BookBuilder::add(Worker& worker, Sides s, int move)
{
    const std::lock_guard hold(lock_);
    book_.add(s, move);
    worker.added.push_back(s);
    saved_(book_);
}

void BookBuilder::withdraw(Worker& worker, std::size_t keep)
{
    const std::lock_guard hold(lock_);
    while (worker.added.size() > keep) {
        book_.remove(worker.added.back());
        worker.added.pop_back();
    }
    worker.won.clear(); // some of them may have stood on what was taken back
    ++progress_.withdrawn;
    saved_(book_);
}

// Every reply to the first player's move, up to symmetry; lost as soon as one reply is.
BookBuilder::Outcome BookBuilder::expand(Worker& worker, Sides s, int move, int ply)
{
    const Sides after{s.mine | cellBit(move), s.theirs};
    if (hasLine(after.mine))
        return Outcome::Won;
    Outcome outcome = Outcome::Won;
    const Cells replies = distinctMoves({after.theirs, after.mine}, after.empty());
    for (Cells left = replies; left != 0 && !stop_; left &= left - 1) {
        const Outcome reply = settle(worker, {after.mine, after.theirs | (left & (0 - left))}, ply + 2);
        if (reply == Outcome::Failed)
            return Outcome::Failed;
        if (reply == Outcome::Open)
            outcome = Outcome::Open;
    }
    return stop_ ? Outcome::Open : outcome;
}

BookBuilder::Outcome BookBuilder::settle(Worker& worker, Sides s, int ply)
{
    const Sides c = canonical(s);
    if (worker.won.count({c.mine, c.theirs}) != 0)
        return Outcome::Won;
    StrategyMove step;
    {
        const std::lock_guard hold(lock_);
        step = strategyMove(s, book_, worker.threats);
    }
    Outcome outcome = Outcome::Open;
    switch (step.step) {
    case StrategyStep::Complete:
    case StrategyStep::Threats: outcome = Outcome::Won; break;
    case StrategyStep::Lost: return Outcome::Failed;
    case StrategyStep::Block:
    case StrategyStep::BookMove: outcome = expand(worker, s, step.move, ply); break;
    case StrategyStep::NotInBook: {
        const auto deadline = std::chrono::steady_clock::now()
            + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                std::chrono::duration<double>(options_.secondsPerPosition));
        const ProofResult proof = worker.prover.prove(s, [&](const ProverProgress&) {
            return !stop_ && std::chrono::steady_clock::now() < deadline;
        });
        if (proof.proof == Proof::NoWin)
            return Outcome::Failed;
        if (proof.proof == Proof::Win) {
            {
                const std::lock_guard hold(lock_);
                ++progress_.proved;
                report_(progress_);
            }
            add(worker, s, proof.move);
            outcome = expand(worker, s, proof.move, ply);
            break;
        }
        if (stop_ || ply >= options_.guessPlies) {
            const std::lock_guard hold(lock_);
            ++progress_.open;
            report_(progress_);
            return Outcome::Open;
        }
        // Unsettled near the top: the most promising moves, one at a time, proved from below.
        const std::vector<int> moves = worker.prover.promisingMoves(s);
        for (int n = 0; n < options_.guessesPerPosition && n < static_cast<int>(moves.size()) && !stop_; ++n) {
            const std::size_t keep = worker.added.size();
            {
                const std::lock_guard hold(lock_);
                ++progress_.guessed;
            }
            add(worker, s, moves[n]);
            outcome = expand(worker, s, moves[n], ply);
            if (outcome != Outcome::Failed)
                break;
            withdraw(worker, keep);
        }
        if (outcome == Outcome::Failed)
            outcome = Outcome::Open; // no guess held: that proves nothing of the position
        break;
    }
    }
    if (outcome == Outcome::Won)
        worker.won.insert({c.mine, c.theirs});
    return outcome;
}

BookBuildProgress BookBuilder::run(std::optional<Sides> from)
{
    if (from) {
        Worker worker((options_.memoryMiB << 20));
        settle(worker, *from, std::popcount(from->mine | from->theirs));
        return progress_;
    }
    const Sides empty{};
    if (!book_.contains(empty)) {
        const std::lock_guard hold(lock_);
        book_.add(empty, options_.firstMove);
        saved_(book_);
    }
    const int first = *book_.moveAt(empty);
    // The replies to the first move, shared out among the jobs; each job has a table of its own.
    const Sides afterFirst{cellBit(first), 0};
    std::vector<Sides> replies;
    for (Cells left = distinctMoves(afterFirst, afterFirst.empty()); left != 0; left &= left - 1)
        replies.push_back({afterFirst.mine, left & (0 - left)});
    std::atomic<std::size_t> next{0};
    const int jobs = std::max(1, options_.jobs);
    const std::size_t tableBytes = (options_.memoryMiB << 20) / static_cast<std::size_t>(jobs);
    auto work = [&] {
        Worker worker(tableBytes);
        for (std::size_t n = next++; n < replies.size() && !stop_; n = next++)
            settle(worker, replies[n], 2);
    };
    {
        std::vector<std::jthread> threads;
        for (int j = 1; j < jobs; ++j)
            threads.emplace_back(work);
        work();
    }
    return progress_;
}

} // namespace vornix
