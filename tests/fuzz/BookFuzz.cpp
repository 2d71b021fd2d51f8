// Fuzzes the opening book's reader: any text is refused, or read as a book whose every entry is a
// free cell of a position of the first player's, and which reads back the same once written.
#include "book/Book.h"

#include <bit>
#include <cstdlib>
#include <string_view>

using namespace vornix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto [book, why] = Book::parse(text);
    if (!book)
        return 0;
    const auto again = Book::parse(book->text()).first;
    if (!again || again->entries() != book->entries() || again->firstMove() != book->firstMove())
        std::abort();
    for (const auto& [key, move] : book->entries()) {
        if (move < 0 || move >= kCells || ((key.first | key.second) & cellBit(move)) != 0 || (key.first & key.second) != 0
            || std::popcount(key.first) != std::popcount(key.second))
            std::abort();
    }
    return 0;
}
