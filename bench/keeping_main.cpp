// Times the keeping of the round in play, as the game window asks for it after every card turned
// and every move resolved, in a records file that already holds many rounds.
//
//   koropika_keeping [--rounds-in-file N] [--rounds R] [--folder DIR]
//
// Prints one line per figure: the keeps timed, their median, 99th percentile and longest, in
// milliseconds, and the standard error of the median taken as the spread of the rounds' medians.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "records/records_store.h"
#include "support/engine_rounds.h"

namespace {

using namespace koropika;
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A round of 52 cards at level 6 played to its end, the player turning the first face-down
// slots it may; each card and each resolution keeps the round, timed.
std::vector<double> keepOneRound(records::RecordsStore& store, std::uint64_t deal) {
    SeededRandom random(deal);
    RoundEngine engine;
    engine.deal(52, 6, random);
    engine.decideStarter(static_cast<int>(deal % 2));
    engine.pressStart();
    for (int slot = 1; slot <= 52; ++slot) {
        engine.revealCard(slot);
    }
    engine.beginPlay();
    KeptRound kept;
    kept.round.playerName = "はなこ";
    kept.round.level = 6;
    kept.round.cardCount = 52;
    kept.round.dealNumber = static_cast<std::int64_t>(deal);
    std::vector<double> times;
    const auto keep = [&] {
        kept.round.playerCount = engine.playerCards();
        kept.round.computerCount = engine.computerCards();
        kept.turns = engine.moveLog().turns();
        kept.resolvedTurns = engine.turnsResolved();
        const Clock::time_point start = Clock::now();
        if (!store.keep(kept)) {
            std::exit(1);
        }
        times.push_back(millisecondsSince(start));
    };
    while (!engine.roundOver()) {
        if (const std::optional<TurnedCard> card = testing::turnNextCard(engine)) {
            keep();
            if (card->second) {
                engine.resolveMove();
                keep();
            }
        }
    }
    return times;
}

}  // namespace

int main(int argc, char* argv[]) {
    long inFile = 100'000;
    int rounds = 20;
    std::string folder = std::filesystem::temp_directory_path() / "koropika-keeping";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--rounds-in-file") {
            inFile = std::atol(argv[i + 1]);
        } else if (option == "--rounds") {
            rounds = std::atoi(argv[i + 1]);
        } else if (option == "--folder") {
            folder = argv[i + 1];
        }
    }
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    {
        records::RecordsStore filler(folder);
        RoundRecord round;
        round.playerName = "たろう";
        round.cardCount = 52;
        round.winner = Winner::Computer;
        for (long i = 0; i < inFile; ++i) {
            round.level = 1 + static_cast<int>(i % 6);
            filler.record(round);
        }
    }
    records::RecordsStore store(folder);
    std::vector<double> all;
    std::vector<double> medians;
    for (int round = 0; round < rounds; ++round) {
        const std::vector<double> times = keepOneRound(store, 1000 + static_cast<unsigned>(round));
        all.insert(all.end(), times.begin(), times.end());
        medians.push_back(medianOf(times));
        RoundRecord left;
        left.playerName = "はなこ";
        left.ending = Ending::Left;
        store.record(left);
    }
    double mean = 0;
    for (const double m : medians) {
        mean += m / static_cast<double>(medians.size());
    }
    double spread = 0;
    for (const double m : medians) {
        spread += (m - mean) * (m - mean) / static_cast<double>(medians.size() - 1);
    }
    std::vector<double> sorted = all;
    std::sort(sorted.begin(), sorted.end());
    std::printf("keeps %zu in %d rounds of 52 cards, %ld rounds in the file\n", all.size(), rounds,
                inFile);
    std::printf("median %.3f ms (standard error %.3f), 99th percentile %.3f ms, longest %.3f ms\n",
                medianOf(all), std::sqrt(spread / static_cast<double>(medians.size())),
                sorted[sorted.size() * 99 / 100], sorted.back());
    std::filesystem::remove_all(folder);
    return 0;
}
