// libFuzzer target: the input bytes are read as a run of user events (the
// language of tests/core/events.h), which is played against a planner and
// judged after every event like the random runs of the core tests. A broken
// rule prints the run and aborts, so libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#include "tests/core/events.h"
#include "tests/core/referee.h"

namespace {
// Enough for any input libFuzzer is given here (-max_len=4096); a bound all
// the same, so that no input plays for long.
constexpr std::size_t kMostEvents = 5000;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<events::Event> run = events::decodeRun({data, size}, kMostEvents);
  if (const std::optional<events::Verdict> verdict = events::play(run)) {
    std::fputs(events::report(run, *verdict).c_str(), stderr);
    std::abort();
  }
  return 0;
}
