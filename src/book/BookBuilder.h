// Builds the opening book: from the empty board, the first player's move at each of its positions
// that the fixed rules do not settle, against every reply up to symmetry, down to the leaves.
//
// A position the prover settles within its time gets the winning move it found. One it cannot
// settle, near the top of the tree, gets the prover's most promising move for now, and the search
// goes on below it: should a reply below turn out lost for the first player, the guess and all
// that was added under it are taken back and the next most promising move is tried. A position
// left open is the frontier, for a later run. The book is saved after every entry, so a stop loses
// only the positions in flight.
#pragma once

#include "book/Book.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>

namespace vornix {

struct BookBuildOptions {
    int firstMove = 0;
    double secondsPerPosition = 60;
    std::size_t memoryMiB = 512; // over all jobs
    int jobs = 1;
    // How many plies from the top a move may be guessed, and how many guesses a position gets.
    int guessPlies = 6;
    int guessesPerPosition = 2;
};

struct BookBuildProgress {
    std::uint64_t proved = 0;   // positions the prover settled
    std::uint64_t guessed = 0;  // moves tried before their proof
    std::uint64_t withdrawn = 0; // guesses taken back
    std::uint64_t open = 0;     // positions left to a later run
};

class BookBuilder {
public:
    // saved() is called after every change of the book, with the book locked; report() now and then.
    BookBuilder(Book& book, BookBuildOptions options, std::function<void(const Book&)> saved,
                std::function<void(const BookBuildProgress&)> report, const std::atomic<bool>& stop);

    // From the empty board, or from one position of the first player's (to move) and below it.
    BookBuildProgress run(std::optional<Sides> from = std::nullopt);

private:
    enum class Outcome : std::uint8_t { Won, Open, Failed };
    struct Worker;

    Outcome settle(Worker& worker, Sides s, int ply);
    Outcome expand(Worker& worker, Sides s, int move, int ply);
    void add(Worker& worker, Sides s, int move);
    void withdraw(Worker& worker, std::size_t keep);

    Book& book_;
    BookBuildOptions options_;
    std::function<void(const Book&)> saved_;
    std::function<void(const BookBuildProgress&)> report_;
    const std::atomic<bool>& stop_;
    std::mutex lock_;
    BookBuildProgress progress_;
};

} // namespace vornix
