#include "autoplay/CommandLine.h"

#include <getopt.h>

#include <stdexcept>

namespace vornix {

namespace {

constexpr int kOperand = 1;      // what getopt_long answers for an operand when asked to keep order
constexpr int kFirstLong = 1000; // long options answer this plus their place in the table

} // namespace

std::vector<CommandLineWord> readCommandLine(const std::vector<std::string_view>& args,
                                             std::span<const CommandLineOption> options)
{
    // getopt_long reads C strings and may reorder them: it gets copies.
    std::vector<std::string> words{"vornix"};
    for (std::string_view arg : args)
        words.emplace_back(arg);
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    std::vector<std::string> names;
    names.reserve(options.size());
    std::vector<option> table;
    std::string shortOptions = "-:"; // operands in order; ':' for a missing value
    for (std::size_t n = 0; n < options.size(); ++n) {
        names.emplace_back(options[n].name);
        const int hasArg = options[n].takesValue ? required_argument : no_argument;
        table.push_back({names.back().c_str(), hasArg, nullptr, kFirstLong + static_cast<int>(n)});
        if (options[n].shortName != 0)
            shortOptions += std::string(1, options[n].shortName) + (options[n].takesValue ? ":" : "");
    }
    table.push_back({nullptr, 0, nullptr, 0});

    std::vector<CommandLineWord> read;
    opterr = 0;
    optind = 0; // start afresh, whatever an earlier reading left
    const int argc = static_cast<int>(words.size());
    for (int c; (c = getopt_long(argc, argv.data(), shortOptions.c_str(), table.data(), nullptr)) != -1;) {
        const std::string given = argv[optind - 1];
        if (c == kOperand) {
            read.push_back({{}, optarg});
        } else if (c == ':') {
            throw std::invalid_argument(given + " needs a value");
        } else if (c == '?') {
            const bool withValue = given.starts_with("--") && given.find('=') != std::string::npos;
            throw std::invalid_argument(withValue ? "'" + given + "' takes no value"
                                                  : "unknown option '" + given + "'");
        } else {
            std::size_t n = 0;
            if (c >= kFirstLong)
                n = static_cast<std::size_t>(c - kFirstLong);
            else
                while (n < options.size() && options[n].shortName != c)
                    ++n;
            read.push_back({options[n].name, optarg != nullptr ? optarg : ""});
        }
    }
    // "--" ends the options: what follows it is operands, whatever they look like.
    for (int n = optind; n < argc; ++n)
        read.push_back({{}, argv[n]});
    return read;
}

} // namespace vornix
