#include "shared/command_line.h"

#include <iterator>

#include "shared/deal_number.h"

namespace koropika {

std::optional<CommandLine> parseCommandLine(std::span<const std::string_view> arguments) {
    CommandLine options;
    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        if (*argument == "--mute") {
            options.mute = true;
        } else if (*argument == "--deal" && std::next(argument) != arguments.end()) {
            ++argument;
            options.deal = readDealNumber(*argument).number;
            if (!options.deal) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    return options;
}

std::string usageLine(std::string_view programName) {
    return "usage: " + std::string(programName) + " [--mute] [--deal N]";
}

}  // namespace koropika
