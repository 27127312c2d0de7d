#include "web/compare.h"

#include <cstdint>
#include <string>
#include <utility>

#include "compare/json.h"
#include "store/code.h"
#include "store/file.h"
#include "web/handout.h"
#include "web/json.h"
#include "web/session.h"

using web::handOut;

namespace {

const char* refused(std::string_view why) {
  std::string out = "{";
  web::json::text(out, "refused", why);
  return handOut(out + "}");
}

store::Loaded read(std::string_view name, std::string_view bytes, int kind, std::string& why) {
  store::Loaded loaded = kind == 0 ? store::readPlavetFile(bytes) : store::decodeCodeIn(bytes);
  if (!loaded.state)
    why = (kind == 0 ? "The file " + std::string(name) + " cannot be compared: "
                     : std::string("The plavet code cannot be compared: ")) +
          loaded.reason;
  return loaded;
}

}  // namespace

extern "C" {

PLAVET_EXPORT const char* plavet_compare(web::Session* session, const char* name, const char* bytes,
                                         std::size_t length, int kind, int swapped) {
  std::string why;
  const store::Loaded loaded = read(name, std::string_view(bytes, length), kind, why);
  if (!loaded.state) return refused(why);
  compare::Plavet base{"This plavet", session->planner().state()};
  compare::Plavet others[] = {{name, *loaded.state}};
  if (swapped) std::swap(base, others[0]);
  return handOut("{\"comparison\": " + compare::asJson(compare::compareWith(base, others), false) +
                 "}");
}

PLAVET_EXPORT const char* plavet_compare_large(web::Session*, const char* name, double size) {
  return refused("The file " + std::string(name) + " cannot be compared: " +
                 store::tooLargeForAPlavet(static_cast<std::uint64_t>(size)));
}

PLAVET_EXPORT const char* plavet_open_compared(web::Session* session, const char* name,
                                               const char* bytes, std::size_t length, int kind) {
  std::string why;
  const store::Loaded loaded = read(name, std::string_view(bytes, length), kind, why);
  if (!loaded.state) return refused(why);
  return handOut(session->openCompared(*loaded.state));
}
}
