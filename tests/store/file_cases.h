// Every way a plavet file can be wrong, made from the samples: the file's
// bytes and a part of the reason the reader gives. Shared by the reader's
// test and by the page's, which must refuse each file as the desktop does.
#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/file.h"

namespace file_cases {

inline std::string sample(std::string_view name) {
  std::ifstream in(std::string(PLAVET_STORE_SAMPLES) + "/" + std::string(name), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  if (!in) throw std::runtime_error("no sample " + std::string(name));
  return out.str();
}

// `text` with its first `from` replaced; a sample without `from` is a broken case.
inline std::string replaced(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) throw std::logic_error("no " + std::string(from) + " in the sample");
  return text.replace(at, from.size(), to);
}

// The sample on one line, with as little room as JSON allows.
inline std::string squeezed(std::string file) {
  for (std::string_view gap : {"\n", "  ", ": "})
    for (std::size_t at; (at = file.find(gap)) != std::string::npos;)
      file.replace(at, gap.size(), gap == ": " ? ":" : "");
  return file;
}

struct Refusal {
  std::string file;
  const char* reason;  // a part of the reason given
};

inline std::vector<Refusal> refusals() {
  const std::string f = sample("multiclassed-v1.plavet");
  const std::string g = sample("multiclassed-v2.plavet");
  const std::string h = sample("goals-v3.plavet");
  const std::string goal = "{\"firstClass\": \"Druid\", \"row\": 1}";
  const std::string counts = "{\"magic\": 2, \"physical\": 1}";
  const std::string tight = squeezed(f);
  std::string hugeRace = tight;
  hugeRace.replace(hugeRace.find("Dwarf"), 5,
                   std::string(store::kMaxFileBytes - tight.size() + 5, 'A'));
  return {
      {"{ nope", "not a plavet: it is not JSON ("},
      {f + "x", "not a plavet: it is not JSON ("},
      {"", "not a plavet: it is not JSON ("},
      {replaced(f, "Dwarf", "Dw\xffrf"), "not a plavet: it is not UTF-8 text (byte 54)"},
      {"[1, 2]", "it is JSON, but not an object of fields"},
      {replaced(f, "\"plavet\"", "\"recipe\""), "not a plavet: its format is \"recipe\""},
      {replaced(f, "\"format\": \"plavet\",", ""), "not a plavet: it names no \"format\""},
      {replaced(f, "\"plavet\"", "7"), "The field \"format\" is not a text"},
      {replaced(f, "\"version\": 1", "\"version\": 4"),
       "a plavet of version 4, newer than this program reads (version 3)"},
      {replaced(g, "\"version\": 2", "\"version\": 3"), "The field \"goals\" is missing"},
      {replaced(h, "\"version\": 3", "\"version\": 2"),
       "The field \"clanTownCounts\" is not a field of a plavet of version 2"},
      {replaced(h, goal, "{\"firstClass\": \"Bard\", \"row\": 1}"),
       "Goal 1 of \"goals\" is a skill of \"Bard\", but the plavet's first class is \"Druid\""},
      {replaced(h, goal, "{\"firstClass\": 3, \"row\": 1}"),
       "Goal 1 of \"goals\": its \"firstClass\" is not a text"},
      {replaced(h, goal, "{\"firstClass\": \"Druid\", \"row\": 99}"),
       "Goal 1 of \"goals\": its \"row\" is 99, not a row of the first-class skills of "
       "\"Druid\" (0 to "},
      {replaced(h, goal, "{\"firstClass\": \"Druid\", \"row\": 0.5}"), "its \"row\" is 0.5, not"},
      {replaced(h, goal, "{\"firstClass\": \"Druid\", \"row\": \"1\"}"),
       "Goal 1 of \"goals\": its \"row\" is not a number"},
      {replaced(h, goal, "{\"firstClass\": \"Druid\"}"), "Goal 1 of \"goals\" has no \"row\""},
      {replaced(h, goal, "{\"row\": 1}"),
       "Goal 1 of \"goals\" names neither \"firstClass\" nor \"secondClass\""},
      {replaced(h, goal, "{\"firstClass\": \"Druid\", \"secondClass\": \"Warrior\", \"row\": 1}"),
       "Goal 1 of \"goals\" names both \"firstClass\" and \"secondClass\""},
      {replaced(h, goal, "{\"firstClass\": \"Druid\", \"row\": 1, \"skill\": \"Fire\"}"),
       "The field \"skill\" of goal 1 of \"goals\" is not a field of a goal"},
      {replaced(h, goal, "[\"Druid\", 1]"),
       "Goal 1 of \"goals\" is not an object of a class and a row"},
      {replaced(h, "\"row\": 9}", "\"row\": 1}"), "Goal 3 of \"goals\" is goal 1 again"},
      {replaced(h, "\"goals\": [", "\"goals\": {}, \"x\": ["), "The field \"goals\" is not a list"},
      {replaced(h, counts, "{\"magic\": 3, \"physical\": 1}"),
       "The field \"magic\" of \"clanTownCounts\" is 3, not a whole number from 0 to 2"},
      {replaced(h, counts, "{\"magic\": 2}"),
       "The field \"physical\" of \"clanTownCounts\" is missing"},
      {replaced(h, counts, "{\"magic\": 2, \"physical\": 1, \"either\": 0}"),
       "The field \"either\" of \"clanTownCounts\" is not one of the two counts"},
      {replaced(h, counts, "[2, 1]"),
       "The field \"clanTownCounts\" is neither null nor an object of two counts"},
      {replaced(f, "\"version\": 1", "\"version\": 2"),
       "The field \"valuesAtMultiClass\" is missing"},
      {replaced(g, "\"version\": 2", "\"version\": 1"),
       "The field \"valuesAtMultiClass\" is not a field of a plavet of version 1"},
      {replaced(g, "\"multiClassed\": true", "\"multiClassed\": false"),
       "The field \"valuesAtMultiClass\" holds values, but the plavet is not multi-classed"},
      {replaced(g, "\"valuesAtMultiClass\": {", "\"valuesAtMultiClass\": [], \"x\": {"),
       "The field \"valuesAtMultiClass\" is neither null nor an object of the ten values"},
      // The record comes first in the file: these change it, not the values now.
      {replaced(g, "\"mEarth\": 45", "\"mEarth\": 201"),
       "The field \"mEarth\" of \"valuesAtMultiClass\" is 201, not a whole number from 0 to 200"},
      {replaced(g, "\"pFire\": 45", "\"pFire\": 4.5"),
       "\"pFire\" of \"valuesAtMultiClass\" is 4.5"},
      {replaced(g, "\"pFire\": 45", "\"pFire\": null"),
       "\"pFire\" of \"valuesAtMultiClass\" is not a number"},
      {replaced(g, "\"mAir\": 0,", ""), "The field \"mAir\" of \"valuesAtMultiClass\" is missing"},
      {replaced(g, "\"mAir\": 0,", "\"mAir\": 0, \"dAir\": 0,"),
       "The field \"dAir\" of \"valuesAtMultiClass\" is not one of the ten values"},
      {replaced(f, "\"version\": 1,", ""), "The field \"version\" is missing"},
      {replaced(f, "\"version\": 1", "\"version\": \"1\""), "\"version\" is not a number"},
      {replaced(f, "\"version\": 1", "\"version\": 0.5"), "\"version\" is 0.5, not a version"},
      {replaced(f, "\"mAir\": 27,", ""), "The field \"mAir\" is missing"},
      {replaced(f, "\"secondClassSkills\"", "\"secondClassSkill\""),
       "The field \"secondClassSkills\" is missing"},
      {replaced(f, "\"Dwarf\"", "3"), "The field \"race\" is not a text"},
      {replaced(f, "\"started\": true", "\"started\": 1"), "\"started\" is not true or false"},
      {replaced(f, "\"endure\": true", "\"endure\": \"true\""), "\"endure\" is not true or false"},
      {replaced(f, "\"mFire\": 18", "\"mFire\": \"18\""), "\"mFire\" is not a number"},
      {replaced(f, "\"mFire\": 18", "\"mFire\": 201"),
       "\"mFire\" is 201, not a whole number from 0 to 200"},
      {replaced(f, "\"pSpirit\": 10", "\"pSpirit\": -1"), "\"pSpirit\" is -1, not a whole number"},
      {replaced(f, "\"pFire\": 55", "\"pFire\": 55.5"), "\"pFire\" is 55.5, not a whole number"},
      {replaced(f, "\"pFire\": 55", "\"pFire\": 1e999"), "not JSON"},
      {replaced(f, "\"pFire\": 55", "\"pFire\": 100000000000000000000"),
       "\"pFire\" is 1e+20, not a whole number"},
      {replaced(f, "\"pFire\": 55", "\"pFire\": -9223372036854775809"),
       "\"pFire\" is -9.22337203685478e+18, not a whole number"},
      {replaced(f, "\"pFire\": 55", "\"pFire\": 55, \"pFire\": 201"), "\"pFire\" is 201"},
      {replaced(f, "\"magicPool\": 139", "\"magicPool\": -5"),
       "\"magicPool\" is -5, not a whole number from 0 to 65535"},
      {replaced(f, "\"eitherPool\": 180", "\"eitherPool\": 0.5"), "\"eitherPool\" is 0.5, not"},
      {replaced(f, "\"eitherPool\": 180", "\"eitherPool\": 65536"), "\"eitherPool\" is 65536"},
      {replaced(f, "[\n    \"Focus\"\n  ]", "\"Focus\""), "\"secondClassSkills\" is not a list"},
      {replaced(f, "\"Focus\"", "7"), "Item 1 of \"secondClassSkills\" is not a text"},
      {replaced(f, "\"Focus\"", "\"Fireball\""),
       "Item 1 of \"secondClassSkills\", \"Fireball\", is not one of the second-class skills of "
       "\"Warrior\""},
      {replaced(f, "\"Cure Light (0 MWater)\"", "\"Focus\""),
       "Item 4 of \"firstClassSkills\", \"Focus\", is not one of the first-class skills of "
       "\"Druid\""},
      {replaced(f, "\"Focus\"", "\"Focus\", \"Focus\""),
       "Item 2 of \"secondClassSkills\", \"Focus\", is in the list twice"},
      {replaced(f, "\"Warrior\"", "\"Warrior (typed)\""),
       "not one of the second-class skills of \"Warrior (typed)\""},
      {replaced(f, "\"Dwarf\"", std::string(2000, '[') + std::string(2000, ']')),
       "not JSON (too deeply nested document at byte"},
      {replaced(f, "\"version\": 1,", "\"version\": 1, \"colour\": \"red\","),
       "The field \"colour\" is not a field of a plavet"},
      {f + std::string(store::kMaxFileBytes - f.size() + 1, ' '),
       "too large for a plavet: 1048577 bytes"},
      {hugeRace, "texts are too long: written out, the file would be larger than 1 MiB"},
      {"plavet1-Ak8DBhASICAbAjcPAAAKAIsAoAC0obC1dB\n", "The plavet code is damaged"},
      {"My dwarf: plavet1-Ak8DBhASICAbAjcPAAAKAIsAoA.\n", "The plavet code is cut short"},
      {"plavet-AAAA", "This is not a plavet code: \"plavet\" must be followed by"},
      {"My dwarf", "not a plavet: it is not JSON ("},
  };
}

}  // namespace file_cases
