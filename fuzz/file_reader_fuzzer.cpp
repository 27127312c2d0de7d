// libFuzzer target: the input bytes are read as a plavet file. Whatever is
// refused must be refused with a reason; whatever is accepted must be
// written and read back as the same plavet. A broken round trip aborts, so
// libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#include "store/file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const store::Loaded loaded = store::readPlavetFile({reinterpret_cast<const char*>(data), size});
  if (!loaded.state) {
    if (loaded.reason.empty()) {
      std::fputs("refused without a reason\n", stderr);
      std::abort();
    }
    return 0;
  }
  const std::string written = store::writePlavetFile(*loaded.state);
  const store::Loaded again = store::readPlavetFile(written);
  if (!again.state || !(*again.state == *loaded.state)) {
    std::fprintf(stderr, "the file written from an accepted one reads back %s:\n%s\n",
                 again.state ? "as another plavet" : ("refused: " + again.reason).c_str(),
                 written.c_str());
    std::abort();
  }
  return 0;
}
