// Plays whole rounds of the real program headless and reports how fast rounds run and how strong
// each level of the computer is: its win rate against a player with perfect memory and against
// one who turns cards at random, the moves per round, and how often its picks used its memory.
// With --plot it draws win rate and moves per level with gnuplot.
//
//   koropika_rounds [--rounds N] [--speed-rounds N] [--seed S] [--data FILE] [--plot FILE.png]
//                   [--speed-only]
//
// Each round writes the window position file when the game window is unloaded for the next
// round, and that write is flushed to the disk: run with TMPDIR on a memory file system to time
// the program rather than the disk.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/round_player.h"

namespace kb = koropika::bench;

namespace {

struct Options {
    int rounds = 1000;       // per level, card count and opponent
    int speedRounds = 3000;  // for the rounds-per-second figure
    std::uint64_t seed = 20261207;
    std::string dataFile;
    std::string plotFile;
    bool speedOnly = false;
};

Options parse(int argc, char* argv[]) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << arg << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--rounds") {
            o.rounds = std::stoi(value());
        } else if (arg == "--speed-rounds") {
            o.speedRounds = std::stoi(value());
        } else if (arg == "--seed") {
            o.seed = std::stoull(value());
        } else if (arg == "--data") {
            o.dataFile = value();
        } else if (arg == "--speed-only") {
            o.speedOnly = true;
        } else if (arg == "--plot") {
            o.plotFile = value();
        } else {
            std::cerr << "usage: koropika_rounds [--rounds N] [--speed-rounds N] [--seed S] "
                         "[--data FILE] [--plot FILE.png] [--speed-only]\n";
            std::exit(2);
        }
    }
    return o;
}

// Sums over the rounds of one setting.
struct Tally {
    int rounds = 0;
    int computerWins = 0;
    int draws = 0;
    long moves = 0;
    long computerMoves = 0;
    long playerMoves = 0;
    long picks = 0;
    long picksFromMemory = 0;
    double movesSquared = 0;
    long firstSeenWasted = 0;
    long secondSeenWasted = 0;

    void add(const kb::RoundResult& r) {
        ++rounds;
        computerWins += r.computerCards > r.playerCards ? 1 : 0;
        draws += r.computerCards == r.playerCards ? 1 : 0;
        const int m = r.playerMoves + r.computerMoves;
        moves += m;
        movesSquared += static_cast<double>(m) * m;
        computerMoves += r.computerMoves;
        playerMoves += r.playerMoves;
        picks += r.computerPicks;
        picksFromMemory += r.computerPicksFromMemory;
        firstSeenWasted += r.computerFirstSeenWasted;
        secondSeenWasted += r.computerSecondSeenWasted;
    }
    double percent(long part, long whole) const {
        return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
    }
    double winRate() const { return percent(computerWins, rounds); }
    double drawRate() const { return percent(draws, rounds); }
    double meanMoves() const { return static_cast<double>(moves) / rounds; }
    double meanComputerMoves() const { return static_cast<double>(computerMoves) / rounds; }
    double meanPlayerMoves() const { return static_cast<double>(playerMoves) / rounds; }
    double memoryShare() const { return percent(picksFromMemory, picks); }
    // Half-width of a 95 % interval of the win rate, in points.
    double winMargin() const {
        const double p = winRate() / 100.0;
        return 196.0 * std::sqrt(p * (1 - p) / rounds);
    }
};

Tally play(kb::RoundPlayer& player, int level, int cardCount, kb::Opponent opponent, int rounds) {
    player.configure(level, cardCount, opponent);
    Tally tally;
    for (int i = 0; i < rounds; ++i) {
        tally.add(player.playRound(i % 2 == 1));  // the sides take turns to start
    }
    return tally;
}

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Expected moves of a player with perfect memory alone on n pairs of distinct cards:
// (3 - 2 ln 2) n + 7/8 - 2 ln 2, about 1.61 n.
double perfectSoloMoves(int pairs) {
    return (3 - 2 * std::log(2.0)) * pairs + 7.0 / 8 - 2 * std::log(2.0);
}

}  // namespace

