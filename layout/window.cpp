#include "layout/window.h"

#include <array>

#include "sheet/names.h"

namespace layout {
namespace {

struct Column {  // one element of the grid
  char letter;
  std::string_view name;
  int arrowX, labelX, labelWidth, boxX;
};

constexpr std::array<Column, 5> kColumns = {{
    {'f', "Fire", 120, 360, 480, 840},  // reaches the box, so "M Fire" fits
    {'e', "Earth", 1680, 1920, 615, 2640},
    {'w', "Water", 3480, 3840, 615, 4560},
    {'a', "Air", 5400, 5640, 495, 6240},
    {'s', "Spirit", 7080, 7320, 615, 8040},
}};

struct Row {  // one kind of the grid
  char letter;
  std::string_view label;  // "M", "P", "D"
  int y;
  int raiseY, lowerY;  // 0: the row has no arrows
};

constexpr std::array<Row, 3> kRows = {{
    {'m', "M", 3120, 3120, 3360},
    {'p', "P", 3720, 3600, 3840},
    {'d', "D", 4320, 0, 0},
}};

constexpr std::array<std::string_view, 3> kComboNames = {"cmbrace", "cmbfc", "cmbsc"};

std::vector<Control> buildControls() {
  using K = Kind;
  std::vector<Control> c = {
      // Top band
      {"lbltitle", K::Label, "Plavet Program v1.33.3 - It makes the plavet, not the character!", "",
       240, 120, 8175, 495, Centred | Bold | Large},
      {"lblrace", K::Label, "Race", "", 240, 840, 1455, 255, Centred},
      {"lblfc", K::Label, "First Class", "", 1920, 840, 1455, 255, Centred},
      {"lblsc", K::Label, "Second Class", "", 3600, 840, 1455, 255, Centred},
      {"cmbrace", K::Combo, "", "Race", 240, 1080, 1455, 315},
      {"cmbfc", K::Combo, "", "First Class", 1920, 1080, 1455, 315},
      {"cmbsc", K::Combo, "", "Second Class", 3600, 1080, 1455, 315},
      {"cmdstrt", K::Button, "Start/Reset Plavet", "", 5520, 840, 2895, 495},
      // Pool band
      {"lblmhave", K::Label, "You have", "", 240, 1560, 735, 255},
      {"lblphave", K::Label, "You have", "", 240, 2040, 735, 255},
      {"lblehave", K::Label, "You have", "", 240, 2520, 735, 255},
      {"txtmpr", K::NumberBox, "0", "Magic Points remaining", 1080, 1560, 615, 285},
      {"txtppr", K::NumberBox, "0", "Physical Points remaining", 1080, 2040, 615, 285},
      {"txtepr", K::NumberBox, "0", "Either Points remaining", 1080, 2520, 615, 285},
      {"lblmpr", K::Label, "Magic Points remaining.", "", 1800, 1560, 1935, 255},
      {"lblppr", K::Label, "Physical Points remaining.", "", 1800, 2040, 1935, 255},
      {"lblepr", K::Label, "Either Points remaining.", "", 1800, 2520, 1935, 255},
      {"cmdmulti", K::Button, "Multi-Class Now!", "", 3840, 1560, 1215, 1215, Wraps},
      {"cmdshsk", K::Button, "Show Current Skills", "", 5520, 1560, 2895, 495},
      {"cmdhelp", K::Button, "Help", "", 5520, 2280, 2895, 495},
      // Lower band
      {"lblfcabil", K::Label, "First Class Abilities...", "", 240, 4800, 2775, 255},
      {"fclstskill", K::List, "", "First Class Abilities", 240, 5160, 2895, 3375},
      {"lblscabil", K::Label, "Second Class Abilities...", "", 3360, 4800, 2775, 255},
      {"sclstskill", K::List, "", "Second Class Abilities", 3360, 5160, 2895, 3375},
      {"lblBonus", K::Label, "Element Effects", "", 6840, 4800, 1575, 255, Centred | Bold},
      {"lblSpells", K::Label, "Spell Effects", "", 6840, 5160, 1575, 255, Centred},
      {"chkBless", K::Check, "Bless", "Bless", 6720, 5520, 735, 255},
      {"chkShield", K::Check, "Shield", "Shield", 7800, 5520, 735, 255},
      {"chkEndure", K::Check, "Endure", "Endure", 7080, 5880, 1095, 255},
      {"lblClantown", K::Label, "Clantown Effects", "", 6960, 6360, 1335, 255, Centred},
      {"lblPhysicalClantown", K::Label, "PElement Building", "", 6960, 6840, 1335, 255, Centred},
      {"chkPBonus1", K::Check, "Bonus 1", "PElement Building Bonus 1", 6600, 7320, 975, 255},
      {"chkPBonus2", K::Check, "Bonus 2", "PElement Building Bonus 2", 7680, 7320, 975, 255},
      {"lblMElementClantown", K::Label, "MElement Amount", "", 6840, 7800, 1575, 255, Centred},
      {"chkMBonus1", K::Check, "Bonus 1", "MElement Amount Bonus 1", 6600, 8280, 975, 255},
      {"chkMBonus2", K::Check, "Bonus 2", "MElement Amount Bonus 2", 7680, 8280, 975, 255},
  };
  // The element grid: per element and kind an arrow pair, a label and a box.
  for (const Column& col : kColumns) {
    for (const Row& row : kRows) {
      const std::string suffix{row.letter, col.letter};                                  // "mf"
      const std::string caption = std::string(row.label) + " " + std::string(col.name);  // "M Fire"
      c.push_back({"lbl" + suffix, K::Label, caption, "", col.labelX, row.y, col.labelWidth, 255,
                   RightAligned, "txt" + suffix});
      c.push_back({"txt" + suffix, K::NumberBox, "0", caption, col.boxX, row.y, 495, 285});
      if (row.raiseY == 0) continue;
      c.push_back({"cmd" + suffix + "u", K::Arrow, "5", "Raise " + caption, col.arrowX, row.raiseY,
                   255, 195});
      c.push_back({"cmd" + suffix + "d", K::Arrow, "6", "Lower " + caption, col.arrowX, row.lowerY,
                   255, 195});
    }
  }
  return c;
}

std::vector<std::string> buildTabOrder() {
  std::vector<std::string> order;
  for (const Row& row : kRows)
    for (const Column& col : kColumns) order.push_back({'t', 'x', 't', row.letter, col.letter});
  order.insert(order.end(), {"cmbrace", "cmbfc", "txtmpr", "txtppr", "txtepr"});
  for (const Column& col : kColumns)
    for (char kind : {'m', 'p'})
      for (char way : {'u', 'd'}) order.push_back({'c', 'm', 'd', kind, col.letter, way});
  order.insert(order.end(), {"cmdstrt", "cmbsc", "cmdmulti", "cmdhelp", "cmdshsk", "fclstskill",
                             "sclstskill", "chkShield", "chkBless", "chkEndure", "chkPBonus1",
                             "chkPBonus2", "chkMBonus1", "chkMBonus2"});
  return order;
}

std::vector<Rule> buildRules() {
  std::vector<Rule> r;
  for (int y : {720, 1440, 2880, 4200, 4680, 8640}) r.push_back({120, y, 8760, y});
  r.push_back({120, 720, 120, 8640});     // frame, left
  r.push_back({8760, 720, 8760, 8640});   // frame, right
  r.push_back({5160, 1440, 5160, 2880});  // pools | buttons
  r.push_back({6480, 4680, 6480, 8640});  // the effects panel
  for (int y : {5040, 5400, 6240, 6720, 7200, 7680, 8160}) r.push_back({6480, y, 8760, y});
  return r;
}

}  // namespace

const std::vector<Control>& controls() {
  static const std::vector<Control> table = buildControls();
  return table;
}

const std::vector<Rule>& rules() {
  static const std::vector<Rule> table = buildRules();
  return table;
}

const std::vector<std::string>& tabOrder() {
  static const std::vector<std::string> order = buildTabOrder();
  return order;
}

std::span<const std::string_view> items(std::string_view combo) {
  for (std::size_t s = 0; s < kComboNames.size(); ++s)
    if (kComboNames[s] == combo) return sheet::listNames(static_cast<sheet::Selection>(s));
  return {};
}

}  // namespace layout
