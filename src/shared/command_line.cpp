#include "shared/command_line.h"

namespace koropika {

std::optional<CommandLine> parseCommandLine(std::span<const std::string_view> arguments) {
    CommandLine options;
    for (const std::string_view argument : arguments) {
        if (argument == "--mute") {
            options.mute = true;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

std::string usageLine(std::string_view programName) {
    return "usage: " + std::string(programName) + " [--mute]";
}

}  // namespace koropika
