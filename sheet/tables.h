// The game's character data: what each race starts with and how many points
// each class brings. Rows keep the order of the race and class lists; a rule
// takes the first row whose name equals the selection's text exactly.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace sheet {

enum Element : std::uint8_t { Fire, Earth, Water, Air, Spirit };

struct RaceBonus {
  std::string_view race;
  std::array<bool, 5> elements;  // which elements carry the bonus, by Element
  int bonus;                     // added to both the M and the P value of each
};

struct Pools {
  std::string_view className;
  int magic;
  int physical;
  int either;
};

// clang-format off
//                                          Fire   Earth  Water  Air    Spirit
inline constexpr std::array<RaceBonus, 9> kRaceBonuses = {{
    {"Aracoix",    {true,  false, false, true,  false}, 15},
    {"AR",         {true,  true,  true,  true,  true }, 10},
    {"Dwarf",      {true,  true,  false, false, false}, 15},
    {"Elf",        {false, true,  true,  false, false}, 15},
    {"Half-Giant", {false, false, true,  true,  false}, 15},
    {"Human",      {true,  true,  true,  true,  true }, 5},
    {"Minotaur",   {true,  false, true,  false, false}, 15},
    {"Ogier",      {false, true,  false, false, true }, 15},
    {"Shade",      {false, false, false, true,  true }, 15},
}};
// clang-format on

// The pools a plavet starts with, by first class. Every row totals 600.
inline constexpr std::array<Pools, 16> kStartingPools = {{
    {"Anti-Paladin", 120, 300, 180},
    {"Artificer", 240, 240, 120},
    {"Barbarian", 120, 300, 180},
    {"Bard", 240, 240, 120},
    {"Chaos Cleric", 300, 120, 180},
    {"Druid", 300, 120, 180},
    {"Magic User", 300, 120, 180},
    {"Monk (Autumn)", 300, 180, 120},
    {"Monk (Spring)", 300, 180, 120},
    {"Monk (Summer)", 300, 180, 120},
    {"Monk (Winter)", 300, 180, 120},
    {"Order Cleric", 300, 120, 180},
    {"Paladin", 120, 300, 180},
    {"Ranger", 120, 300, 180},
    {"Thief", 120, 300, 180},
    {"Warrior", 120, 300, 180},
}};

// What multi-classing adds to the halved pools, by second class: exactly half
// of what the class starts a plavet with.
inline constexpr std::array<Pools, 16> kSecondClassTopUps = [] {
  std::array<Pools, 16> topUps = kStartingPools;
  for (Pools& row : topUps) {
    row.magic /= 2;
    row.physical /= 2;
    row.either /= 2;
  }
  return topUps;
}();

// The first row whose name equals `text`, or nullptr.
constexpr const RaceBonus* findRace(std::string_view text) {
  for (const RaceBonus& row : kRaceBonuses)
    if (row.race == text) return &row;
  return nullptr;
}

template <std::size_t N>
constexpr const Pools* findClass(const std::array<Pools, N>& table, std::string_view text) {
  for (const Pools& row : table)
    if (row.className == text) return &row;
  return nullptr;
}

}  // namespace sheet
