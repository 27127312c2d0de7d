// Writing a plavet file. The layout is fixed, key by key and line by line, so
// that two saves of one plavet are the same bytes and a change of one value
// changes one line:
//
//   {
//     "format": "plavet",
//     "version": 2,
//     "race": "Dwarf",
//     ...                    every field of fields.h, in its order
//     "multiClassed": true,
//     "valuesAtMultiClass": {  null before multi-classing
//       "mFire": 36,
//       ...
//       "pSpirit": 20
//     },
//     ...
//     "firstClassSkills": [
//       "Curse (30 MFire)",
//       "War Chant (25 MFire)"
//     ],
//     "secondClassSkills": [],
//     "goals": [               version 3 only
//       {"firstClass": "Artificer", "row": 6},
//       {"secondClass": "Anti-Paladin", "row": 18}
//     ],
//     "clanTownCounts": null   or {"magic": 2, "physical": 0}
//   }
#include "sheet/numbers.h"
#include "store/fields.h"
#include "store/file.h"
#include "store/utf8.h"

namespace store {
namespace {

// A JSON string: only what JSON requires is escaped, so text in any script
// stays readable.
std::string quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (char c : wellFormed(text)) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += c;
        }
    }
  }
  return out + '"';
}

std::string listValue(const skills::SkillList& list) {
  if (list.empty()) return "[]";
  std::string out = "[\n";
  for (std::size_t i = 0; i < list.items().size(); ++i)
    out += "    " + quoted(list.items()[i]) + (i + 1 < list.items().size() ? ",\n" : "\n");
  return out + "  ]";
}

std::string recordValue(const std::optional<skills::ElementValues>& record) {
  if (!record) return "null";
  std::string out = "{\n";
  for (int v = 0; v < skills::kValueCount; ++v)
    out += "    " + quoted(fields::kValueKeys[v]) + ": " + sheet::formatNumber((*record)[v]) +
           (v + 1 < skills::kValueCount ? ",\n" : "\n");
  return out + "  }";
}

// The goals that hold, each with its class as the plavet's selection names it.
std::string goalsValue(const sheet::State& s) {
  const std::vector<sheet::Goal>& goals = sheet::goalsHeld(s);
  if (goals.empty()) return "[]";
  std::string out = "[\n";
  for (std::size_t i = 0; i < goals.size(); ++i) {
    const int copy = static_cast<int>(goals[i].copy);
    out += "    {" + quoted(fields::kGoalClassKeys[copy]) + ": " +
           quoted(s.selections[fields::classSelectionOf(copy)]) + ", " +
           quoted(fields::kGoalRowKey) + ": " + std::to_string(goals[i].row) + "}" +
           (i + 1 < goals.size() ? ",\n" : "\n");
  }
  return out + "  ]";
}

std::string countsValue(const sheet::State& s) {
  const sheet::BonusCounts counts = sheet::countsHeld(s);
  if (counts == sheet::boxCounts(s.bonuses)) return "null";
  return "{" + quoted(fields::kCountKeys[0]) + ": " + std::to_string(counts.magic) + ", " +
         quoted(fields::kCountKeys[1]) + ": " + std::to_string(counts.physical) + "}";
}

std::string valueOf(const sheet::State& s, const fields::Field& field) {
  switch (field.kind) {
    case fields::Kind::Text:
      return quoted(s.selections[field.index]);
    case fields::Kind::Flag:
      return fields::flag(s, field.index) ? "true" : "false";
    case fields::Kind::Value:
      return sheet::formatNumber(s.boxes[field.index]);
    case fields::Kind::Pool:
      return sheet::formatNumber(s.boxes[static_cast<int>(fields::kPools[field.index])]);
    case fields::Kind::Record:
      return recordValue(s.valuesAtMultiClass);
    case fields::Kind::Goals:
      return goalsValue(s);
    case fields::Kind::Counts:
      return countsValue(s);
    case fields::Kind::List:
      break;
  }
  return listValue(fields::list(s, field.index));
}

}  // namespace

std::string writePlavetFile(const sheet::State& state) {
  const int version = fields::keepsGoals(state) ? kFileVersion : 2;
  std::string out =
      "{\n  \"format\": " + quoted(kFileFormat) + ",\n  \"version\": " + std::to_string(version);
  for (const fields::Field& field : fields::kFileFields)
    if (field.since <= version) out += ",\n  " + quoted(field.key) + ": " + valueOf(state, field);
  return out + "\n}\n";
}

}  // namespace store
