// Plavet files: the samples of every version, a refusal for every way a file
// can be wrong, and saving and opening on a real disk.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "file_cases.h"
#include "store/code.h"
#include "store/file.h"
#include "store/utf8.h"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

using file_cases::replaced;
using file_cases::sample;
using file_cases::squeezed;

sheet::State read(const std::string& bytes) {
  const store::Loaded loaded = store::readPlavetFile(bytes);
  EXPECT_TRUE(loaded.state) << loaded.reason;
  return loaded.state.value_or(sheet::State{});
}

// A version 1 file as version 2 writes it: one more line, that of the values
// at multi-classing, which version 1 did not keep.
std::string asVersion2(const std::string& file) {
  std::string out = replaced(file, "\"version\": 1,", "\"version\": 2,");
  return out.insert(out.find('\n', out.find("\"multiClassed\"")) + 1,
                    "  \"valuesAtMultiClass\": null,\n");
}

// Files once written must keep opening: every version's samples stay, and a
// sample read and written again is the same bytes (a version 1 sample as
// version 2 writes it).
TEST(PlavetFile, ReadsTheSamplesOfEveryVersion) {
  const std::string dwarfFile = sample("multiclassed-v1.plavet");
  const sheet::State dwarf = read(dwarfFile);
  EXPECT_EQ(dwarf.selections, (std::array<std::string, 3>{"Dwarf", "Druid", "Warrior"}));
  EXPECT_TRUE(dwarf.multiClassed);
  EXPECT_FALSE(dwarf.valuesAtMultiClass);
  EXPECT_EQ(dwarf.boxes[static_cast<int>(sheet::Box::df)], 53.3333333333334);  // from delement
  ASSERT_EQ(dwarf.firstClassSkills.items().size(), 8u);
  EXPECT_EQ(dwarf.firstClassSkills.items()[7], "Waterwalk (25 MWater)");
  EXPECT_EQ(store::writePlavetFile(dwarf), asVersion2(dwarfFile));

  const std::string typedFile = sample("typed-v1.plavet");
  const sheet::State typed = read(typedFile);
  EXPECT_EQ(typed.selections[2], std::string("Tab\there\nand NUL\0.", 18));
  EXPECT_EQ(store::writePlavetFile(typed), asVersion2(typedFile));

  // A text file holding only a code: the same plavet, its lists rebuilt.
  EXPECT_EQ(read(sample("code-v1.txt")), dwarf);

  const std::string learnedFile = sample("multiclassed-v2.plavet");
  const sheet::State learned = read(learnedFile);
  const skills::ElementValues then = {25, 45, 45, 0, 0, 45, 25, 0, 0, 0};
  EXPECT_EQ(learned.valuesAtMultiClass, then);
  EXPECT_EQ(learned.firstClassSkills.items().size(), 16u);  // from those values
  EXPECT_EQ(store::writePlavetFile(learned), learnedFile);
  // Copy as Text kept as a note: its code, the lists as multi-classing and
  // Apply Plan leave them.
  EXPECT_EQ(read(sample("text-v2.txt")), learned);

  // The same plavet with three goals and counts of its own.
  const std::string goalsFile = sample("goals-v3.plavet");
  const sheet::State planned = read(goalsFile);
  using skills::Copy;
  EXPECT_EQ(planned.goals.rows,
            (std::vector<sheet::Goal>{
                {Copy::FirstClass, 1}, {Copy::SecondClass, 4}, {Copy::FirstClass, 9}}));
  EXPECT_EQ(sheet::countsHeld(planned), (sheet::BonusCounts{2, 1}));
  sheet::State without = planned;
  without.goals = {};
  EXPECT_EQ(without, learned);
  EXPECT_EQ(store::writePlavetFile(planned), goalsFile);
  EXPECT_EQ(read(store::encodeCode(planned)), planned);
}

TEST(PlavetFile, ReadsWhatEditorsMakeOfIt) {
  const std::string file = sample("multiclassed-v1.plavet");
  std::string crlf = "\xef\xbb\xbf";
  for (char c : file) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(read(crlf), read(file));
}

TEST(PlavetFile, RefusesEveryWrongFileWithItsReason) {
  const std::vector<file_cases::Refusal> refusals = file_cases::refusals();
  for (const auto& r : refusals) {
    const store::Loaded loaded = store::readPlavetFile(r.file);
    EXPECT_FALSE(loaded.state) << r.reason;
    EXPECT_NE(loaded.reason.find(r.reason), std::string::npos)
        << "wanted \"" << r.reason << "\", the reason is \"" << loaded.reason << '"';
  }
  // Squeezed, the samples are sound; the race made long fills the file to
  // the limit, not past it.
  EXPECT_TRUE(store::readPlavetFile(squeezed(sample("multiclassed-v1.plavet"))).state);
  EXPECT_TRUE(store::readPlavetFile(squeezed(sample("multiclassed-v2.plavet"))).state);
  EXPECT_TRUE(store::readPlavetFile(squeezed(sample("goals-v3.plavet"))).state);
  const auto longRace = std::find_if(refusals.begin(), refusals.end(), [](const auto& r) {
    return std::string_view(r.reason).starts_with("texts are too long");
  });
  ASSERT_NE(longRace, refusals.end());
  EXPECT_EQ(longRace->file.size(), store::kMaxFileBytes);
}

