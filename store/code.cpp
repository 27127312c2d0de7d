// Plavet codes, versions 1 to 3. After the frame (see codeframe.h) the
// payload is:
//
//   bytes 0-1    the eleven flags of fields.h, bit 0 of byte 1 the first;
//                from version 2 bit 11 says that the values at
//                multi-classing follow the fixed part; in version 3 bit 12
//                that goals follow, bit 13 the clan-town counts; the other
//                high bits zero
//   bytes 2-4    race, first class, second class: 0 for an empty text, 1 to
//                9 (race) or 1 to 16 (class) for an item of the list, 255
//                for a typed text that follows the fixed part
//   bytes 5-14   M Fire to M Spirit, P Fire to P Spirit, 0 to 200 each
//   bytes 15-20  the Magic, Physical and Either pools, 16 bits each, high
//                byte first
//   then         version 2, when bit 11 says so: the ten values at
//                multi-classing, M Fire to P Spirit, 0 to 200 each
//   then         version 3, when bit 12 says so: how many goals (1 to 255),
//                then each goal in its order, a byte: bit 7 set for the
//                second-class copy, bits 0-6 its row
//   then         version 3, when bit 13 says so: the clan-town counts of
//                the plan, Magic in the high four bits, Physical in the low
//   then         each typed text in selection order: its length in bytes
//                (7 bits a byte, low bits first, the high bit saying that
//                more follow), then its bytes as they are
//
// A plavet whose selections are list items is 21 bytes, 42 characters, and
// with the values at multi-classing 31 bytes, 55 characters; eight goals
// and counts add 10 bytes, 68 characters in all. A plavet that has none of
// these is written as version 1, one without goals nor counts of its own as
// version 2, so that older programs read them.
#include <algorithm>
#include <cmath>

#include "sheet/tables.h"
#include "skills/needs.h"
#include "store/code.h"
#include "store/codeframe.h"
#include "store/derived.h"
#include "store/fields.h"
#include "store/utf8.h"

