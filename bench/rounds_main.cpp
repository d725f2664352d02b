// Plays whole rounds headless and reports how strong the computer is and how fast rounds run.
//
//   koropika_rounds [--through engine|windows] [--cards 28|40|52] [--level 1..6]
//                   [--player perfect|random] [--rounds N] [--seed S]
//       plays N rounds of one kind, the sides taking turns to start, and ends with the lines
//       "computer win % = W ± SE, draw % = D ± SE, moves per round = M ± SE" and "rounds/s = R".
//   koropika_rounds --chart [--rounds N] [--seed S] [--data FILE] [--plot FILE.png]
//       every level and card count against the perfect and the random player through the
//       engine (N rounds per point, 20 000 by default), as a table, a data file and a chart.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "bench/round_player.h"

namespace kb = koropika::bench;
using koropika::testing::PlayerKind;

namespace {

struct Options {
    std::string through = "engine";
    int cards = 52;
    int level = 6;
    PlayerKind player = PlayerKind::Perfect;
    int rounds = -1;  // by mode
    std::uint64_t seed = 20261207;
    bool chart = false;
    std::string dataFile;
    std::string plotFile;
};

[[noreturn]] void usage() {
    std::cerr << "usage: koropika_rounds [--through engine|windows] [--cards 28|40|52] "
                 "[--level 1..6] [--player perfect|random] [--rounds N] [--seed S]\n"
                 "       koropika_rounds --chart [--rounds N] [--seed S] [--data FILE] "
                 "[--plot FILE.png]\n";
    std::exit(2);
}

Options parse(int argc, char* argv[]) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                usage();
            }
            return argv[++i];
        };
        if (arg == "--through") {
            o.through = value();
        } else if (arg == "--cards") {
            o.cards = std::stoi(value());
        } else if (arg == "--level") {
            o.level = std::stoi(value());
        } else if (arg == "--player") {
            const std::string kind = value();
            o.player = kind == "perfect"  ? PlayerKind::Perfect
                       : kind == "random" ? PlayerKind::Random
                                          : (usage(), PlayerKind::Random);
        } else if (arg == "--rounds") {
            o.rounds = std::stoi(value());
        } else if (arg == "--seed") {
            o.seed = std::stoull(value());
        } else if (arg == "--chart") {
            o.chart = true;
        } else if (arg == "--data") {
            o.dataFile = value();
        } else if (arg == "--plot") {
            o.plotFile = value();
        } else {
            usage();
        }
    }
    if ((o.through != "engine" && o.through != "windows") ||
        (o.cards != 28 && o.cards != 40 && o.cards != 52) || o.level < 1 || o.level > 6) {
        usage();
    }
    if (o.rounds < 0) {
        o.rounds = o.chart ? 20'000 : 1'000;
    }
    return o;
}

// Sums over the rounds of one kind, with the standard error of each figure.
struct Tally {
    long rounds = 0;
    long computerWins = 0;
    long draws = 0;
    double moves = 0;
    double movesSquared = 0;
    long picks = 0;
    long picksFromMemory = 0;

    void add(const kb::RoundResult& r) {
        ++rounds;
        computerWins += r.computerCards > r.playerCards ? 1 : 0;
        draws += r.computerCards == r.playerCards ? 1 : 0;
        moves += r.moves;
        movesSquared += static_cast<double>(r.moves) * r.moves;
        picks += r.computerPicks;
        picksFromMemory += r.computerPicksFromMemory;
    }
    double share(long part) const { return 100.0 * static_cast<double>(part) / rounds; }
    // The standard error of a share of the rounds, in points.
    double shareError(long part) const {
        const double p = static_cast<double>(part) / rounds;
        return 100.0 * std::sqrt(p * (1 - p) / rounds);
    }
    double meanMoves() const { return moves / rounds; }
    double movesError() const {
        const double mean = meanMoves();
        const double variance = (movesSquared - rounds * mean * mean) / (rounds - 1);
        return std::sqrt(std::max(0.0, variance) / rounds);
    }
    double memoryShare() const {
        return picks == 0 ? 0.0 : 100.0 * static_cast<double>(picksFromMemory) / picks;
    }
};

std::unique_ptr<kb::RoundPlayer> roundsOf(const std::string& through, int cards, int level,
                                          PlayerKind player, std::uint64_t seed) {
    return through == "windows" ? kb::windowRounds(cards, level, player, seed)
                                : kb::engineRounds(cards, level, player, seed);
}

Tally play(kb::RoundPlayer& rounds, int count) {
    Tally tally;
    for (int i = 0; i < count; ++i) {
        tally.add(rounds.playRound(i % 2 == 1));  // the sides take turns to start
    }
    return tally;
}

