// The options a run of the program takes on its command line, and their parser.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shared/pace.h"

namespace koropika {

struct CommandLine {
    // --mute: the run starts with the sound off, whatever the stored choice says.
    bool mute = false;
    // --deal N: the run's first round is round N (1..999 999 999) instead of a new one.
    std::optional<std::uint64_t> deal;
    // --pace slow|normal|fast: the speed of this run, whatever the stored choice says.
    std::optional<Speed> pace;
    // --help (or -h): print the usage and end at once.
    bool help = false;
};

// What the command line asked for. A value an option does not take is a `problem`; arguments
// that are none of the program's own are listed in `unknown`, as the toolkit may still take
// some of them for itself (-platform, -style) when it starts.
struct CommandLineReading {
    CommandLine options;
    std::string problem;  // one line in English, naming the option and what it takes
    std::vector<std::string> unknown;

    bool refused() const { return !problem.empty() || !unknown.empty(); }
};

CommandLineReading parseCommandLine(std::span<const std::string_view> arguments);

// The line saying what was wrong with a refused command line: the bad value, or the first
// unknown argument.
std::string refusal(const CommandLineReading& reading);

// How to start the program: the synopsis and a line for each option, for standard output when
// asked with --help and for standard error after a refusal.
std::string usage(std::string_view programName);

}  // namespace koropika
