// Writes the fuzzers' starting corpora from random runs (the same event
// language as the core tests).
//
//   make_corpus FOLDER [COUNT]  the planner fuzzer's: each run written as the
//                               bytes that read back as that run; only runs
//                               that start a plavet and multi-class are kept,
//                               so that the fuzzer begins from deep states
//   make_corpus --store FOLDER  the file reader's and the code decoder's, in
//                               FOLDER/corpus-file and FOLDER/corpus-code: the
//                               plavets that runs leave, as files and codes,
//                               and FOLDER/file.dict, the words of a file
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/code.h"
#include "store/fields.h"
#include "store/file.h"
#include "tests/core/events.h"
#include "tests/core/referee.h"

namespace {
constexpr std::uint64_t kStartValue = 0x636f72707573;  // any fixed value will do

bool multiClasses(const std::vector<events::Event>& run) {
  events::MessageLog log;
  sheet::Planner planner(log);
  planner.load();
  for (const events::Event& e : run) {
    events::apply(planner, e);
    if (planner.multiClassed()) return true;
  }
  return false;
}
void write(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  std::printf("%s: %zu bytes\n", path.c_str(), bytes.size());
}

// Plavets of every kind, four of each: multi-classed with lists, started,
// and holding a typed text.
int writeStoreCorpora(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder / "corpus-file");
  std::filesystem::create_directories(folder / "corpus-code");
  std::array<int, 3> wanted = {4, 4, 4};
  for (std::uint64_t i = 0; wanted != std::array<int, 3>{}; ++i) {
    events::RandomChoices random(kStartValue + i);
    events::MessageLog log;
    sheet::Planner planner(log);
    planner.load();
    for (const events::Event& e : events::makeRun(random)) events::apply(planner, e);
    const sheet::State& s = planner.state();
    const bool typed = !s.started && !s.selections[0].empty() && !sheet::findRace(s.selections[0]);
    const int kind = s.multiClassed && !s.firstClassSkills.empty() ? 0
                     : s.started                                   ? 1
                     : typed                                       ? 2
                                                                   : 3;
    if (kind == 3 || wanted[kind] == 0) continue;
    --wanted[kind];
    const std::string name = "run-" + std::to_string(i);
    write(folder / "corpus-file" / (name + ".plavet"), store::writePlavetFile(s));
    write(folder / "corpus-code" / name, store::encodeCode(s));
  }
  std::string dict =
      "\"plavet1-\"\n\"plavet2-\"\n\"true\"\n\"false\"\n\"null\"\n\"[]\"\n"
      "\"\\\"format\\\": \\\"plavet\\\"\"\n";
  for (const store::fields::Field& field : store::fields::kFileFields)
    dict += "\"\\\"" + std::string(field.key) + "\\\": \"\n";
  write(folder / "file.dict", dict);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || (std::string_view(argv[1]) == "--store" && argc < 3)) {
    std::fputs("usage: make_corpus FOLDER [COUNT] | make_corpus --store FOLDER\n", stderr);
    return 2;
  }
  if (std::string_view(argv[1]) == "--store") return writeStoreCorpora(argv[2]);
  const std::string folder = argv[1];
  const int count = argc > 2 ? std::atoi(argv[2]) : 16;
  int written = 0;
  for (std::uint64_t i = 0; written < count; ++i) {
    events::RandomChoices random(kStartValue + i);
    const std::size_t length = events::EventMaker<events::RandomChoices>(random).length();
    events::RecordingChoices<events::RandomChoices> recording(random);
    events::EventMaker<events::RecordingChoices<events::RandomChoices>> maker(recording);
    std::vector<events::Event> run;
    while (run.size() < length || maker.midway())
      run.push_back(run.empty() ? maker.first() : maker.next());
    if (recording.bytes.size() > 4096 || !multiClasses(run)) continue;
    const std::string path = folder + "/run-" + std::to_string(i);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(recording.bytes.data()),
               static_cast<std::streamsize>(recording.bytes.size()));
    std::printf("%s: %zu events, %zu bytes\n", path.c_str(), run.size(), recording.bytes.size());
    ++written;
  }
  return 0;
}