// Numbers in any JSON spelling of a whole number, and a field given twice
// read as the last one, as the desktop always read them.
TEST(PlavetFile, ReadsAnyJsonSpellingOfItsFields) {
  const std::string f = sample("multiclassed-v1.plavet");
  const std::string mFire = "\"mFire\": 18";
  for (const std::string spelling :
       {"\"mFire\": 18.0", "\"mFire\": 1.8e1", "\"mFire\": 180e-1", "\"mFire\": 3, \"mFire\": 18",
        "\"mFire\": \"x\", \"mFire\": 18"})
    EXPECT_EQ(read(replaced(f, mFire, spelling)), read(f)) << spelling;
  EXPECT_EQ(read(replaced(f, "\"pWater\": 0", "\"pWater\": -0.0")), read(f));
}

// A selection the window never makes: bytes that are not UTF-8. The file
// keeps them as the window would show them.
TEST(PlavetFile, WritesBrokenUtf8AsTheReplacementCharacter) {
  sheet::State s;
  s.selections = {"\xff\xfe\xfd", "Dru\xc3id", "Warrior"};
  const sheet::State back = read(store::writePlavetFile(s));
  EXPECT_EQ(back.selections[0], "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");
  EXPECT_EQ(back.selections[1], "Dru\xef\xbf\xbdid");
  EXPECT_EQ(back.selections[2], "Warrior");
}

// Saving hands out only what Open reads back: a race too long for a file
// gives no bytes and the reason.
TEST(PlavetFile, SavesOnlyWhatOpensAgain) {
  sheet::State s = read(sample("multiclassed-v2.plavet"));
  const store::FileToSave sound = store::plavetFileToSave(s);
  EXPECT_EQ(sound.bytes, store::writePlavetFile(s));
  EXPECT_EQ(sound.refusal, "");
  s.selections[0] = std::string(store::kMaxFileBytes, 'A');
  const store::FileToSave tooLong = store::plavetFileToSave(s);
  EXPECT_EQ(tooLong.bytes, "");
  EXPECT_EQ(tooLong.refusal,
            "The plavet was not saved, since it could not be opened again: The file is too large "
            "for a plavet: " +
                std::to_string(store::writePlavetFile(s).size()) +
                " bytes, a plavet file has at most 1048576 (1 MiB).");
}

class OnDisk : public ::testing::Test {
 protected:
  OnDisk() {
    std::string pattern = (fs::temp_directory_path() / "plavet-store-XXXXXX").string();
    folder = mkdtemp(pattern.data());
  }
  ~OnDisk() override { fs::remove_all(folder); }
  std::string path(std::string_view name) const { return (folder / name).string(); }

  fs::path folder;
  sheet::State dwarf = read(sample("multiclassed-v1.plavet"));
};

TEST_F(OnDisk, SavesAndOpensThePlavet) {
  ASSERT_EQ(store::savePlavetFile(path("a plavet ü.plavet"), dwarf), "");
  EXPECT_EQ(contents(path("a plavet ü.plavet")), store::writePlavetFile(dwarf));
  const store::Loaded opened = store::openPlavetFile(path("a plavet ü.plavet"));
  ASSERT_TRUE(opened.state) << opened.reason;
  EXPECT_EQ(*opened.state, dwarf);
}

// Root may write anywhere, so a full disk is made with a limit on the size
// of any file this process writes.
TEST_F(OnDisk, AFailedSaveLeavesTheOldFileWhole) {
  const std::string file = path("old.plavet");
  ASSERT_EQ(store::savePlavetFile(file, sheet::State{}), "");
  const std::string old = contents(file);

  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit full{100, limit.rlim_max};
  setrlimit(RLIMIT_FSIZE, &full);
  const std::string why = store::savePlavetFile(file, dwarf);
  setrlimit(RLIMIT_FSIZE, &limit);

  EXPECT_NE(why.find("only 100 of 919 bytes went to disk"), std::string::npos) << why;
  EXPECT_EQ(contents(file), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  EXPECT_NE(store::savePlavetFile(path("no such folder/a.plavet"), dwarf), "");
}

TEST_F(OnDisk, OpenRefusesWhatIsNoPlavetFile) {
  const std::string large = path("large.plavet");
  std::ofstream(large).put('{');
  fs::resize_file(large, 2 * store::kMaxFileBytes);
  const struct {
    std::string path;
    const char* reason;
  } refusals[] = {
      {path("missing.plavet"), "does not exist"},
      {folder.string(), "a folder, not a plavet file"},
      {large, "too large for a plavet: 2097152 bytes"},
  };
  for (const auto& r : refusals) {
    const store::Loaded opened = store::openPlavetFile(r.path);
    EXPECT_FALSE(opened.state);
    EXPECT_NE(opened.reason.find(r.reason), std::string::npos) << opened.reason;
  }
}

}  // namespace