int main(int argc, char* argv[]) {
    const Options o = parse(argc, argv);
    constexpr int kCardCounts[] = {28, 40, 52};

    // Rounds per second: 52 cards, level 6, against the perfect-memory player.
    {
        kb::RoundPlayer player(o.seed);
        player.configure(6, 52, kb::Opponent::PerfectMemory);
        for (int i = 0; i < 50; ++i) {
            player.playRound(i % 2 == 1);  // warm-up
        }
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        for (int i = 0; i < o.speedRounds; ++i) {
            player.playRound(i % 2 == 1);
        }
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        const double cpu = cpuSeconds() - cpuStart;
        std::printf("## Speed: 52 cards, level 6, against perfect memory\n\n");
        std::printf("| rounds | wall s | CPU s | rounds/s (wall) | rounds/s (CPU) | us/round |\n");
        std::printf("|---:|---:|---:|---:|---:|---:|\n");
        std::printf("| %d | %.2f | %.2f | %.0f | %.0f | %.1f |\n\n", o.speedRounds, wall, cpu,
                    o.speedRounds / wall, o.speedRounds / cpu, 1e6 * wall / o.speedRounds);
        std::fflush(stdout);
    }
    if (o.speedOnly) {
        return 0;
    }

    // Each level against both players.
    std::ostringstream data;
    data << "# level cards opponent win% draw% winMargin moves computerMoves memoryShare%\n";
    std::printf("## Levels: %d rounds each, the sides taking turns to start\n\n", o.rounds);
    std::printf(
        "| level | cards | player | computer wins %% (±95 %%) | draws %% | moves/round | "
        "computer moves | picks from memory %% | level table %% |\n");
    std::printf("|---:|---:|---|---:|---:|---:|---:|---:|---:|\n");
    kb::RoundPlayer player(o.seed + 1);
    for (const kb::Opponent opponent : {kb::Opponent::PerfectMemory, kb::Opponent::Random}) {
        for (const int cards : kCardCounts) {
            for (int level = 1; level <= 6; ++level) {
                const Tally t = play(player, level, cards, opponent, o.rounds);
                std::printf("| %d | %d | %s | %.1f (±%.1f) | %.1f | %.1f | %.1f | %.1f | %d |\n",
                            level, cards, kb::nameOf(opponent), t.winRate(), t.winMargin(),
                            t.drawRate(), t.meanMoves(), t.meanComputerMoves(), t.memoryShare(),
                            40 + 10 * level);
                std::fflush(stdout);
                data << level << ' ' << cards << ' '
                     << (opponent == kb::Opponent::PerfectMemory ? "perfect" : "random") << ' '
                     << t.winRate() << ' ' << t.drawRate() << ' ' << t.winMargin() << ' '
                     << t.meanMoves() << ' ' << t.meanComputerMoves() << ' ' << t.memoryShare()
                     << '\n';
            }
            data << '\n' << '\n';  // one gnuplot data block per card count and opponent
        }
    }

    // Alone on the table: moves to clear it.
    std::printf("\n## Alone on the table: moves to take every pair (%d rounds each)\n\n", o.rounds);
    std::printf(
        "| cards | pairs n | computer L6 moves | /n | computer L1 moves | /n | "
        "perfect-memory player moves | /n | published perfect, distinct pairs | /n | "
        "L6 moves opening on a seen card, no pair %% | L6 moves whose 2nd card was seen, no pair "
        "%% |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const int cards : kCardCounts) {
        const int pairs = cards / 2;
        const Tally computer6 = play(player, 6, cards, kb::Opponent::ComputerAlone, o.rounds);
        const Tally computer1 = play(player, 1, cards, kb::Opponent::ComputerAlone, o.rounds);
        const Tally alone = play(player, 6, cards, kb::Opponent::PlayerAlone, o.rounds);
        const double published = perfectSoloMoves(pairs);
        std::printf(
            "| %d | %d | %.1f | %.2f | %.1f | %.2f | %.1f | %.2f | %.1f | %.2f | %.1f | %.1f |\n",
            cards, pairs, computer6.meanComputerMoves(), computer6.meanComputerMoves() / pairs,
            computer1.meanComputerMoves(), computer1.meanComputerMoves() / pairs,
            alone.meanPlayerMoves(), alone.meanPlayerMoves() / pairs, published, published / pairs,
            computer6.percent(computer6.firstSeenWasted, computer6.computerMoves),
            computer6.percent(computer6.secondSeenWasted, computer6.computerMoves));
        std::fflush(stdout);
        if (computer6.playerMoves != 0 || alone.computerMoves != 0) {
            std::cerr << "a side that should never move did\n";
            return 1;
        }
    }

    if (!o.dataFile.empty()) {
        std::ofstream(o.dataFile) << data.str();
    }
    if (!o.plotFile.empty()) {
        if (o.dataFile.empty()) {
            std::cerr << "--plot needs --data\n";
            return 2;
        }
        // Blocks 0-2: perfect memory 28/40/52; blocks 3-5: random 28/40/52.
        std::ostringstream script;
        script
            << "set terminal pngcairo size 1100,460 font 'IPAPGothic,10'\n"
            << "set output '" << o.plotFile << "'\n"
            << "set multiplot layout 1,2 title 'The computer at each level (" << o.rounds
            << " rounds per point)'\n"
            << "set xlabel 'level'\nset xtics 1\nset xrange [0.8:6.2]\nset grid\n"
            << "set key at graph 0.98, graph 0.8 right\n"
            << "set ylabel 'computer wins (%)'\nset yrange [-2:102]\n"
            << "f='" << o.dataFile << "'\n"
            << "plot for [b=0:2] f index b using 1:4:6 with yerrorlines lw 2 "
               "title sprintf('vs perfect memory, %d cards', 28+12*b), \\\n"
            << "     for [b=3:5] f index b using 1:4:6 with yerrorlines lw 2 dt 2 "
               "title sprintf('vs random player, %d cards', 28+12*(b-3))\n"
            << "set ylabel 'moves per round (both sides; lines as on the left)'\nset autoscale y\n"
            << "unset key\n"  // the same lines as on the left
            << "plot for [b=0:2] f index b using 1:7 with linespoints lw 2 "
               "title sprintf('vs perfect memory, %d cards', 28+12*b), \\\n"
            << "     for [b=3:5] f index b using 1:7 with linespoints lw 2 dt 2 "
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
    }
    return 0;
}
