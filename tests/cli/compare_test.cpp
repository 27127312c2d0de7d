// `plavet compare` called in-process: what it reads, what it refuses, and
// that its text, its JSON and --only-differences tell the same rows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/compare.h"
#include "store/code.h"
#include "store/file.h"

#include "tests/cli/ran.h"

namespace {

Ran run(const std::vector<std::string>& args) {
  return ::run(&cli::compare, args);
}

sheet::State started(const char* race, int fireRaises) {
  class Quiet : public sheet::MessageSink {
    void show(std::string_view, std::string_view) override {}
  } quiet;
  sheet::Planner p(quiet);
  p.setSelectionText(sheet::Selection::Race, race);
  p.setSelectionText(sheet::Selection::FirstClass, "Druid");
  p.setSelectionText(sheet::Selection::SecondClass, "Bard");
  p.startReset();
  for (int i = 0; i < fireRaises; ++i)
    p.pressArrow(skills::Value::MFire, sheet::Direction::Raise, sheet::kLeftButton);
  return p.state();
}

std::string fileHolding(const std::string& name, const std::string& bytes) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

std::size_t count(const std::string& text, std::string_view what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(CompareCommand, AFileACodeAndALinkAreRead) {
  const std::string base =
      fileHolding("compare-base.plavet", store::writePlavetFile(started("Elf", 0)));
  const std::string code = store::encodeCode(started("Elf", 15));
  const Ran r = run({base, code, "https://example.org/index.html#" + code, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"differences\": [3, 3]"), std::string::npos)
      << r.out;  // M Fire, D Fire, pool
  EXPECT_NE(r.out.find("Raise M Fire by 15: 1 right, 5 left presses"), std::string::npos);
  const Ran text = run({base, code});
  EXPECT_NE(text.out.find("What turns the base into it"), std::string::npos) << text.out;
}

TEST(CompareCommand, OnlyDifferencesKeepsTheRowsThatDiffer) {
  const std::string a = store::encodeCode(started("Elf", 3)),
                    b = store::encodeCode(started("Dwarf", 0));
  const Ran all = run({a, b, "--json"}), only = run({a, b, "--json", "--only-differences"});
  ASSERT_EQ(all.code, 0);
  EXPECT_EQ(count(all.out, "\"name\""), 29u);
  EXPECT_LT(count(only.out, "\"name\""), 29u);
  EXPECT_EQ(count(only.out, "\"differences\": [\"=\"]"), 0u);
  EXPECT_NE(only.out.find("a race is chosen only when a plavet starts"), std::string::npos);
}

TEST(CompareCommand, ABadPlavetEndsItWithItsReason) {
  const std::string code = store::encodeCode(started("Elf", 0));
  const std::string notJson = fileHolding("compare-bad.plavet", "{\"format\": \"plavet\"");
  const std::string folder = std::filesystem::temp_directory_path().string();
  for (const auto& [args, why] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{code, notJson},
            "plavet compare: The file " + notJson +
                " cannot be opened: The file is not a plavet: it is not JSON"},
           {{folder, code}, "cannot be opened: This is a folder, not a plavet file."},
           {{code, "hello"}, "\"hello\" is no file: "},
           {{code, "plavet1-zz"}, "its plavet code cannot be opened"},
           {{code}, "give a base and at least one other"},
       }) {
    const Ran r = run(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
  }
}

}  // namespace