namespace store {
namespace {

using frame::Bytes;

constexpr std::size_t kFixedBytes = 21;
constexpr unsigned kRecordFollows = 1u << fields::kFlagCount;  // version 2
constexpr unsigned kGoalsFollow = kRecordFollows << 1;         // version 3
constexpr unsigned kCountsFollow = kRecordFollows << 2;
constexpr std::uint8_t kSecondClassGoal = 0x80;
constexpr int kMostGoals = 255;
constexpr std::size_t kRecordBytes = skills::kValueCount;
constexpr std::uint8_t kEmpty = 0;
constexpr std::uint8_t kTyped = 255;
constexpr int kFirstValue = 5;
constexpr int kFirstPool = 15;

constexpr std::array<std::string_view, 3> kSelectionNames = {"the race", "the first class",
                                                             "the second class"};

// The items of the selection's list, in list order.
std::vector<std::string_view> listOf(int selection) {
  if (selection == 0) {
    std::vector<std::string_view> races;
    for (const sheet::RaceBonus& row : sheet::kRaceBonuses) races.push_back(row.race);
    return races;
  }
  return {skills::kClassNames.begin(), skills::kClassNames.end()};
}

unsigned wholeWithin(double v, double most) {
  if (!(v > 0)) return 0;
  return static_cast<unsigned>(std::min(std::nearbyint(v), most));
}

// ---- Writing ----------------------------------------------------------------

Bytes payloadOf(const sheet::State& s) {
  Bytes out(kFixedBytes, 0);
  unsigned flags = 0;
  for (int f = 0; f < fields::kFlagCount; ++f)
    if (fields::flag(s, f)) flags |= 1u << f;
  if (s.valuesAtMultiClass) flags |= kRecordFollows;
  const std::vector<sheet::Goal>& goals = sheet::goalsHeld(s);
  const sheet::BonusCounts counts = sheet::countsHeld(s);
  const bool countsFollow = counts != sheet::boxCounts(s.bonuses);
  if (!goals.empty()) flags |= kGoalsFollow;
  if (countsFollow) flags |= kCountsFollow;
  out[0] = static_cast<std::uint8_t>(flags >> 8);
  out[1] = static_cast<std::uint8_t>(flags);
  std::vector<std::string_view> typed;
  for (int i = 0; i < 3; ++i) {
    const std::string& text = s.selections[i];
    const std::vector<std::string_view> items = listOf(i);
    const auto item = std::find(items.begin(), items.end(), text);
    if (text.empty()) {
      out[2 + i] = kEmpty;
    } else if (item != items.end()) {
      out[2 + i] = static_cast<std::uint8_t>(1 + (item - items.begin()));
    } else {
      out[2 + i] = kTyped;
      typed.push_back(text);
    }
  }
  for (int v = 0; v < skills::kValueCount; ++v)
    out[kFirstValue + v] = static_cast<std::uint8_t>(wholeWithin(s.boxes[v], sheet::kMaxValue));
  for (int p = 0; p < 3; ++p) {
    const unsigned pool = wholeWithin(s.boxes[static_cast<int>(fields::kPools[p])], kMaxPool);
    out[kFirstPool + 2 * p] = static_cast<std::uint8_t>(pool >> 8);
    out[kFirstPool + 2 * p + 1] = static_cast<std::uint8_t>(pool);
  }
  if (s.valuesAtMultiClass)
    for (double value : *s.valuesAtMultiClass)
      out.push_back(static_cast<std::uint8_t>(wholeWithin(value, sheet::kMaxValue)));
  if (!goals.empty()) {
    // More goals than a byte counts are more than any class pair has rows.
    const std::size_t n = std::min<std::size_t>(goals.size(), kMostGoals);
    out.push_back(static_cast<std::uint8_t>(n));
    for (std::size_t i = 0; i < n; ++i)
      out.push_back(static_cast<std::uint8_t>(
          (goals[i].copy == skills::Copy::SecondClass ? kSecondClassGoal : 0) |
          (goals[i].row & 0x7f)));
  }
  if (countsFollow) out.push_back(static_cast<std::uint8_t>(counts.magic << 4 | counts.physical));
  for (std::string_view text : typed) {
    std::size_t n = text.size();
    do {
      out.push_back(static_cast<std::uint8_t>((n & 0x7f) | (n > 0x7f ? 0x80 : 0)));
      n >>= 7;
    } while (n > 0);
    out.insert(out.end(), text.begin(), text.end());
  }
  return out;
}

// ---- Reading ------------------------------------------------------------------

// Reads the payload's typed texts in order; knows how long the payload
// should be even when it is too short to hold them all.
class Tail {
 public:
  Tail(const Bytes& payload, std::size_t start) : p_(payload), at_(start) {}

  // The next text, or nothing when the payload ends first (needed() then
  // tells how long it would have to be at least).
  std::optional<std::string> text() {
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
      if (at_ >= p_.size()) return fail(at_ + 1);
      const std::uint8_t b = p_[at_++];
      // No code is long enough for a text of more than 2^28 bytes.
      if (shift < 28) length |= static_cast<std::size_t>(b & 0x7f) << shift;
      if (shift >= 28 && (b & 0x7f)) length = kMaxCodeLength;
      if (!(b & 0x80)) break;
    }
    length = std::min(length, kMaxCodeLength);
    if (length > p_.size() - at_) return fail(at_ + length);
    std::string s(p_.begin() + static_cast<std::ptrdiff_t>(at_),
                  p_.begin() + static_cast<std::ptrdiff_t>(at_ + length));
    at_ += length;
    return s;
  }
  std::size_t at() const { return at_; }
  std::size_t needed() const { return needed_; }

