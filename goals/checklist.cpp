#include "goals/checklist.h"

#include <algorithm>
#include <array>

#include "sheet/numbers.h"

namespace goals {
namespace {

constexpr std::string_view kBox = "[ ] ";

std::string boxes(const Problem& p) {
  constexpr std::array<std::string_view, 2> magic = {"MElement Amount Bonus 1",
                                                     "MElement Amount Bonus 2"};
  constexpr std::array<std::string_view, 2> physical = {"PElement Building Bonus 1",
                                                        "PElement Building Bonus 2"};
  std::string out;
  for (int i = 0; i < p.magicBonus; ++i) out += (out.empty() ? "" : ", ") + std::string(magic[i]);
  for (int i = 0; i < p.physicalBonus; ++i)
    out += (out.empty() ? "" : ", ") + std::string(physical[i]);
  return out;
}

std::string phase(std::string_view title, const std::vector<Raise>& raises) {
  int presses = 0;
  for (const Raise& r : raises) presses += r.presses.count();
  std::string out = std::string(title) + " (" + std::to_string(presses) +
                    (presses == 1 ? " press" : " presses") + "):\n";
  if (raises.empty()) out += "    nothing to raise\n";
  for (const Raise& r : raises) out += std::string(kBox) + raiseWords(r) + "\n";
  return out;
}

// The M, P and D rows under the five elements, numbers to the right.
std::string values(const sheet::State& s) {
  std::array<std::array<std::string, skills::kElementCount + 1>, 4> rows;
  rows[0][0] = "";
  rows[1][0] = "M";
  rows[2][0] = "P";
  rows[3][0] = "D";
  for (int e = 0; e < skills::kElementCount; ++e) {
    rows[0][e + 1] = skills::kElementNames[e];
    rows[1][e + 1] = sheet::formatNumber(s.boxes[skills::index(skills::magicValue(e))]);
    rows[2][e + 1] = sheet::formatNumber(s.boxes[skills::index(skills::physicalValue(e))]);
    rows[3][e + 1] = sheet::formatRounded(s.boxes[static_cast<int>(sheet::dBox(e))]);
  }
  std::string out;
  for (const auto& row : rows) {
    out += "    " + row[0];
    for (int c = 1; c <= skills::kElementCount; ++c) {
      std::size_t width = 0;
      for (const auto& other : rows) width = std::max(width, other[c].size());
      out += std::string(2 + width - row[c].size(), ' ') + row[c];
    }
    out += "\n";
  }
  return out;
}

std::string listed(std::string_view title, const skills::SkillList& list) {
  std::string out = "    " + std::string(title) + ": ";
  std::string items;
  for (std::string_view item : list.items())
    items += (items.empty() ? "" : "; ") + std::string(item);
  return out + (items.empty() ? "none" : items) + "\n";
}

}  // namespace

std::string checklist(const Problem& p, const Plan& plan, const sheet::State& played) {
  std::string out = "Plan: " + p.race + ", first class " + p.firstClass + ", multi-classing into " +
                    p.secondClass + "\n\n";
  out += std::string(kBox) + "Choose " + p.race + ", " + p.firstClass + " and " + p.secondClass +
         ", then Start/Reset Plavet\n";
  if (const std::string checked = boxes(p); !checked.empty())
    out += std::string(kBox) + "Check " + checked + "\n";
  out += phase("Before multi-classing", plan.beforeMultiRaises);
  out += std::string(kBox) + "Multi-Class Now!\n";
  out += phase("After multi-classing", plan.afterMultiRaises);
  out += "\nThen listed:\n" + listed("First class " + p.firstClass, played.firstClassSkills) +
         listed("Second class " + p.secondClass, played.secondClassSkills);
  out += "\nValues at the end:\n" + values(played);
  out += "\nPoints left: " + std::to_string(plan.pointsLeft) + " (Magic " +
         std::to_string(plan.finalPools.magic) + ", Physical " +
         std::to_string(plan.finalPools.physical) + ", Either " +
         std::to_string(plan.finalPools.either) + "), in " + std::to_string(plan.presses) +
         (plan.presses == 1 ? " press\n" : " presses\n");
  if (!plan.dropped.empty()) {
    out += "\nDropped goals:\n";
    for (const Dropped& d : plan.dropped)
      out += "    " + std::string(rowOf(p, d.goal).text) +
             (d.goal.copy == skills::Copy::FirstClass ? " (first class): " : " (second class): ") +
             d.reason + "\n";
  }
  return out;
}

}  // namespace goals
