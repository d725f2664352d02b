#!/usr/bin/python3
"""Second, independent estimate of the computer's strength.

Plays whole rounds of the card game in plain Python, written from the rules
of play rather than from the game's C++ code, so that the figures of the C++
round benchmark can be checked against a separate computation.

A round: 28, 40 or 52 cards (four of each rank), dealt in a uniformly random
order.  Round i is started by the player when i is even and by the computer
when i is odd.  A move turns two cards; a pair is taken and the same side
moves again, a mismatch is turned back and the turn passes.

The computer remembers every card either side has turned and never forgets
within a round.  Before each of its two picks it draws r = floor(10u + 1) and
uses its memory for that pick when r < level + 5:
  first pick  - the remembered face-down pair whose smaller slot is the
                smallest; its partner is the smallest other remembered
                face-down slot of that rank.  No such pair, or no memory:
                a uniformly random face-down slot.
  second pick - the planned partner when the first pick came from a known
                pair, otherwise the smallest remembered face-down slot of the
                first card's rank.  Nothing found, or no memory: a uniformly
                random face-down slot other than the first card.

Scripted players:
  perfect - knows every card shown so far (its own first card included):
            first a known pair if any, else a never-seen card, else any;
            second the first card's known match if any, else a never-seen
            card, else any.
  random  - turns face-down cards uniformly at random.

Output: per point (cards x level x player) the computer's win %, draw % and
moves per round (both sides, a move being two cards) with standard errors,
as a markdown table and optionally as a whitespace data file with the
columns  level cards player win% winSE draw% drawSE moves movesSE.

  bench/strength_model.py [--rounds N] [--seed S] [--cards 28,40,52]
      [--levels 1-6] [--players perfect,random] [--data FILE]
      [--compare FILE] [--load FILE] [--self-test]

--compare FILE reads a data file of the same format (from the C++ round
benchmark) and prints, per point, the model minus that file in units of the
combined standard error, flagging points beyond 3.  --load FILE takes the
model's figures from an earlier --data file instead of playing rounds.
"""

import argparse
import bisect
import math
import random
import sys
import time

PLAYERS = ("perfect", "random")


class Round:
    """One round's table: who lies where, what is face down, what was seen."""

    __slots__ = (
        "rng", "rank", "ranks", "down", "down_pos", "unseen", "unseen_pos",
        "seen", "seen_down", "left",
    )

    def __init__(self, rng, ranks):
        self.rng = rng
        self.rank = list(ranks)
        n = len(self.rank)
        k = max(self.rank) + 1
        self.ranks = range(k)
        self.down = list(range(n))          # face-down slots, any order
        self.down_pos = list(range(n))      # slot -> index in down, -1 if up
        self.unseen = list(range(n))        # never turned slots
        self.unseen_pos = list(range(n))
        self.seen = [False] * n
        self.seen_down = [[] for _ in self.ranks]  # per rank, sorted slots
        self.left = n

    @staticmethod
    def _remove(lst, pos, s):
        i = pos[s]
        last = lst.pop()
        if last != s:
            lst[i] = last
            pos[last] = i
        pos[s] = -1

    def turn_up(self, s):
        """Turns the face-down card at slot s face up and remembers it."""
        self._remove(self.down, self.down_pos, s)
        if self.seen[s]:
            self.seen_down[self.rank[s]].remove(s)
        else:
            self.seen[s] = True
            self._remove(self.unseen, self.unseen_pos, s)

    def turn_back(self, s):
        """Turns a face-up card face down again (after a mismatch)."""
        self.down_pos[s] = len(self.down)
        self.down.append(s)
        bisect.insort(self.seen_down[self.rank[s]], s)

    def random_down(self):
        d = self.down
        return d[int(self.rng.random() * len(d))]

    def random_unseen_or_down(self):
        u = self.unseen
        if u:
            return u[int(self.rng.random() * len(u))]
        return self.random_down()

    def uses_memory(self, level):
        return int(10.0 * self.rng.random() + 1.0) < level + 5

    def smallest_known_pair(self):
        """(first, partner) of the remembered face-down pair with the smallest
        slot, or None."""
        best = None
        for sd in self.seen_down:
            if len(sd) >= 2 and (best is None or sd[0] < best[0]):
                best = sd
        return (best[0], best[1]) if best is not None else None

    # --- the two sides' picks; each returns the slot and leaves it face up

    def computer_move(self, level):
        pair = self.smallest_known_pair() if self.uses_memory(level) else None
        first = pair[0] if pair else self.random_down()
        self.turn_up(first)
        second = None
        if self.uses_memory(level):
            if pair:
                second = pair[1]
            else:
                sd = self.seen_down[self.rank[first]]
                if sd:
                    second = sd[0]
        if second is None:
            second = self.random_down()
        self.turn_up(second)
        return first, second

    def perfect_move(self):
        pair = self.smallest_known_pair()
        first = pair[0] if pair else self.random_unseen_or_down()
        self.turn_up(first)
        sd = self.seen_down[self.rank[first]]
        second = sd[0] if sd else self.random_unseen_or_down()
        self.turn_up(second)
        return first, second

    def random_move(self):
        first = self.random_down()
        self.turn_up(first)
        second = self.random_down()
        self.turn_up(second)
        return first, second


