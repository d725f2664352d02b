#include "shared/command_line.h"

#include <iterator>

#include "shared/deal_number.h"

namespace koropika {

namespace {

// The range a round number takes, as the messages write it.
std::string dealRange() {
    return std::to_string(kFirstDealNumber) + " to " + std::to_string(kLastDealNumber);
}

}  // namespace

CommandLineReading parseCommandLine(std::span<const std::string_view> arguments) {
    CommandLineReading reading;
    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        if (*argument == "--help" || *argument == "-h") {
            reading.options.help = true;
        } else if (*argument == "--mute") {
            reading.options.mute = true;
        } else if (*argument == "--deal") {
            if (std::next(argument) == arguments.end()) {
                reading.problem = "--deal needs a round number from " + dealRange();
                continue;
            }
            ++argument;
            reading.options.deal = readDealNumber(*argument).number;
            if (!reading.options.deal && reading.problem.empty()) {
                reading.problem = "--deal takes a round number from " + dealRange() + ", not \"" +
                                  std::string(*argument) + "\"";
            }
        } else if (*argument == "--pace") {
            const bool given = std::next(argument) != arguments.end();
            if (given) {
                ++argument;
                reading.options.pace = speedNamed(*argument);
            }
            if (!reading.options.pace && reading.problem.empty()) {
                reading.problem = given ? "--pace takes slow, normal or fast, not \"" +
                                              std::string(*argument) + "\""
                                        : "--pace needs slow, normal or fast";
            }
        } else {
            reading.unknown.emplace_back(*argument);
        }
    }
    return reading;
}

std::string refusal(const CommandLineReading& reading) {
    if (!reading.problem.empty()) {
        return reading.problem;
    }
    if (!reading.unknown.empty()) {
        return "unknown option \"" + reading.unknown.front() + "\"";
    }
    return {};
}

std::string usage(std::string_view programName) {
    return "usage: " + std::string(programName) +
           " [--mute] [--deal N] [--pace SPEED] [--help]\n"
           "  --mute          start with the sound off for this run only\n"
           "  --deal N        play round number N (" +
           dealRange() +
           ") first\n"
           "  --pace SPEED    play at slow, normal or fast speed for this run only\n"
           "  --help          print this and exit\n";
}

}  // namespace koropika
