// The analysis tool's command line, read into what it asks for; nothing is looked at or played here.
#pragma once

#include "ai/Evaluate.h"
#include "game/Board.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vornix {

struct AnalyseUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Analysis {
    std::string strategy = "evalu"; // evalu, turn, minimax, alphabeta, threats or zeddon
    EvalWeights weights;
    std::optional<std::int32_t> depth;
    Coord lastHuman{};
    bool snibbet = false;
    std::optional<Grid> grid;            // a position given on the command line, or
    bool positionOnInput = false;        // one to read from standard input ("-"), or
    std::optional<std::string> gameFile; // a saved game to read it from
    bool help = false;                   // only the usage is asked for
    bool version = false;                // only the version
};

// A position from its 64 characters; throws AnalyseUsageError for anything else.
Grid parsePosition(std::string_view text);

// Throws AnalyseUsageError, saying what is wrong, for anything but a well-formed request: exactly
// one position (given, or "-" for standard input) or saved game, every number in its range; or
// --help or --version, which need nothing else.
Analysis parseAnalysis(const std::vector<std::string_view>& args);

} // namespace vornix
