// Plavet files: the samples of every version, a refusal for every way a file
// can be wrong, and saving and opening on a real disk.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

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

std::string sample(std::string_view name) {
  return contents(fs::path(PLAVET_STORE_SAMPLES) / name);
}

sheet::State read(const std::string& bytes) {
  const store::Loaded loaded = store::readPlavetFile(bytes);
  EXPECT_TRUE(loaded.state) << loaded.reason;
  return loaded.state.value_or(sheet::State{});
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "no " << from << " in the sample";
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
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
}

TEST(PlavetFile, ReadsWhatEditorsMakeOfIt) {
  const std::string file = sample("multiclassed-v1.plavet");
  std::string crlf = "\xef\xbb\xbf";
  for (char c : file) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(read(crlf), read(file));
}

// The sample on one line, with as little room as JSON allows.
std::string squeezed(std::string file) {
  for (std::string_view gap : {"\n", "  ", ": "})
    for (std::size_t at; (at = file.find(gap)) != std::string::npos;)
      file.replace(at, gap.size(), gap == ": " ? ":" : "");
  return file;
}

TEST(PlavetFile, RefusesEveryWrongFileWithItsReason) {
  const std::string f = sample("multiclassed-v1.plavet");
  const std::string g = sample("multiclassed-v2.plavet");
  const std::string tight = squeezed(f);
  std::string hugeRace = tight;
  hugeRace.replace(hugeRace.find("Dwarf"), 5,
                   std::string(store::kMaxFileBytes - tight.size() + 5, 'A'));
  const struct {
    std::string file;
    const char* reason;  // a part of the reason given
  } refusals[] = {
      {"{ nope", "not a plavet: it is not JSON ("},
      {f + "x", "not a plavet: it is not JSON ("},
      {"", "not a plavet: it is not JSON ("},
      {replaced(f, "Dwarf", "Dw\xffrf"), "not a plavet: it is not UTF-8 text (byte 54)"},
      {"[1, 2]", "it is JSON, but not an object of fields"},
      {replaced(f, "\"plavet\"", "\"recipe\""), "not a plavet: its format is \"recipe\""},
      {replaced(f, "\"format\": \"plavet\",", ""), "not a plavet: it names no \"format\""},
      {replaced(f, "\"plavet\"", "7"), "The field \"format\" is not a text"},
      {replaced(f, "\"version\": 1", "\"version\": 3"),
       "a plavet of version 3, newer than this program reads (version 2)"},
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
  for (const auto& r : refusals) {
    const store::Loaded loaded = store::readPlavetFile(r.file);
    EXPECT_FALSE(loaded.state) << r.reason;
    EXPECT_NE(loaded.reason.find(r.reason), std::string::npos)
        << "wanted \"" << r.reason << "\", the reason is \"" << loaded.reason << '"';
  }
  // Squeezed, the samples are sound.
  EXPECT_TRUE(store::readPlavetFile(tight).state);
  EXPECT_TRUE(store::readPlavetFile(squeezed(g)).state);
  EXPECT_EQ(hugeRace.size(), store::kMaxFileBytes);
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
