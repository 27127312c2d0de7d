// libFuzzer target: the input bytes are read as a plavet code, and as a text
// that may hold one. Whatever is refused must be refused with a reason;
// whatever is accepted must encode to a code no longer than the input that
// decodes to the same plavet; a code found in the text decodes as itself. A
// broken round trip aborts, so libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#include "store/code.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const store::Loaded inText = store::decodeCodeIn(input);
  const std::optional<std::string_view> found = store::findCode(input);
  if (inText.reason.empty() == !inText.state ||
      (found && store::decodeCode(*found).state != inText.state)) {
    std::fputs("a code found in the text is read otherwise than alone\n", stderr);
    std::abort();
  }
  const store::Loaded loaded = store::decodeCode(input);
  if (!loaded.state) {
    if (loaded.reason.empty()) {
      std::fputs("refused without a reason\n", stderr);
      std::abort();
    }
    return 0;
  }
  const std::string code = store::encodeCode(*loaded.state);
  const store::Loaded again = store::decodeCode(code);
  if (!again.state || !(*again.state == *loaded.state) || code.size() > input.size()) {
    std::fprintf(stderr, "the code %s of an accepted one %s\n", code.c_str(),
                 !again.state                 ? ("is refused: " + again.reason).c_str()
                 : code.size() > input.size() ? "is longer"
                                              : "holds another plavet");
    std::abort();
  }
  return 0;
}