def deal(rng, cards):
    ranks = [c % (cards // 4) for c in range(cards)]
    rng.shuffle(ranks)
    return ranks


def play_round(rng, cards, level, player, player_starts):
    """Plays one round; returns (computer's cards, player's cards, moves)."""
    t = Round(rng, deal(rng, cards))
    taken = [0, 0]                # [computer, player]
    side = 1 if player_starts else 0
    moves = 0
    rank = t.rank
    while t.left:
        if side == 0:
            a, b = t.computer_move(level)
        elif player == "perfect":
            a, b = t.perfect_move()
        else:
            a, b = t.random_move()
        moves += 1
        if rank[a] == rank[b]:
            taken[side] += 2
            t.left -= 2
        else:
            t.turn_back(a)
            t.turn_back(b)
            side ^= 1
    return taken[0], taken[1], moves


class Point:
    __slots__ = ("level", "cards", "player", "n", "win", "win_se", "draw",
                 "draw_se", "moves", "moves_se")

    def __init__(self, level, cards, player, n, win, win_se, draw, draw_se,
                 moves, moves_se):
        self.level, self.cards, self.player, self.n = level, cards, player, n
        self.win, self.win_se = win, win_se
        self.draw, self.draw_se = draw, draw_se
        self.moves, self.moves_se = moves, moves_se

    def key(self):
        return (self.level, self.cards, self.player)


def run_point(seed, cards, level, player, rounds):
    # One generator per point, seeded from the point itself, so a point's
    # figures do not depend on which other points run in the same call.
    rng = random.Random("%s/%d/%d/%s" % (seed, cards, level, player))
    wins = draws = 0
    msum = msq = 0
    for i in range(rounds):
        cpu, pl, moves = play_round(rng, cards, level, player, i % 2 == 0)
        if cpu + pl != cards:
            raise AssertionError("cards lost in a round")
        if cpu > pl:
            wins += 1
        elif cpu == pl:
            draws += 1
        msum += moves
        msq += moves * moves
    n = rounds
    pw, pd = wins / n, draws / n
    mean = msum / n
    var = (msq - n * mean * mean) / (n - 1) if n > 1 else 0.0
    return Point(level, cards, player, n,
                 100.0 * pw, 100.0 * math.sqrt(pw * (1 - pw) / n),
                 100.0 * pd, 100.0 * math.sqrt(pd * (1 - pd) / n),
                 mean, math.sqrt(max(var, 0.0) / n))


def read_data(path):
    points = {}
    with open(path, encoding="utf-8") as f:
        for lineno, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            w = line.split()
            if len(w) != 9:
                raise SystemExit("%s:%d: expected 9 columns, got %d"
                                 % (path, lineno, len(w)))
            try:
                p = Point(int(w[0]), int(w[1]), w[2], 0,
                          *(float(x) for x in w[3:]))
            except ValueError as e:
                raise SystemExit("%s:%d: %s" % (path, lineno, e))
            points[p.key()] = p
    return points


def write_data(path, points, header):
    with open(path, "w", encoding="utf-8") as f:
        f.write("# %s\n" % header)
        f.write("# level cards player win% winSE draw% drawSE moves movesSE\n")
        for p in points:
            f.write("%d %d %s %.3f %.3f %.3f %.3f %.3f %.3f\n"
                    % (p.level, p.cards, p.player, p.win, p.win_se, p.draw,
                       p.draw_se, p.moves, p.moves_se))


def print_table(points):
    print("| cards | level | player | computer wins % | draws % | moves/round |")
    print("|---:|---:|---|---:|---:|---:|")
    for p in points:
        print("| %d | %d | %s | %.2f ± %.2f | %.2f ± %.2f | %.2f ± %.2f |"
              % (p.cards, p.level, p.player, p.win, p.win_se, p.draw,
                 p.draw_se, p.moves, p.moves_se))


def z_score(a, a_se, b, b_se):
    se = math.hypot(a_se, b_se)
    if se == 0.0:
        return 0.0 if a == b else math.inf
    return (a - b) / se


def print_compare(points, other, path):
    print()
    print("Model minus %s, in units of the combined standard error:" % path)
    print()
    print("| cards | level | player | win Δ% (z) | draw Δ% (z) | moves Δ (z) | |")
    print("|---:|---:|---|---:|---:|---:|---|")
    flagged = 0
    missing = 0
    for p in points:
        o = other.get(p.key())
        if o is None:
            missing += 1
            continue
        zs = (z_score(p.win, p.win_se, o.win, o.win_se),
              z_score(p.draw, p.draw_se, o.draw, o.draw_se),
              z_score(p.moves, p.moves_se, o.moves, o.moves_se))
        bad = any(abs(z) > 3 for z in zs)
        flagged += bad
        print("| %d | %d | %s | %+.2f (%+.1f) | %+.2f (%+.1f) | %+.2f (%+.1f) | %s |"
              % (p.cards, p.level, p.player, p.win - o.win, zs[0],
                 p.draw - o.draw, zs[1], p.moves - o.moves, zs[2],
                 "**> 3 SE**" if bad else ""))
    print()
    print("%d point(s) beyond 3 SE; %d model point(s) not in %s"
          % (flagged, missing, path))
    return flagged


def parse_list(text, conv):
    out = []
    for part in text.split(","):
        part = part.strip()
        if "-" in part and conv is int:
            lo, hi = part.split("-", 1)
            out.extend(range(int(lo), int(hi) + 1))
        elif part:
            out.append(conv(part))
    return out


# --- self-test: the pick rules on hand-built tables and whole-round checks


class ScriptedRng:
    """Stands in for random.Random: hands out the given numbers in order."""

    def __init__(self, values):
        self.values = list(values)

    def random(self):
        return self.values.pop(0)


MEMORY = 0.0   # r = 1: memory is used at every level
NO_MEMORY = 0.95  # r = 10: memory is used only at level 6


def self_test():
    failures = []

    def check(cond, what):
        if not cond:
            failures.append(what)

    # Ranks 0..3 of an 16-card table; slot s holds rank s % 4.
    ranks = [s % 4 for s in range(16)]

    def table(values, seen_slots=()):
        t = Round(ScriptedRng(values), ranks)
        for s in seen_slots:        # show and turn back, as after a mismatch
            t.turn_up(s)
            t.turn_back(s)
        return t

    # Two known pairs (rank 2 at 10 and 6, rank 1 at 5 and 13): the pair
    # with the smallest slot is rank 1 (5 < 6), taken at 5 then 13.
    t = table([MEMORY, MEMORY], (10, 13, 6, 5))
    check(t.computer_move(1) == (5, 13), "known pair by smallest slot")

    # Three remembered cards of one rank: the partner is the smallest other.
    t = table([MEMORY, MEMORY], (12, 8, 4))
    check(t.computer_move(1) == (4, 8), "partner is the smallest other slot")

    # No memory for the first pick (level 5, r = 10), so a known pair is
    # passed over and the first card is random (slot 0, rank 0); memory for
    # the second pick finds the smallest remembered match of rank 0.
    t = table([NO_MEMORY, 0.0, MEMORY], (8, 4))
    check(t.computer_move(5) == (0, 4), "second pick finds the match")

    # At level 6 r = 10 still uses memory; at level 5 it does not.
    t = table([NO_MEMORY, NO_MEMORY], (1, 5))
    check(t.computer_move(6) == (1, 5), "level 6 always uses memory")
    t = table([NO_MEMORY, 0.0, NO_MEMORY, 0.0], (1, 5))
    a, b = t.computer_move(5)
    check((a, b) != (1, 5) and a != b, "level 5 at r = 10 picks at random")

    # Known pair for the first pick but no memory for the second: random.
    t = table([MEMORY, NO_MEMORY, 0.0], (2, 6))
    a, b = t.computer_move(1)
    check(a == 2 and b != 6 and b != 2, "second pick may miss a known partner")

    # A random second pick never returns the first card, whatever u is.
    t = Round(ScriptedRng([0.999, 0.999, 0.999, 0.999]), [0, 0, 1, 1])
    a, b = t.random_move()
    check(a != b, "random second pick skips the first card")

    # Taken cards are never offered again, though they stay remembered.
    t = table([MEMORY, MEMORY, MEMORY, MEMORY], (3, 7, 11, 15))
    check(t.computer_move(1) == (3, 7), "first pair of rank 3")
    check(t.computer_move(1) == (11, 15), "taken cards are skipped")

    # The perfect player: a known pair first, else an unseen card; then the
    # known match of that card.
    t = table([0.0, 0.0], (9, 1))
    check(t.perfect_move() == (1, 9), "perfect player takes a known pair")
    t = table([0.0, 0.0], (4,))
    check(t.perfect_move() == (0, 4),
          "perfect player: unseen first, known match second")
    t = table([0.0, 0.0], (5,))
    a, b = t.perfect_move()
    check(a == 0 and b not in (0, 5),
          "perfect player: no known match, another unseen card")

    # Whole rounds: cards add up and every pair costs at least one move.
    rng = random.Random(7)
    for cards in (28, 40, 52):
        for level in (1, 6):
            for player in PLAYERS:
                for i in range(50):
                    cpu, pl, moves = play_round(rng, cards, level, player,
                                                i % 2 == 0)
                    check(cpu + pl == cards and cpu % 2 == 0,
                          "cards add up (%d %d %s)" % (cards, level, player))
                    check(moves >= cards // 2,
                          "at least one move per pair (%d)" % cards)

    # A level 6 computer almost never loses to the random player.
    p = run_point(1, 28, 6, "random", 200)
    check(p.win > 95.0, "level 6 beats a random player (%.1f %%)" % p.win)

    for f in failures:
        print("FAIL:", f)
    print("self-test: %d failure(s)" % len(failures))
    return 1 if failures else 0


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--rounds", type=int, default=1000)
    ap.add_argument("--seed", default="1")
    ap.add_argument("--cards", default="28,40,52")
    ap.add_argument("--levels", default="1-6")
    ap.add_argument("--players", default="perfect,random")
    ap.add_argument("--data", help="write the figures to this file")
    ap.add_argument("--compare", help="data file to compare the model with")
    ap.add_argument("--load", help="take the model's figures from this file")
    ap.add_argument("--self-test", action="store_true")
    a = ap.parse_args(argv)

    if a.self_test:
        return self_test()

    cards_list = parse_list(a.cards, int)
    levels = parse_list(a.levels, int)
    players = parse_list(a.players, str)
    for c in cards_list:
        if c not in (28, 40, 52):
            ap.error("cards must be 28, 40 or 52")
    for lv in levels:
        if not 1 <= lv <= 6:
            ap.error("levels must be 1..6")
    for p in players:
        if p not in PLAYERS:
            ap.error("players must be perfect or random")
    if a.rounds < 2 and not a.load:
        ap.error("--rounds must be at least 2")

    points = []
    if a.load:
        loaded = read_data(a.load)
        for c in cards_list:
            for lv in levels:
                for p in players:
                    if (lv, c, p) in loaded:
                        points.append(loaded[(lv, c, p)])
    else:
        total = 0
        start = time.perf_counter()
        cpu_start = time.process_time()
        for c in cards_list:
            for lv in levels:
                for p in players:
                    points.append(run_point(a.seed, c, lv, p, a.rounds))
                    total += a.rounds
        secs = time.perf_counter() - start
        cpu = time.process_time() - cpu_start
        print("%d rounds in %.1f s (%.1f s CPU): %.0f rounds/s, %.0f per CPU "
              "second (seed %s)" % (total, secs, cpu, total / secs,
                                    total / max(cpu, 1e-9), a.seed),
              file=sys.stderr)
        if a.data:
            write_data(a.data, points, "strength_model.py --rounds %d --seed %s"
                       % (a.rounds, a.seed))

    print_table(points)
    if a.compare:
        flagged = print_compare(points, read_data(a.compare), a.compare)
        return 1 if flagged else 0
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
