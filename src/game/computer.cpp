#include "game/computer.h"

#include "game/computer_choices.h"

namespace koropika {

bool computerUsesMemory(int level, Random& random) {
    return choices::usesMemory(level, random);
}

bool chooseFirstCard(Table& table, RoundState& round, int level, Random& random) {
    return choices::chooseFirst(table, round, level, random);
}

bool chooseFirstCard(Table& table, RoundState& round, int level, SeededRandom& random) {
    return choices::chooseFirst(table, round, level, random);
}

bool chooseSecondCard(Table& table, RoundState& round, int level, Random& random) {
    return choices::chooseSecond(table, round, level, random);
}

bool chooseSecondCard(Table& table, RoundState& round, int level, SeededRandom& random) {
    return choices::chooseSecond(table, round, level, random);
}

}  // namespace koropika
