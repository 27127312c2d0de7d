// Writes the fuzzer's starting corpus: random runs (the same event language
// as the core tests), each written as the bytes that read back as that run.
// Only runs that start a plavet and multi-class are kept, so that the fuzzer
// begins from deep states. Usage: make_corpus FOLDER [COUNT]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

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
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: make_corpus FOLDER [COUNT]\n", stderr);
    return 2;
  }
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