int playOneKind(const Options& o) {
    auto rounds = roundsOf(o.through, o.cards, o.level, o.player, o.seed);
    const auto start = std::chrono::steady_clock::now();
    const Tally t = play(*rounds, o.rounds);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("through %s, %d cards, level %d, player %s, %d rounds, seed %llu\n",
                o.through.c_str(), o.cards, o.level, koropika::testing::nameOf(o.player), o.rounds,
                static_cast<unsigned long long>(o.seed));
    // Only the engine's moves say which picks came from memory.
    if (o.through == "engine") {
        std::printf("computer picks from memory %% = %.2f (%ld picks)\n", t.memoryShare(), t.picks);
    }
    std::printf(
        "computer win %% = %.2f ± %.2f, draw %% = %.2f ± %.2f, moves per round = %.2f ± %.2f\n",
        t.share(t.computerWins), t.shareError(t.computerWins), t.share(t.draws),
        t.shareError(t.draws), t.meanMoves(), t.movesError());
    std::printf("rounds/s = %.0f\n", o.rounds / seconds);
    return 0;
}

int drawChart(const Options& o) {
    std::ostringstream data;
    data << "# level cards player win% winSE draw% drawSE moves movesSE\n";
    std::printf("## The computer at each level: %d rounds per point through the engine\n\n",
                o.rounds);
    std::printf(
        "| player | cards | level | computer wins %% ± SE | draws %% ± SE | moves/round ± SE | "
        "picks from memory %% |\n|---|---:|---:|---:|---:|---:|---:|\n");
    std::uint64_t seed = o.seed;
    for (const PlayerKind player : {PlayerKind::Perfect, PlayerKind::Random}) {
        for (const int cards : {28, 40, 52}) {
            for (int level = 1; level <= 6; ++level) {
                auto rounds = roundsOf("engine", cards, level, player, seed++);
                const Tally t = play(*rounds, o.rounds);
                const char* name = koropika::testing::nameOf(player);
                std::printf("| %s | %d | %d | %.2f ± %.2f | %.2f ± %.2f | %.2f ± %.2f | %.1f |\n",
                            name, cards, level, t.share(t.computerWins),
                            t.shareError(t.computerWins), t.share(t.draws), t.shareError(t.draws),
                            t.meanMoves(), t.movesError(), t.memoryShare());
                std::fflush(stdout);
                data << level << ' ' << cards << ' ' << name << ' ' << t.share(t.computerWins)
                     << ' ' << t.shareError(t.computerWins) << ' ' << t.share(t.draws) << ' '
                     << t.shareError(t.draws) << ' ' << t.meanMoves() << ' ' << t.movesError()
                     << '\n';
            }
            data << "\n\n";  // one gnuplot data block per player and card count
        }
    }
    if (!o.dataFile.empty()) {
        std::ofstream(o.dataFile) << data.str();
    }
    if (o.plotFile.empty()) {
        return 0;
    }
    if (o.dataFile.empty()) {
        std::cerr << "--plot needs --data\n";
        return 2;
    }
    // Blocks 0-2: the perfect player with 28/40/52 cards; blocks 3-5: the random player.
    std::ostringstream script;
    script << "set terminal pngcairo size 1100,460 font 'IPAPGothic,10'\n"
           << "set output '" << o.plotFile << "'\n"
           << "set multiplot layout 1,2 title 'The computer at each level (" << o.rounds
           << " rounds per point, bars ±1 standard error)'\n"
           << "set xlabel 'level'\nset xtics 1\nset xrange [0.8:6.2]\nset grid\n"
           << "set key top left\n"
           << "set ylabel 'computer wins against a player who never forgets (%)'\n"
           << "f='" << o.dataFile << "'\n"
           << "plot for [b=0:2] f index b using 1:4:5 with yerrorlines lw 2 "
              "title sprintf('%d cards', 28+12*b)\n"
           << "set ylabel 'moves per round, both sides'\nset key top right\n"
           << "plot for [b=0:2] f index b using 1:8:9 with yerrorlines lw 2 "
              "title sprintf('vs perfect memory, %d cards', 28+12*b), \\\n"
           << "     for [b=3:5] f index b using 1:8:9 with yerrorlines lw 2 dt 2 "
              "title sprintf('vs random player, %d cards', 28+12*(b-3))\n"
           << "unset multiplot\n";
    FILE* gnuplot = popen("gnuplot", "w");
    if (gnuplot == nullptr) {
        std::cerr << "gnuplot could not be started\n";
        return 1;
    }
    std::fputs(script.str().c_str(), gnuplot);
    if (pclose(gnuplot) != 0) {
        std::cerr << "gnuplot failed\n";
        return 1;
    }
    std::printf("\nplot: %s\n", o.plotFile.c_str());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const Options o = parse(argc, argv);
    try {
        return o.chart ? drawChart(o) : playOneKind(o);
    } catch (const std::exception& e) {
        std::cerr << "koropika_rounds: " << e.what() << '\n';
        return 1;
    }
}
