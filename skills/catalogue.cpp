// The skill catalogue's rows. Each row reads like the game's own skill list:
// the text shown in a skill list, then the element values it needs.
#include <algorithm>
#include <initializer_list>

#include "skills/catalogue.h"

namespace skills {
namespace {

// Lets a row say `MFire >= 25` for "needs at least 25 in Magic Fire".
struct Need {
  Value value;
  constexpr Requirement operator>=(int minimum) const {
    return {value, static_cast<std::int16_t>(minimum)};
  }
};
constexpr Need MFire{Value::MFire}, MEarth{Value::MEarth}, MWater{Value::MWater}, MAir{Value::MAir},
    MSpirit{Value::MSpirit};
constexpr Need PFire{Value::PFire}, PEarth{Value::PEarth}, PWater{Value::PWater}, PAir{Value::PAir},
    PSpirit{Value::PSpirit};

template <class... Requirements>
constexpr SkillRow row(std::string_view text, Requirements... needs) {
  static_assert(sizeof...(needs) <= 3, "a skill needs at most three values");
  return {text, {needs...}, static_cast<std::uint8_t>(sizeof...(needs))};
}

// ---- The first-class copy -------------------------------------------------
// clang-format off

// Anti-Paladin
constexpr std::array kAntiPaladin = {
    row("War Chant (25 MFire)", MFire >= 25),
    row("Curse (30 MFire)", MFire >= 30),
    row("Poison (30 MFire)", MFire >= 30),
    row("Blindness (35 MFire)", MFire >= 35),
    row("Flamestrike (35 MFire)", MFire >= 35),
    row("Vengeance Shroud (40 MFire/40 MSpirit)", MFire >= 40, MSpirit >= 40),
    row("Ravage (45 MFire/45 MSpirit)", MFire >= 45, MSpirit >= 45),
    row("Armor (20 MEarth)", MEarth >= 20),
    row("Spiritual Hammer (20 MWater/55 MSpirit", MWater >= 20, MSpirit >= 55),
    row("Detect Poison (25 MWater)", MWater >= 25),
    row("Hold Undead (45 MAir)", MAir >= 45),
    row("Detect Good (20 MSpirit)", MSpirit >= 20),
    row("Energy Drain (30 MSpirit)", MSpirit >= 30),
    row("Protection from Good (30 MSpirit)", MSpirit >= 30),
    row("Life Leech (40 MSpirit)", MSpirit >= 40),
    row("Control Undead (40 MSpirit)", MSpirit >= 40),
    row("Dispel Good (40 MSpirit)", MSpirit >= 40),
    row("Disarm (30 PEarth)", PEarth >= 30),
    row("Block (35 PEarth)", PEarth >= 35),
    row("Charge (45 PAir/45 PSpirit)", PAir >= 45, PSpirit >= 45),
    row("Kick (25 PAir)", PAir >= 25),
    row("Retreat (35 PAir)", PAir >= 35),
    row("Hide (25 PSpirit)", PSpirit >= 25),
};

// Artificer
constexpr std::array kArtificer = {
    row("Create Light (35 MFire)", MFire >= 35),
    row("Knock (40 MFire)", MFire >= 40),
    row("Phase Door (40 MFire)", MFire >= 40),
    row("Enchant Armor (45 MFire)", MFire >= 45),
    row("Enchant Weapon (50 MFire)", MFire >= 50),
    row("Flamegloss (50 MFire)", MFire >= 50),
    row("Vorpalize (55 MFire)", MFire >= 55),
    row("Shield (20 MEarth)", MEarth >= 20),
    row("Create Darkness (35 MEarth)", MEarth >= 35),
    row("Identify (45 MEarth)", MEarth >= 45),
    row("Wall of Force (45 MEarth/25 MSpirit)", MEarth >= 45, MSpirit >= 25),
    row("Strip Magic (50 MEarth)", MEarth >= 50),
    row("Locate Object (55 MEarth/55 MSpirit)", MEarth >= 55, MSpirit >= 55),
    row("Teleview Minor (35 MAir)", MAir >= 35),
    row("Detect Invisibility (35 MAir)", MAir >= 35),
    row("Invisibility (40 MAir)", MAir >= 40),
    row("Detect Magic (20 MSpirit)", MSpirit >= 20),
    row("Magical Vestment (25 MSpirit)", MSpirit >= 25),
    row("Sleep (40 MSpirit)", MSpirit >= 40),
    row("Command Golem (40 MSpirit)", MSpirit >= 40),
    row("Evaluate (25 PEarth)", PEarth >= 25),
    row("Ambidexterity (30 PEarth)", PEarth >= 30),
    row("Archery (35 PEarth/35 PAir)", PEarth >= 35, PAir >= 35),
    row("Recharge (40 PEarth/40 PSpirit)", PEarth >= 40, PSpirit >= 40),
    row("Fix (50 PEarth)", PEarth >= 50),
    row("Empower (30 PFire/30 PSpirit)", PFire >= 30, PSpirit >= 30),
    row("Kick (25 PAir)", PAir >= 25),
    row("Investment (45 PSpirit)", PSpirit >= 45),
};

// Barbarian
constexpr std::array kBarbarian = {
    row("Focus"),
    row("Ambidexterity (30 PEarth)", PEarth >= 30),
    row("Archery (35 PEarth/35 PAir)", PEarth >= 35, PAir >= 35),
    row("Block (35 PEarth)", PEarth >= 35),
    row("Bash (35 PEarth)", PEarth >= 35),
    row("Guard (40 PEarth)", PEarth >= 40),
    row("Tread (50 PEarth)", PEarth >= 50),
    row("Hibernate (40 PEarth/40 PSpirit)", PEarth >= 40, PSpirit >= 40),
    row("Berserk (50 PFire/50 PSpirit)", PFire >= 50, PSpirit >= 50),
    row("Weapon Mastery (55 PFire/55 PSpirit)", PFire >= 55, PSpirit >= 55),
    row("Kick (25 PAir)", PAir >= 25),
    row("Sense Life (30 PAir)", PAir >= 30),
    row("Rescue (30 PWater)", PWater >= 30),
    row("Resist Poison (40 PWater)", PAir >= 40),
    row("Conditioning (50 PWater/50 PAir)", PWater >= 50, PAir >= 50),
};

// Bard
constexpr std::array kBard = {
    row("Detect Trap"),
    row("Magic Missile (0 Mearth)"),
    row("Create Light (35 MFire)", MFire >= 35),
    row("Faerie Fire (35 MFire)", MFire >= 35),
    row("Knock (40 MFire)", MFire >= 40),
    row("Phase Door (40 MFire)", MFire >= 40),
    row("Create Darkness (35 MEarth)", MEarth >= 35),
    row("Strength (35 MEarth)", MEarth >= 35),
    row("Airwalk (35 MEarth/35 MSpirit/50 MAir)", MEarth >= 35, MWater >= 35, MAir >= 50),
    row("Acid Arrow (40 MEarth)", MEarth >= 40),
    row("Identify (45 MEarth)", MEarth >= 45),
    row("Teleport Minor (45 MEarth/25 MAir)", MEarth >= 45, MAir >= 25),
    row("Infravision (30 MAir)", MAir >= 30),
    row("Silence (30 MAir)", MAir >= 30),
    row("Teleview Minor (35 MAir)", MAir >= 35),
    row("Detect Invisibility (35 MAir)", MAir >= 35),
    row("Invisibility (40 MAir)", MAir >= 40),
    row("Detect Magic (20 MSpirit)", MSpirit >= 20),
    row("Magical Vestment (25 MSpirit)", MSpirit >= 25),
    row("Tongues (30 MSpirit)", MSpirit >= 30),
    row("Dream Sight (35 MSpirit)", MSpirit >= 35),
    row("Spook (40 MSpirit)", MSpirit >= 40),
    row("Charm Person (50 MSpirit)", MSpirit >= 50),
    row("Dispel Magic (50 MSpirit)", MSpirit >= 50),
    row("Charm Monster (65 MSpirit)", MSpirit >= 65),
    row("Bard Song (25 PEarth/25 PSpirit)", PEarth >= 25, PSpirit >= 25),
    row("Ambidexterity (30 PEarth)", PEarth >= 30),
    row("Sneak (30 PEarth)", PEarth >= 30),
    row("Trip (35 PEarth)", PEarth >= 35),
    row("Remove Trap (30 PWater)", PWater >= 30),
    row("Ventriloquate (15 PAir)", PAir >= 15),
    row("Kick (25 PAir)", PAir >= 25),
    row("Hide (25 PSpirit)", PSpirit >= 25),
};

// Chaos Cleric
constexpr std::array kChaosCleric = {
    row("Cure Light (0 MWater)"),
    row("War Chant (25 MFire)", MFire >= 25),
    row("Curse (30 MFire)", MFire >= 30),
    row("Poison (30 MFire)", MFire >= 30),
    row("Blindness (35 MFire)", MFire >= 35),
    row("Flamestrike (35 MFire)", MFire >= 35),
    row("Desecrate (50 MFire/50 MEarth)", MFire >= 50, MEarth >= 50),
    row("Ravage (45 MFire/45 MSpirit)", MFire >= 45, MSpirit >= 45),
    row("Hellfire (120 MFire)", MFire >= 120),
    row("Still (130 MFire/130 MSpirit)", MFire >= 130, MSpirit >= 130),
    row("Armor (20 MEarth)", MEarth >= 20),
    row("Create Food (25 MEarth)", MEarth >= 25),
    row("Vigorize Light (25 MEarth/25 MWater)", MEarth >= 25, MWater >= 25),
    row("Vigorize Serious (40 MEarth/40 MWater)", MEarth >= 40, MWater >= 40),
    row("Spiritual Hammer (20 MWater/55 MSpirit", MWater >= 20, MSpirit >= 55),
    row("Create Darkness (35 MEarth)", MEarth >= 35),
    row("Earth Quake (35 MEarth)", MEarth >= 35),
    row("Free Action (35 MEarth)", MEarth >= 35),
    row("Word of Recall (35 MEarth)", MEarth >= 35),
    row("Sustain (35 MEarth)", MEarth >= 35),
    row("Anchor (45 MEarth)", MEarth >= 45),
    row("Harm (45 MEarth)", MEarth >= 45),
    row("Vitalize Mana (45 MEarth)", MEarth >= 45),
    row("Sap Strength (45 MEarth)", MEarth >= 45),
    row("Black Mantle (130 MEarth/130 MSpirit)", MEarth >= 130, MSpirit >= 130),
    row("Bless (20 MWater)", MWater >= 20),
    row("Create Water (25 MWater)", MWater >= 25),
    row("Detect Poison (25 MWater)", MWater >= 25),
    row("Waterwalk (25 MWater)", MWater >= 25),
    row("Dispel Silence (35 MWater)", MWater >= 35),
    row("Control Weather (35 MWater/35 MAir)", MWater >= 35, MAir >= 35),
    row("Cure Critical (40 MWater/25 MAir)", MWater >= 40, MAir >= 25),
    row("Cure Serious (40 MWater)", MWater >= 40),
    row("Heal Light (45 MWater/45 MAir/20 MSpirit)", MWater >= 45, MAir >= 45, MSpirit >= 20),
    row("Heal Serious (60 MWater/60MAir/40 MSpirit)", MWater >= 60, MAir >= 60, MSpirit >= 40),
    row("Heal Critical (80 MWater/80 MAir/60 MSpirit)", MWater >= 80, MAir >= 80, MSpirit >= 60),
    row("Silence (30 MAir)", MAir >= 30),
    row("Despair (38 MAir)", MAir >= 38),
    row("Call Lightning (40 MAir)", MAir >= 40),
    row("Hold Person (45 MAir)", MAir >= 45),
    row("Hold Undead (45 MAir)", MAir >= 45),
    row("Detect Good (20 MSpirit)", MSpirit >= 20),
    row("Protection From Good (30 MSpirit)", MSpirit >= 30),
    row("Aid (35 MSpirit)", MSpirit >= 35),
    row("Summon (40 MSpirit)", MSpirit >= 40),
    row("Dispel Good (40 MSpirit)", MSpirit >= 40),
    row("Control Undead (40 MSpirit)", MSpirit >= 40),
    row("Animate Dead (45 MSpirit)", MSpirit >= 45),
    row("Soul Shatter (45 MSpirit)", MSpirit >= 45),
    row("Holy Word (50 MSpirit)", MSpirit >= 50),
    row("Dispel Magic (50 MSpirit)", MSpirit >= 50),
    row("Drain Essence (50 MSpirit)", MSpirit >= 50),
    row("Mantle of Chaos (60 MSpirit)", MSpirit >= 60),
    row("Deaths Door (120 MSpirit)", MSpirit >= 120),
    row("Turn Undead (15 PSpirit)", PSpirit >= 15),
};

// Druid
constexpr std::array kDruid = {
    row("Cure Light (0 MWater)"),
    row("Starshine (30 MFire)", MFire >= 30),
    row("Faerie Fire (35 MFire)", MFire >= 35),
    row("Flame Blade (35 MFire/55 MSpirit)", MFire >= 35, MSpirit >= 55),
    row("Sunray (40 MFire)", MFire >= 40),
    row("Meteor Swarm (50 MFire)", MFire >= 50),
    row("Sun Burst (50 MFire)", MFire >= 50),
    row("Armor (20 MEarth)", MEarth >= 20),
    row("Create Food (25 MEarth)", MEarth >= 25),
    row("Vigorize Light (25 MEarth/25 MWater)", MEarth >= 25, MWater >= 25),
    row("Vigorize Serious (40 MEarth/40 MWater)", MEarth >= 40, MWater >= 40),
    row("Earth Quake (35 MEarth)", MEarth >= 35),
    row("Sustain (35 MEarth)", MEarth >= 35),
    row("Wall of Thorns (45 MEarth)", MEarth >= 45),
    row("Barkskin (45 MEarth)", MEarth >= 45),
    row("Vigorize Critical (50 MEarth/50 MWater)", MEarth >= 50, MWater >= 50),
    row("Harmony (55 MEarth/55 MSpirit/40 MWater)", MEarth >= 55, MWater >= 40, MSpirit >= 55),
    row("Creeping Doom (60 MEarth)", MEarth >= 60),
    row("Call Plants (60 MEarth)", MEarth >= 60),
    row("Create Water (25 MWater)", MWater >= 25),
    row("Detect Poison (25 MWater)", MWater >= 25),
    row("Waterwalk (25 MWater)", MWater >= 25),
    row("Remove Poison (30 MWater)", MWater >= 30),
    row("Breathe Water (35 MWater)", MWater >= 35),
    row("Control Weather (35 MWater/MAir)", MWater >= 35, MAir >= 35),
    row("Cure Critical (40 MWater/25 MAir)", MWater >= 40, MAir >= 25),
    row("Cure Serious (40 MWater)", MWater >= 40),
    row("Icelance (40 MWater)", MWater >= 40),
    row("Icestorm (50 MWater)", MWater >= 50),
    row("Haste (50 MWater/50 MAir/30 MSpirit)", MWater >= 50, MAir >= 50, MSpirit >= 30),
    row("Infravision (30 MAir)", MAir >= 30),
    row("Sense Life (30 MAir)", MAir >= 30),
    row("Hold Animal (35 MAir)", MAir >= 35),
    row("Stinking Cloud (35 MAir)", MAir >= 35),
    row("Call Lightning (40 MAir)", MAir >= 40),
    row("Endure Element (40 MAir)", MAir >= 40),
    row("Sandstorm (50 MAir)", MAir >= 50),
    row("Hold Monster (50 MAir)", MAir >= 50),
    row("Gust of Wind (55 MAir)", MAir >= 55),
    row("Animal Friendship (25 MSpirit)", MSpirit >= 25),
    row("Know Alignment (35 MSpirit)", MSpirit >= 35),
    row("Tongues (40 MSpirit)", MSpirit >= 40),
    row("Conjure Elemental (45 MSpirit)", MSpirit >= 45),
    row("Charm Monster (65 MSpirit)", MSpirit >= 65),
    row("Hibernate (40 PEarth/40 PSpirit)", PEarth >= 40, PSpirit >= 40),
    row("Tame (35 PSpirit)", PSpirit >= 35),
};

// Magic User
constexpr std::array kMagicUser = {
    row("Magic Missile (0 MEarth)"),
    row("Create Light (15 MFire)", MFire >= 15),
    row("Burning Hands (30 MFire)", MFire >= 30),
    row("Faerie Fire (35 MFire)", MFire >= 35),
    row("Blindness (35 MFire)", MFire >= 35),
    row("Mage Blade (35 MFire/55 MSpirit)", MFire >= 35, MSpirit >= 55),
    row("Phase Door (40 MFire)", MFire >= 40),
    row("Knock (40 MFire)", MFire >= 40),
    row("Firebolt (45 MFire)", MFire >= 45),
    row("Enchant Weapon (50 MFire)", MFire >= 50),
    row("Fireball (55 MFire)", MFire >= 55),
    row("Shield (20 MEarth)", MEarth >= 20),
    row("Create Food (25 MEarth)", MEarth >= 25),
    row("Create Darkness (30 MEarth)", MEarth >= 30),
    row("Enfeeblement (30 MEarth)", MEarth >= 30),
    row("Strength (35 MEarth)", MEarth >= 35),
    row("Remove Paralysis (35 MEarth)", MEarth >= 35),
    row("Slow (60 MAir/60 MSpirit/30 MEarth)", MEarth >= 30, MAir >= 60, MSpirit >= 60),
    row("Airwalk (35 MEarth/35 MSpirit/50 MAir)", MEarth >= 35, MWater >= 35, MAir >= 50),
    row("Acid Arrow (40 MEarth)", MEarth >= 40),
    row("Teleport Minor (45 MEarth/25 MEarth)", MEarth >= 45, MAir >= 25),
    row("Succor (50 MEarth/30 MWater)", MEarth >= 50, MWater >= 30),
    row("Locate Object (55 MEarth/MSpirit)", MEarth >= 55, MSpirit >= 55),
    row("Stoneskin (55 MEarth)", MEarth >= 55),
    row("Teleport Major (60 MEarth/30 MAir)", MEarth >= 60, MAir >= 30),
    row("Teleport Group (65 MEarth/50 MAir)", MEarth >= 65, MAir >= 50),
    row("Chill Touch (20 MWater)", MWater >= 20),
    row("Color Spray (35 MWater)", MWater >= 35),
    row("Dispel Silence (35 MWater)", MWater >= 35),
    row("Infravision (30 MAir)", MAir >= 30),
    row("Featherfall (30 MAir)", MAir >= 30),
    row("Silence (30 MAir)", MAir >= 30),
    row("Detect Invisibility (35 MAir)", MAir >= 35),
    row("Hold Animal (35 MAir)", MAir >= 35),
    row("Teleview Minor (35 MAir)", MAir >= 35),
    row("Shocking Grasp (35 MAir)", MAir >= 35),
    row("Invisibility (40 MAir)", MAir >= 40),
    row("Lightning Bolt (40 MAir)", MAir >= 40),
    row("Improved Invisibility (45 MAir)", MAir >= 45),
    row("Hold Person (45 MAir)", MAir >= 45),
    row("Hold Monster (50 MAir)", MAir >= 50),
    row("Gust of Wind (55 MAir)", MAir >= 55),
    row("Detect Magic (20 MSpirit)", MSpirit >= 20),
    row("Magical Vestment (25 MSpirit)", MSpirit >= 25),
    row("Dream Sight (35 MSpirit)", MSpirit >= 35),
    row("Tongues (40 MSpirit)", MSpirit >= 40),
    row("Sleep (40 MSpirit)", MSpirit >= 40),
    row("Spook (40 MSpirit)", MSpirit >= 40),
    row("Confusion (45 MSpirit)", MSpirit >= 45),
    row("Dispel Magic (50 MSpirit)", MSpirit >= 50),
    row("Gate (55 MSpirit)", MSpirit >= 55),
};

// Monk (Autumn)
constexpr std::array kMonkAutumn = {
    row("Slow (60 MAir/60 MSpirit/30 MEarth)", MEarth >= 30, MAir >= 60, MSpirit >= 60),
    row("Clone (40 MAir)", MAir >= 40),
    row("Call Lightning (40 MAir)", MAir >= 40),
    row("Gust of Wind (55 MAir)", MAir >= 55),
    row("Reflection (35 MSpirit)", MSpirit >= 35),
    row("Trip (35 PEarth)", PEarth >= 35),
    row("Tread (50 PEarth)", PEarth >= 50),
    row("Kick (25 PAir)", PAir >= 25),
    row("Dodge (45 PAir)", PAir >= 45),
    row("Mimic (55 PAir)", PAir >= 55),
};

// Monk (Spring)
constexpr std::array kMonkSpring = {
    row("Harmony (55 MEarth/55 MSpirit/40 MWater)", MEarth >= 55, MWater >= 40, MSpirit >= 55),
    row("Wall of Thorns (45 MAir)", MEarth >= 45),
    row("Vitalize Mana (45 MAir)", MEarth >= 45),
    row("Absorption (35 MSpirit)", MSpirit >= 35),
    row("Trip (35 PEarth)", PEarth >= 35),
    row("Hunt (45 PEarth)", PEarth >= 45),
    row("Kick (25 PAir)", PAir >= 25),
    row("Dodge (45 PAir)", PAir >= 45),
};

// Monk (Summer)
constexpr std::array kMonkSummer = {
    row("Wall of Fire (30 MFire/30 MSpirit)", MFire >= 30, MSpirit >= 30),
    row("Blindness (45 MAir)", MFire >= 35),
    row("Firebolt (45 MFire)", MFire >= 45),
    row("Firestorm (50 MFire/35 MSpirit)", MFire >= 50, MAir >= 35),
    row("Reflection (35 MSpirit)", MSpirit >= 35),
    row("Trip (35 PEarth)", PEarth >= 35),
    row("Block (35 PEarth)", PEarth >= 35),
    row("Hunt (45 PEarth)", PEarth >= 45),
    row("Kick (25 PAir)", PAir >= 25),
    row("Dodge (45 PAir)", PAir >= 45),
};

// Monk (Winter)
constexpr std::array kMonkWinter = {
    row("Wall of Ice (30 MWater/30 MSpirit)", MWater >= 30, MSpirit >= 30),
    row("Icelance (40 MWater)", MWater >= 40),
    row("Ward (40 MWater/40 MSpirit)", MWater >= 40, MAir >= 40),
    row("Absorption (35 MSpirit)", MSpirit >= 35),
    row("Forage (25 PEarth)", PEarth >= 25),
    row("Disarm (30 PEarth)", PEarth >= 30),
    row("Trip (35 PEarth)", PEarth >= 35),
    row("Hibernate (40 PEarth/40 PSpirit)", PEarth >= 40, PSpirit >= 40),
    row("Hunt (45 PEarth)", PEarth >= 45),
    row("Tread (50 PEarth)", PEarth >= 50),
    row("Kick (25 PAir)", PAir >= 25),
    row("Retreat (35 PAir)", PAir >= 35),
    row("Dodge (45 PAir)", PAir >= 45),
};

// Order Cleric
constexpr std::array kOrderCleric = {
    row("Entreat"),
    row("Cure Light (0 MWater)"),
    row("War Chant (25 MFire)", MFire >= 25),
    row("Create Light (35 MFire)", MFire >= 35),
    row("Flamestrike (35 MFire)", MFire >= 35),
    row("Moonbeam (120 MFire)", MFire >= 120),
    row("Still (130 MFire/130 MSpirit)", MFire >= 130, MSpirit >= 130),
    row("Armor (20 MEarth)", MEarth >= 20),
    row("Create Food (25 MEarth)", MEarth >= 25),
    row("Vigorize Light (25 MEarth/25 MWater)", MEarth >= 25, MWater >= 25),
    row("Vigorize Serious (40 MEarth/40 MWater)", MEarth >= 40, MWater >= 40),
    row("Spiritual Hammer (20 MWater/55 MSpirit", MWater >= 20, MSpirit >= 55),
    row("Remove Paralysis (35 MEarth)", MEarth >= 35),
    row("Earth Quake (35 MEarth)", MEarth >= 35),
    row("Free Action (35 MEarth)", MEarth >= 35),
    row("Word of Recall (35 MEarth)", MEarth >= 35),
    row("Sustain (35 MEarth)", MEarth >= 35),
    row("Vitalize Mana (45 MEarth)", MEarth >= 45),
    row("Sanctuary (50 MEarth/50 MAir)", MEarth >= 50, MAir >= 50),
    row("Resurrect (65 MEarth/65 MSpirit)", MEarth >= 65, MSpirit >= 65),
    row("Bless (20 MWater)", MWater >= 20),
    row("Create Water (25 MWater)", MWater >= 25),
    row("Detect Poison (25 MWater)", MWater >= 25),
    row("Waterwalk (25 MWater)", MWater >= 25),
    row("Remove Poison (30 MWater)", MWater >= 30),
    row("Remove Blind (30 MWater)", MWater >= 30),
    row("Cure Disease (30 MWater)", MWater >= 30),
    row("Dispel Silence (35 MWater)", MWater >= 35),
    row("Control Weather (35 MWater/35 MAir)", MWater >= 35, MAir >= 35),
    row("Cure Critical (40 MWater/25 MAir)", MWater >= 40, MAir >= 25),
    row("Cure Serious (40 MWater)", MWater >= 40),
    row("Remove Curse (40 MWater)", MWater >= 40),
    row("Heal Light (45 MWater/45 MAir/20 MSpirit)", MWater >= 45, MAir >= 45, MSpirit >= 20),
    row("Heal Serious (60 MWater/60 MAir/40 MSpirit)", MWater >= 60, MAir >= 60, MSpirit >= 40),
    row("Heal Critical (80 MWater/80 Mair/60 MSpirit)", MWater >= 80, MAir >= 80, MSpirit >= 60),
    row("Silence (30 MAir)", MAir >= 30),
    row("Call Lightning (40 MAir)", MAir >= 40),
    row("Hold Person (45 MAir)", MAir >= 45),
    row("Hold Undead (45 MAir)", MAir >= 45),
    row("Smite (45 MAir/45 MSpirit)", MAir >= 45, MSpirit >= 45),
    row("Hold Monster (50 MAir)", MAir >= 50),
    row("Detect Evil (20 MSpirit)", MSpirit >= 20),
    row("Protection From Evil (30 MSpirit)", MSpirit >= 30),
    row("Aid (35 MSpirit)", MSpirit >= 35),
    row("Hope (35 MSpirit)", MSpirit >= 35),
    row("Courage (35 MSpirit)", MSpirit >= 35),
    row("Summon (40 MSpirit)", MSpirit >= 40),
    row("Dispel Evil (40 MSpirit)", MSpirit >= 40),
    row("Holy Word (50 MSpirit)", MSpirit >= 50),
    row("Dispel Magic (50 MSpirit)", MSpirit >= 50),
    row("Deaths Door (50 MSpirit)", MSpirit >= 50),
    row("Mantle of Truth (60 MSpirit)", MSpirit >= 60),
    row("Turn Undead (15 PSpirit)", PSpirit >= 15),
};

// Paladin
constexpr std::array kPaladin = {
    row("Call Mount"),
    row("War Chant (25 MFire)", MFire >= 25),
    row("Create Light (35 MFire)", MFire >= 35),
    row("Flamestrike (35 MFire)", MFire >= 35),
    row("Armor (20 MEarth)", MEarth >= 20),
    row("Spiritual Hammer (20 MWater/55 MSpirit", MWater >= 20, MSpirit >= 55),
    row("Cure Light (15 MWater)", MWater >= 15),
    row("Bless (20 MWater)", MWater >= 20),
    row("Detect Poison (25 MWater)", MWater >= 25),
    row("Remove Poison (30 MWater)", MWater >= 30),
    row("Cure Disease (30 MWater)", MWater >= 30),
    row("Cure Critical (40 MWater/25 MAir)", MWater >= 40, MAir >= 25),
    row("Cure Serious (40 MWater)", MWater >= 40),
    row("Remove Curse (40 MWater)", MWater >= 40),
    row("Silence (30 MAir)", MAir >= 30),
    row("Call Lightning (40 MAir)", MAir >= 40),
    row("Hold Person (45 MAir)", MAir >= 45),
    row("Hold Undead (45 MAir)", MAir >= 45),
    row("Tower of Strength (45 MAir/45 MSpirit)", MWater >= 45, MSpirit >= 45),
    row("Smite (45 MAir/45 MSpirit)", MAir >= 45, MSpirit >= 45),
    row("Hold Monster (50 MAir)", MAir >= 50),
    row("Synostodweomer (55 MWater/55 MSpirit)", MWater >= 55, MSpirit >= 55),
    row("Detect Evil (20 MSpirit)", MSpirit >= 20),
    row("Summon (40 MSpirit)", MSpirit >= 40),
    row("Dispel Evil (40 MSpirit)", MSpirit >= 40),
    row("Disarm (30 PEarth)", PEarth >= 30),
    row("Block (35 PEarth)", PEarth >= 35),
    row("Rescue (35 PWater)", PWater >= 35),
    row("Kick (25 PAir)", PAir >= 25),
    row("Retreat (35 PAir)", PAir >= 35),
    row("Charge (45 PAir/45 PSpirit)", PAir >= 45, PSpirit >= 45),
    row("Turn Undead (25 PSpirit)", PSpirit >= 25),
};

// Ranger
constexpr std::array kRanger = {
    row("Focus"),
    row("Faerie Fire (35 MFire)", MFire >= 35),
    row("Create Food (25 MEarth)", MEarth >= 25),
    row("Sustain (35 MEarth)", MEarth >= 35),
    row("Fleetfeet (40 MEarth)", MEarth >= 40),
    row("Natures Infusion (40 MEarth)", MEarth >= 40),
    row("Barkskin (45 MEarth)", MEarth >= 45),
    row("Cure Light (15 MWater)", MWater >= 15),
    row("Create Water (25 MWater)", MWater >= 25),
    row("Detect Poison (25 MWater)", MWater >= 25),
    row("Waterwalk (25 MWater)", MWater >= 25),
    row("Remove Poison (30 MWater)", MWater >= 30),
    row("Cure Serious (40 MWater)", MWater >= 40),
    row("Icelance (40 MWater)", MWater >= 40),
    row("Icestorm (50 MWater)", MWater >= 50),
    row("Infravision (30 MAir)", MAir >= 30),
    row("Sense Life (30 MAir)", MAir >= 30),
    row("Hold Animal (35 MAir)", MAir >= 35),
    row("Endure Element (40 MAir)", MAir >= 40),
    row("Animal Friendship (25 MSpirit)", MSpirit >= 25),
    row("Forage (25 PEarth)", PEarth >= 25),
    row("Ambidexterity (30 PEarth)", PEarth >= 30),
    row("Archery (35 PEarth/35 PAir)", PEarth >= 35, PAir >= 35),
    row("Move Silently (40 PEarth)", PEarth >= 40),
    row("Hibernate (40 PEarth/40 PSpirit)", PEarth >= 40, PSpirit >= 40),
    row("Hunt (45 PEarth)", PEarth >= 45),
    row("Tread (50 PEarth)", PEarth >= 50),
    row("Kick (25 PAir)", PAir >= 25),
    row("Retreat (35 PAir)", PAir >= 35),
    row("Tame (35 PSpirit)", PSpirit >= 35),
};

// Thief
constexpr std::array kThief = {
    row("Focus"),
    row("Detect Trap"),
    row("Sneak (30 PEarth)", PEarth >= 30),
    row("Ambidexterity (30 PEarth)", PEarth >= 30),
    row("Steal (30 PEarth)", PEarth >= 30),
    row("Archery (35 PEarth/35 PAir)", PEarth >= 35, PAir >= 35),
    row("Cripple (40 PEarth)", PEarth >= 40),
    row("Hunt (45 PEarth)", PEarth >= 45),
    row("Tread (50 PEarth)", PEarth >= 50),
    row("Pick Lock (25 PFire)", PFire >= 25),
    row("Apply Poison (38 PFire)", PFire >= 38),
    row("Corner (50 PFire)", PFire >= 50),
    row("Remove Trap (30 PWater)", PWater >= 30),
    row("Backstab (40 PWater/40 PSpirit)", PWater >= 40, PSpirit >= 40),
    row("Circle (45 PWater)", PWater >= 45),
    row("Dodge (40 PAir)", PAir >= 45),
    row("Hide (25 PSpirit)", PSpirit >= 25),
    row("Glance (50 PSpirit)", PSpirit >= 50),
};

// Warrior
constexpr std::array kWarrior = {
    row("Focus"),
    row("Ambidexterity (30 PEarth)", PEarth >= 30),
    row("Disarm (30 PEarth)", PEarth >= 30),
    row("Archery (35 PEarth/35 PAir)", PEarth >= 35, PAir >= 35),
    row("Block (35 PEarth)", PEarth >= 35),
    row("Bash (35 PEarth)", PEarth >= 35),
    row("Guard (40 PEarth)", PEarth >= 40),
    row("Weapon Mastery (55 PFire/PSpirit)", PFire >= 65, PSpirit >= 55),
    row("Weapon Mastery II (65 PFire/PSpirit)", PFire >= 65, PSpirit >= 65),
    row("Kick (25 PAir)", PAir >= 25),
    row("Retreat (35 PAir)", PAir >= 35),
    row("Rescue (30 PWater)", PWater >= 30),
    row("Parry (45 PWater)", PWater >= 45),
    row("Conditioning (50 PWater/50 PAir)", PWater >= 50, PAir >= 50),
    row("Conditioning II (60 PWater/60 PAir)", PWater >= 60, PAir >= 60),
};

// clang-format on

// ---- The second-class copy ------------------------------------------------
// The same rows, but for six texts written differently and two Anti-Paladin
// rows in the other order.

struct Retext {
  int row;  // counted from 1, as the skill lists are numbered
  std::string_view text;
};

template <std::size_t N>
constexpr std::array<SkillRow, N> retexted(std::array<SkillRow, N> rows,
                                           std::initializer_list<Retext> changes) {
  for (const Retext& change : changes) rows[change.row - 1].text = change.text;
  return rows;
}

template <std::size_t N>
constexpr std::array<SkillRow, N> swapped(std::array<SkillRow, N> rows, int a, int b) {
  std::swap(rows[a - 1], rows[b - 1]);
  return rows;
}

constexpr auto kAntiPaladin2 = swapped(kAntiPaladin, 19, 20);
constexpr auto kChaosCleric2 =
    retexted(kChaosCleric, {{35, "Heal Serious (60 MWater/60 MAir/ 40 MSpirit)"}});
constexpr auto kDruid2 = retexted(kDruid, {{25, "Control Weather (35 MWater/35 MAir)"}});
constexpr auto kMagicUser2 = retexted(kMagicUser, {{23, "Locate Object (55 MEarth/55 MSpirit)"}});
constexpr auto kOrderCleric2 =
    retexted(kOrderCleric, {{35, "Heal Critical (80 MWater/80 MAir/60 MSpirit)"}});
constexpr auto kWarrior2 = retexted(kWarrior, {{8, "Weapon Mastery (55 PFire/55 PSpirit)"},
                                               {9, "Weapon Mastery II (65 PFire/65 PSpirit)"}});

struct ClassRows {
  std::span<const SkillRow> first;
  std::span<const SkillRow> second;
};

// In the order of kClassNames.
constexpr std::array<ClassRows, kClassCount> kCatalogue = {{
    {kAntiPaladin, kAntiPaladin2},
    {kArtificer, kArtificer},
    {kBarbarian, kBarbarian},
    {kBard, kBard},
    {kChaosCleric, kChaosCleric2},
    {kDruid, kDruid2},
    {kMagicUser, kMagicUser2},
    {kMonkAutumn, kMonkAutumn},
    {kMonkSpring, kMonkSpring},
    {kMonkSummer, kMonkSummer},
    {kMonkWinter, kMonkWinter},
    {kOrderCleric, kOrderCleric2},
    {kPaladin, kPaladin},
    {kRanger, kRanger},
    {kThief, kThief},
    {kWarrior, kWarrior2},
}};

}  // namespace

std::span<const SkillRow> rowsOf(std::string_view className, Copy copy) {
  for (int i = 0; i < kClassCount; ++i) {
    if (kClassNames[i] == className)
      return copy == Copy::FirstClass ? kCatalogue[i].first : kCatalogue[i].second;
  }
  return {};
}

}  // namespace skills
