// A command line read the way shell users expect, by the C library's own reader: "--name value"
// or "--name=value", an unambiguous prefix of a name, options and operands in any order, "--"
// before operands that start with "-"; a lone "-" is an operand.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

struct CommandLineOption {
    std::string_view name; // long name, without the dashes
    bool takesValue = false;
    char shortName = 0; // 0: none
};

struct CommandLineWord {
    std::string_view option; // the option's long name; empty for an operand
    std::string value;       // the option's value, or the operand
};

// The options and operands in the order given. Throws std::invalid_argument, saying what is
// wrong, for an unknown option, a value missing, or a value given to an option that takes none.
std::vector<CommandLineWord> readCommandLine(const std::vector<std::string_view>& args,
                                             std::span<const CommandLineOption> options);

} // namespace vornix