 private:
  std::nullopt_t fail(std::size_t needed) {
    needed_ = needed;
    return std::nullopt;
  }
  const Bytes& p_;
  std::size_t at_;
  std::size_t needed_ = 0;
};

std::string cutShort(std::size_t missing) {
  return "The plavet code is cut short: at least " + std::to_string(missing) +
         (missing == 1 ? " character is" : " characters are") + " missing.";
}

std::string outOfRange(const std::string& what, unsigned value, const std::string& allowed) {
  return "The plavet code holds a value out of range: " + what + " is " + std::to_string(value) +
         ", " + allowed + ".";
}

// The goals of a version 3 code (`at` its count of goals; 0: none), each a
// row of the plavet's class, each once.
std::string readGoals(sheet::State& s, const Bytes& p, std::size_t at, std::size_t count) {
  if (at == 0) return {};
  if (count == 0) return "The plavet code says that goals follow, but it holds none.";
  s.goals.firstClass = s.selections[fields::classSelectionOf(0)];
  s.goals.secondClass = s.selections[fields::classSelectionOf(1)];
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t b = p[at + 1 + i];
    const int which = b & kSecondClassGoal ? 1 : 0;
    const sheet::Goal goal{fields::copyOf(which), b & 0x7f};
    const std::string& className = s.selections[fields::classSelectionOf(which)];
    const std::size_t rows = skills::rowsOf(className, goal.copy).size();
    const std::string named = "goal " + std::to_string(i + 1);
    if (static_cast<std::size_t>(goal.row) >= rows)
      return "The plavet code holds a goal that is not a skill of the plavet: " + named +
             " is row " + std::to_string(goal.row) + " of the " +
             (which == 0 ? "first" : "second") + "-class skills of \"" +
             wellFormed(className.substr(0, 60)) + "\", which has " + std::to_string(rows) + ".";
    const auto twice = std::find(s.goals.rows.begin(), s.goals.rows.end(), goal);
    if (twice != s.goals.rows.end())
      return "The plavet code holds a goal twice: " + named + " is goal " +
             std::to_string(twice - s.goals.rows.begin() + 1) + " again.";
    s.goals.rows.push_back(goal);
  }
  return {};
}

// Reads the payload of a code of any version.
Loaded decodePayload(const frame::Body& body, int version, std::size_t codeLength) {
  const Bytes& p = body.payload;
  const int flagBits = fields::kFlagCount + (version >= 2 ? 1 : 0) + (version >= 3 ? 2 : 0);
  const unsigned said = p.size() >= 2 ? (p[0] << 8) | p[1] : 0;
  const bool recordFollows = version >= 2 && (said & kRecordFollows);
  const bool goalsFollow = version >= 3 && (said & kGoalsFollow);
  const bool countsFollow = version >= 3 && (said & kCountsFollow);
  // The parts after the fixed one; until the count of goals is there, the
  // goals are counted as none, which is as short as they get.
  const std::size_t goalsAt = kFixedBytes + (recordFollows ? kRecordBytes : 0);
  const std::size_t goalCount = goalsFollow && p.size() > goalsAt ? p[goalsAt] : 0;
  const std::size_t countsAt = goalsAt + (goalsFollow ? 1 + goalCount : 0);
  const std::size_t fixed = countsAt + (countsFollow ? 1 : 0);
  sheet::State s;
  Tail tail(p, fixed);
  // How long the payload must be at least, for all that it says it holds.
  std::size_t needed = fixed;
  for (int i = 0; i < 3 && needed <= p.size(); ++i) {
    if (p[2 + i] != kTyped) continue;
    if (std::optional<std::string> text = tail.text())
      s.selections[i] = std::move(*text);
    else
      needed = tail.needed();
  }
  if (needed > p.size())
    return refused(cutShort(frame::sealedLength(version, needed) - codeLength));
  if (!body.intact)
    return refused(
        "The plavet code is damaged: its checksum does not match (a character was changed, "
        "added or lost).");
  if (tail.at() < p.size())
    return refused("The plavet code has " + std::to_string(p.size() - tail.at()) +
                   " bytes too many at its end.");

  const unsigned flags = (p[0] << 8) | p[1];
  if (flags >> flagBits)
    return refused("The plavet code holds a value out of range: its flags are " +
                   std::to_string(flags) + ", of which only the low " + std::to_string(flagBits) +
                   " bits may be set.");
  for (int f = 0; f < fields::kFlagCount; ++f) fields::flag(s, f) = flags & (1u << f);
  if (recordFollows) {
    if (!s.multiClassed)
      return refused(
          "The plavet code holds values at multi-classing, but its plavet is not "
          "multi-classed.");
    skills::ElementValues values{};
    for (int v = 0; v < skills::kValueCount; ++v) {
      const unsigned value = p[kFixedBytes + v];
      if (value > sheet::kMaxValue)
        return refused(outOfRange(skills::valueName(skills::Value(v)) + " at multi-classing", value,
                                  "not from 0 to 200"));
      values[v] = value;
    }
    s.valuesAtMultiClass = values;
  }
  for (int i = 0; i < 3; ++i) {
    const unsigned mark = p[2 + i];
    const std::vector<std::string_view> items = listOf(i);
    if (mark == kEmpty || mark == kTyped) continue;
    if (mark > items.size())
      return refused(
          outOfRange(std::string(kSelectionNames[i]), mark,
                     "not 0, an item from 1 to " + std::to_string(items.size()) + " or 255"));
    s.selections[i] = items[mark - 1];
  }
  for (int v = 0; v < skills::kValueCount; ++v) {
    const unsigned value = p[kFirstValue + v];
    if (value > sheet::kMaxValue)
      return refused(outOfRange(skills::valueName(skills::Value(v)), value, "not from 0 to 200"));
    s.boxes[v] = value;
  }
  for (int i = 0; i < 3; ++i)
    s.boxes[static_cast<int>(fields::kPools[i])] =
        (p[kFirstPool + 2 * i] << 8) | p[kFirstPool + 2 * i + 1];
  if (std::string wrong = readGoals(s, p, goalsFollow ? goalsAt : 0, goalCount); !wrong.empty())
    return refused(wrong);
  if (countsFollow) {
    const sheet::BonusCounts counts{p[countsAt] >> 4, p[countsAt] & 0x0f};
    for (const auto& [count, name] : {std::pair{counts.magic, "the plan's Magic count"},
                                      std::pair{counts.physical, "the plan's Physical count"}})
      if (count > sheet::kMostBonusCount)
        return refused(outOfRange(name, static_cast<unsigned>(count), "not from 0 to 2"));
    s.goals.counts = sheet::Goals::Set{counts, s.bonuses};
  }
  return accepted(withListsRebuilt(sheet::withGoalsHeld(std::move(s))));
}

