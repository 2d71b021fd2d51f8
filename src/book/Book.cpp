#include "book/Book.h"

#include "ai/BoardSymmetries.h"
#include "game/Notation.h"
#include "storage/SafeWrite.h"

#include <bit>
#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

namespace vornix {

namespace {

std::uint64_t fnv1a(std::string_view text, std::uint64_t hash = 0xCBF29CE484222325ULL)
{
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

std::string entryLine(const BookKey& key, int move)
{
    return positionText({key.first, key.second}) + ' ' + std::to_string(move) + '\n';
}

// The next line of the text, without its newline; false at the end.
bool nextLine(std::string_view& text, std::string_view& line)
{
    if (text.empty())
        return false;
    const std::size_t end = text.find('\n');
    line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    return true;
}

std::optional<std::uint64_t> number(std::string_view text, int base = 10)
{
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<Sides> readPosition(std::string_view text)
{
    if (text.size() != kCells)
        return std::nullopt;
    Sides s;
    for (int n = 0; n < kCells; ++n) {
        if (text[n] == 'X')
            s.mine |= cellBit(n);
        else if (text[n] == 'O')
            s.theirs |= cellBit(n);
        else if (text[n] != '.')
            return std::nullopt;
    }
    return s;
}

} // namespace

std::string positionText(Sides s)
{
    std::string text(kCells, '.');
    for (int n = 0; n < kCells; ++n)
        text[n] = (s.mine & cellBit(n)) ? 'X' : (s.theirs & cellBit(n)) ? 'O' : '.';
    return text;
}

std::optional<int> Book::moveAt(Sides s) const
{
    const Sides c = canonical(s);
    const auto found = entries_.find({c.mine, c.theirs});
    if (found == entries_.end())
        return std::nullopt;
    return cellOfImage(s, c, found->second);
}

bool Book::contains(Sides s) const
{
    const Sides c = canonical(s);
    return entries_.count({c.mine, c.theirs}) != 0;
}

void Book::add(Sides s, int move)
{
    const Sides c = canonical(s);
    // The move in the image: the cell a symmetry taking s to c maps it to.
    int imageMove = -1;
    for (int cell = 0; cell < kCells && imageMove < 0; ++cell)
        if (cellOfImage(s, c, cell) == move)
            imageMove = cell;
    entries_.emplace(BookKey{c.mine, c.theirs}, imageMove);
    if (s.mine == 0 && s.theirs == 0)
        first_ = move;
}

void Book::remove(Sides s)
{
    const Sides c = canonical(s);
    entries_.erase({c.mine, c.theirs});
}

std::string Book::text() const
{
    std::string lines;
    for (const auto& [key, move] : entries_)
        lines += entryLine(key, move);
    std::ostringstream out;
    char checksum[17];
    std::snprintf(checksum, sizeof checksum, "%016llx", static_cast<unsigned long long>(fnv1a(lines)));
    out << "vornix-book " << kBookFormat << "\nfirst " << first_ << "\nentries " << entries_.size() << "\nchecksum "
        << checksum << '\n'
        << lines;
    return out.str();
}

std::pair<std::optional<Book>, std::string> Book::parse(std::string_view text)
{
    auto fail = [](std::string why) { return std::pair<std::optional<Book>, std::string>{std::nullopt, why}; };
    std::string_view line;
    auto field = [&](std::string_view name) -> std::optional<std::string_view> {
        if (!nextLine(text, line) || !line.starts_with(name) || line.size() <= name.size() || line[name.size()] != ' ')
            return std::nullopt;
        return line.substr(name.size() + 1);
    };
    const auto format = field("vornix-book");
    if (!format || number(*format) != std::uint64_t{kBookFormat})
        return fail("not an opening book of this version");
    const auto first = field("first");
    const auto count = field("entries");
    const auto checksum = field("checksum");
    if (!first || !count || !checksum || !number(*count) || !number(*checksum, 16))
        return fail("the book's header is damaged");
    if (fnv1a(text) != *number(*checksum, 16))
        return fail("the book's checksum does not match its entries");
    Book book;
    const std::optional<std::uint64_t> firstMove = *first == "-1" ? std::optional<std::uint64_t>(kCells) : number(*first);
    if (!firstMove || *firstMove > kCells)
        return fail("the book's first move is not a cell");
    book.first_ = *firstMove == kCells ? -1 : static_cast<int>(*firstMove);
    BookKey last{};
    while (nextLine(text, line)) {
        const std::optional<Sides> s = line.size() > kCells ? readPosition(line.substr(0, kCells)) : std::nullopt;
        const std::optional<std::uint64_t> move = s && line[kCells] == ' ' ? number(line.substr(kCells + 1)) : std::nullopt;
        if (!move || *move >= kCells || ((s->mine | s->theirs) & cellBit(static_cast<int>(*move))) != 0
            || std::popcount(s->mine) != std::popcount(s->theirs) || hasLine(s->mine) || hasLine(s->theirs))
            return fail("a line of the book is not a position of the first player's and a free cell: '"
                        + std::string(line.substr(0, 80)) + "'");
        // A position not in its canonical form is never looked up: the walk of the strategy, not
        // the reader, finds the gap it leaves.
        const BookKey key{s->mine, s->theirs};
        if (!book.entries_.empty() && !(last < key))
            return fail("the book's entries are not sorted, or one comes twice");
        book.entries_.emplace(key, static_cast<int>(*move));
        last = key;
    }
    if (book.entries_.size() != *number(*count))
        return fail("the book holds another number of entries than its header says");
    return {std::move(book), ""};
}

std::pair<std::optional<Book>, std::string> readBook(const std::filesystem::path& file)
{
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec))
        return {std::nullopt, "it is a folder"};
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {std::nullopt, "it cannot be opened"};
    std::string text(kMaxBookBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return {std::nullopt, "it cannot be read"};
    if (text.size() > kMaxBookBytes)
        return {std::nullopt, "it is too large to be a book"};
    return Book::parse(text);
}

bool writeBook(const std::filesystem::path& file, const Book& book)
{
    const std::string text = book.text();
    return writeFileSafely(file, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

} // namespace vornix
