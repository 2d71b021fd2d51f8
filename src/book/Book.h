// The opening book: the first player's strategy, as the moves that three fixed rules would not give.
// At the first player's turn the rules are, in order: complete a line; block the other side's line
// of three; start a forced win by threats (the strategy's leaf). Any other position of the strategy
// has an entry: the position, brought to its canonical image with the first player's pieces as
// crosses, and a winning move in that image.
//
// The file is plain text: a header, then one entry a line, sorted:
//   vornix-book 1
//   first 0
//   entries 2
//   checksum 1f2e3d4c5b6a7988
//   ................................................................ 0
//   X.......................O....................................... 21
// A position is 64 characters of '.', 'X' (the first player's, to move) and 'O'; the checksum is the
// 64-bit FNV-1a of the entry lines, each with its newline.
#pragma once

#include "ai/Bitboard.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vornix {

inline constexpr int kBookFormat = 1;
// Far beyond any book this game needs: a larger file is not read.
inline constexpr std::size_t kMaxBookBytes = std::size_t{64} << 20;

// A position as its two sets of pieces, the first player's first: the key of an entry.
struct BookKey {
    Cells first = 0;
    Cells second = 0;
    friend auto operator<=>(const BookKey&, const BookKey&) = default;
};

class Book {
public:
    // The first player's move at this position (its pieces in s.mine, to move), mapped back from the
    // canonical image; nothing when the book has no entry for it.
    std::optional<int> moveAt(Sides s) const;

    // Adds an entry for this position, whatever image it is given in; an entry there already stays.
    void add(Sides s, int move);
    void remove(Sides s);
    bool contains(Sides s) const;

    int firstMove() const { return first_; }
    std::size_t size() const { return entries_.size(); }
    const std::map<BookKey, int>& entries() const { return entries_; }

    // The whole file, header and entries.
    std::string text() const;

    // A book from its file's text, or a reason why the text is not one.
    static std::pair<std::optional<Book>, std::string> parse(std::string_view text);

private:
    std::map<BookKey, int> entries_;
    int first_ = -1;
};

// The 64 characters of a position, 'X' for s.mine and 'O' for s.theirs.
std::string positionText(Sides s);

// Reads a book file; the reason it could not be read otherwise.
std::pair<std::optional<Book>, std::string> readBook(const std::filesystem::path& file);

// Writes a book whole, or not at all: the earlier file stays until the new one is complete.
bool writeBook(const std::filesystem::path& file, const Book& book);

} // namespace vornix