std::string_view trimmed(std::string_view s) {
  constexpr std::string_view kSpace = " \t\r\n\v\f";
  const std::size_t first = s.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kSpace) - first + 1);
}

}  // namespace

std::string encodeCode(const sheet::State& state) {
  const int version = fields::keepsGoals(state) ? 3 : state.valuesAtMultiClass ? 2 : 1;
  return frame::seal(version, payloadOf(state));
}

Loaded decodeCode(std::string_view code) {
  if (code.size() > kMaxCodeLength)
    return refused("The plavet code is too long: " + std::to_string(code.size()) +
                   " characters, a code has at most " + std::to_string(kMaxCodeLength) + ".");
  code = trimmed(code);
  const frame::Header header = frame::readHeader(code);
  if (!header.reason.empty()) return refused(header.reason);
  if (header.version > kCodeVersion)
    return refused("This plavet code is of version " + std::to_string(header.version) +
                   ", newer than this program reads (version " + std::to_string(kCodeVersion) +
                   "): a newer Plavet Program reads it.");
  const frame::Body body = frame::readBody(code, header);
  if (!body.reason.empty()) return refused(body.reason);
  // Each version is the one before with room for more.
  return decodePayload(body, header.version, code.size());
}

std::optional<std::string_view> findCode(std::string_view text) {
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  auto isLetterOrDigit = [&](char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  };
  for (std::size_t at = text.find(kCodePrefix); at != text.npos;
       at = text.find(kCodePrefix, at + 1)) {
    if (at > 0 && isLetterOrDigit(text[at - 1])) continue;  // a word that ends so
    std::size_t dash = at + kCodePrefix.size();
    while (dash < text.size() && isDigit(text[dash])) ++dash;
    if (dash == at + kCodePrefix.size() || dash == text.size() || text[dash] != '-') continue;
    const std::size_t end = std::min(text.find_first_not_of(frame::kAlphabet, dash), text.size());
    return text.substr(at, end - at);
  }
  return std::nullopt;
}

Loaded decodeCodeIn(std::string_view text) {
  if (const std::optional<std::string_view> code = findCode(text)) return decodeCode(*code);
  // A text that starts as a code but goes wrong is told what is wrong.
  if (trimmed(text).starts_with(kCodePrefix)) return decodeCode(text);
  return refused(
      "This is not a plavet code, nor does the text hold one: a plavet code starts with "
      "\"plavet\", its version and a dash, as in \"plavet1-\".");
}

}  // namespace store
