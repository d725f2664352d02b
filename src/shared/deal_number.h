// The numbers of rounds: their range, how one is drawn, and how a typed one is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace koropika {

// Every round has a number in this range; the number seeds the round's chance, so the same
// number at the same card count deals the same cards.
inline constexpr std::uint64_t kFirstDealNumber = 1;
inline constexpr std::uint64_t kLastDealNumber = 999'999'999;

// The number a uniform draw `u` in [0, 1) picks, every number equally likely.
std::uint64_t dealNumberFromDraw(double u);

// A number typed by the player or given on the command line: ASCII or full-width digits only,
// spaces around them allowed. Either the number, or a message in Japanese saying what is wrong,
// the game's own words: look it up with the context kDealNumberTextContext where it is shown.
inline constexpr const char* kDealNumberTextContext = "DealNumber";
struct DealNumberReading {
    std::optional<std::uint64_t> number;
    std::string problem;  // empty when `number` holds
};
DealNumberReading readDealNumber(std::string_view text);

}  // namespace koropika
