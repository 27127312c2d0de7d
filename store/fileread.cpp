// Reading a plavet file: parsing, not trusting. Each field is checked for
// its type and range, each list item against the catalogue, and the first
// fault is named; a file is taken whole or not at all.
//
// Plain C++, for the desktop and the web page alike. nlohmann-json reads the
// JSON through its event interface, which reports a fault instead of
// throwing: the page is built without exceptions.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

#include "sheet/numbers.h"
#include "store/code.h"
#include "store/derived.h"
#include "store/fields.h"
#include "store/file.h"
#include "store/utf8.h"

namespace store {
namespace {

using Json = nlohmann::json;

constexpr std::string_view kSpace = " \t\r\n";
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";  // some editors put one first

// How deep arrays and objects may nest, as deep as the desktop's first JSON
// parser let them (a plavet needs two): deeper ones would only cost memory.
constexpr std::size_t kMostNesting = 1024;

// A text for a message: quoted, and cut short when long.
std::string shown(std::string_view text) {
  constexpr std::size_t kLongest = 60;
  if (text.size() <= kLongest) return '"' + wellFormed(text) + '"';
  return '"' + wellFormed(text.substr(0, kLongest)) + "...\"";
}

std::string fieldName(std::string_view key) {
  return "The field " + shown(key);
}

bool isWhole(double v) {
  return std::isfinite(v) && v == std::trunc(v);
}

// ---- JSON ---------------------------------------------------------------

// The parser's own words for a fault, without its number and line, nor the
// text it last read (which may be long: a whole unfinished text).
std::string parserWords(std::string_view what) {
  if (const std::size_t tag = what.find("] ");
      what.starts_with("[json.exception.") && tag != what.npos)
    what.remove_prefix(tag + 2);
  if (what.starts_with("parse error at line"))
    if (const std::size_t colon = what.find(": "); colon != what.npos)
      what.remove_prefix(colon + 2);
  const std::size_t lastRead = what.find("; last read: '");
  std::string words(what.substr(0, lastRead));
  if (const std::size_t expected = what.rfind("; expected ");
      lastRead != what.npos && expected != what.npos && expected > lastRead)
    words += what.substr(expected);
  constexpr std::size_t kLongest = 200;  // an overflowing number is quoted whole
  return words.size() <= kLongest ? words : wellFormed(words.substr(0, kLongest)) + "...";
}

// Where the first array or object deeper than kMostNesting opens (counted
// from 1). The parser has read the text up to there and found it sound, so
// telling strings from the rest is all it takes.
std::size_t tooDeepAt(std::string_view text) {
  std::size_t depth = 0;
  bool inString = false, escaped = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (escaped)
        escaped = false;
      else if (c == '\\')
        escaped = true;
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > kMostNesting) return i + 1;
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return text.size();
}

// Builds the document from the parser's events. A key given twice keeps its
// last value, as the desktop always read it.
class Builder final : public nlohmann::json_sax<Json> {
 public:
  Json document;
  std::string fault;  // the parser's words, empty when the text is sound
  std::size_t faultAt = 0;
  bool tooDeep = false;

  bool null() override { return add(nullptr); }
  bool boolean(bool v) override { return add(v); }
  bool number_integer(number_integer_t v) override { return add(v); }
  bool number_unsigned(number_unsigned_t v) override { return add(v); }
  bool number_float(number_float_t v, const string_t&) override { return add(v); }
  bool string(string_t& v) override { return add(std::move(v)); }
  bool binary(binary_t&) override { return false; }  // only binary formats have it
  bool start_object(std::size_t) override { return open(Json::object()); }
  bool key(string_t& k) override {
    key_ = std::move(k);
    return true;
  }
  bool end_object() override { return close(); }
  bool start_array(std::size_t) override { return open(Json::array()); }
  bool end_array() override { return close(); }
  bool parse_error(std::size_t at, const std::string&,
                   const nlohmann::detail::exception& e) override {
    fault = parserWords(e.what());
    faultAt = at;
    return false;
  }

 private:
  Json* place(Json v) {
    if (open_.empty()) {
      document = std::move(v);
      return &document;
    }
    if (auto* array = open_.back()->get_ptr<Json::array_t*>()) {
      array->push_back(std::move(v));
      return &array->back();
    }
    Json& slot = (*open_.back()->get_ptr<Json::object_t*>())[key_];
    slot = std::move(v);
    return &slot;
  }
  bool add(Json v) {
    place(std::move(v));
    return true;
  }
  bool open(Json container) {
    if (open_.size() >= kMostNesting) {
      tooDeep = true;
      return false;
    }
    open_.push_back(place(std::move(container)));
    return true;
  }
  bool close() {
    open_.pop_back();
    return true;
  }

  // The arrays and objects not closed yet, outermost first: each is inside
  // the one before, which gains nothing while it is open, so none moves.
  std::vector<Json*> open_;
  string_t key_;
};

struct Parsed {
  Json document;
  std::string fault;  // why it is not JSON
};

Parsed parsed(std::string_view text) {
  Builder builder;
  if (Json::sax_parse(text.data(), text.data() + text.size(), &builder))
    return {std::move(builder.document), {}};
  if (builder.tooDeep)
    return {{}, "too deeply nested document at byte " + std::to_string(tooDeepAt(text))};
  return {{}, builder.fault + " at byte " + std::to_string(builder.faultAt)};
}

// ---- The fields -----------------------------------------------------------

// Reads the fields of a file of the given version into a plavet, or names
// the first that is wrong.
class FieldReader {
 public:
  FieldReader(const Json::object_t& object, int version) : object_(object), version_(version) {}

  Loaded read() const {
    sheet::State s;
    for (const fields::Field& field : fields::kFileFields) {
      if (field.since > version_) continue;
      const auto value = object_.find(std::string(field.key));
      if (value == object_.end()) return refused(fieldName(field.key) + " is missing.");
      if (std::string wrong = readField(s, field, value->second); !wrong.empty())
        return refused(wrong);
    }
    for (const auto& entry : object_) {
      const std::string& key = entry.first;  // a lambda cannot take a structured binding in C++20
      if (key == "format" || key == "version") continue;
      const auto field = std::find_if(fields::kFileFields.begin(), fields::kFileFields.end(),
                                      [&](const fields::Field& f) { return f.key == key; });
      if (field == fields::kFileFields.end())
        return refused(fieldName(key) + " is not a field of a plavet.");
      if (field->since > version_)
        return refused(fieldName(key) + " is not a field of a plavet of version " +
                       std::to_string(version_) + ".");
    }
    return accepted(withDValues(sheet::withGoalsHeld(std::move(s))));
  }

 private:
  static std::string readField(sheet::State& s, const fields::Field& field, const Json& v) {
    switch (field.kind) {
      case fields::Kind::Text:
        if (!v.is_string()) return fieldName(field.key) + " is not a text.";
        s.selections[field.index] = *v.get_ptr<const Json::string_t*>();
        return {};
      case fields::Kind::Flag:
        if (!v.is_boolean()) return fieldName(field.key) + " is not true or false.";
        fields::flag(s, field.index) = *v.get_ptr<const Json::boolean_t*>();
        return {};
      case fields::Kind::Value:
        return readNumber(s.boxes[field.index], fieldName(field.key), v, sheet::kMaxValue);
      case fields::Kind::Pool:
        return readNumber(s.boxes[static_cast<int>(fields::kPools[field.index])],
                          fieldName(field.key), v, kMaxPool);
      case fields::Kind::Record:
        return readRecord(s, field.key, v);
      case fields::Kind::Goals:
        return readGoals(s, field.key, v);
      case fields::Kind::Counts:
        return readCounts(s, field.key, v);
      case fields::Kind::List:
        break;
    }
    return readList(s, field, v);
  }

  // Whole numbers only, however the file spells them ("18", "18.0", "1.8e1").
  static std::string readNumber(double& into, const std::string& name, const Json& v, double most) {
    if (!v.is_number()) return name + " is not a number.";
    const double n = v.get<double>();  // a number of any kind, so nothing to throw
    if (!isWhole(n) || n < 0 || n > most)
      return name + " is " + sheet::formatNumber(n) + ", not a whole number from 0 to " +
             sheet::formatNumber(most) + ".";
    into = n + 0.0;  // never -0
    return {};
  }

  // null, or the ten values of a multi-classed plavet, each by its name.
  static std::string readRecord(sheet::State& s, std::string_view key, const Json& v) {
    if (v.is_null()) return {};
    const auto* record = v.get_ptr<const Json::object_t*>();
    if (!record) return fieldName(key) + " is neither null nor an object of the ten values.";
    if (!s.multiClassed)
      return fieldName(key) + " holds values, but the plavet is not multi-classed.";
    skills::ElementValues values{};
    for (int i = 0; i < skills::kValueCount; ++i) {
      const std::string name = fieldName(fields::kValueKeys[i]) + " of " + shown(key);
      const auto value = record->find(std::string(fields::kValueKeys[i]));
      if (value == record->end()) return name + " is missing.";
      if (std::string wrong = readNumber(values[i], name, value->second, sheet::kMaxValue);
          !wrong.empty())
        return wrong;
    }
    for (const auto& [k, value] : *record)
      if (std::find(fields::kValueKeys.begin(), fields::kValueKeys.end(), k) ==
          fields::kValueKeys.end())
        return fieldName(k) + " of " + shown(key) + " is not one of the ten values.";
    s.valuesAtMultiClass = values;
    return {};
  }

  // Goals of the plavet's classes, each a row that the class has, each once.
  static std::string readGoals(sheet::State& s, std::string_view key, const Json& v) {
    const auto* items = v.get_ptr<const Json::array_t*>();
    if (!items) return fieldName(key) + " is not a list.";
    sheet::Goals& goals = s.goals;
    goals.firstClass = s.selections[fields::classSelectionOf(0)];
    goals.secondClass = s.selections[fields::classSelectionOf(1)];
    for (std::size_t i = 0; i < items->size(); ++i) {
      const std::string goal = "Goal " + std::to_string(i + 1) + " of " + shown(key);
      const auto* item = (*items)[i].get_ptr<const Json::object_t*>();
      if (!item) return goal + " is not an object of a class and a row.";
      std::optional<int> copy;
      for (int c = 0; c < 2; ++c)
        if (item->contains(std::string(fields::kGoalClassKeys[c]))) {
          if (copy)
            return goal +
                   " names both \"firstClass\" and \"secondClass\": a goal is a skill "
                   "of one of them.";
          copy = c;
        }
      if (!copy) return goal + " names neither \"firstClass\" nor \"secondClass\".";
      for (const auto& entry : *item)
        if (entry.first != fields::kGoalClassKeys[*copy] && entry.first != fields::kGoalRowKey)
          return fieldName(entry.first) + " of goal " + std::to_string(i + 1) + " of " +
                 shown(key) + " is not a field of a goal.";
      const Json& className = item->at(std::string(fields::kGoalClassKeys[*copy]));
      const std::string& plavets = s.selections[fields::classSelectionOf(*copy)];
      const std::string ordinal = *copy == 0 ? "first" : "second";
      if (!className.is_string())
        return goal + ": its \"" + std::string(fields::kGoalClassKeys[*copy]) + "\" is not a text.";
      if (*className.get_ptr<const Json::string_t*>() != plavets)
        return goal + " is a skill of " + shown(*className.get_ptr<const Json::string_t*>()) +
               ", but the plavet's " + ordinal + " class is " + shown(plavets) + ".";
      const auto row = item->find(std::string(fields::kGoalRowKey));
      if (row == item->end()) return goal + " has no \"row\".";
      if (!row->second.is_number()) return goal + ": its \"row\" is not a number.";
      const int rows = static_cast<int>(skills::rowsOf(plavets, fields::copyOf(*copy)).size());
      const double n = row->second.get<double>();
      if (!isWhole(n) || n < 0 || n >= rows)
        return goal + ": its \"row\" is " + sheet::formatNumber(n) + ", not a row of the " +
               ordinal + "-class skills of " + shown(plavets) +
               (rows > 0 ? " (0 to " + std::to_string(rows - 1) + ")." : ", which has none.");
      const sheet::Goal g{fields::copyOf(*copy), static_cast<int>(n)};
      const auto twice = std::find(goals.rows.begin(), goals.rows.end(), g);
      if (twice != goals.rows.end())
        return goal + " is goal " + std::to_string(twice - goals.rows.begin() + 1) + " again.";
      goals.rows.push_back(g);
    }
    return {};
  }

  // null, or the counts the plan starts from, each 0 to 2.
  static std::string readCounts(sheet::State& s, std::string_view key, const Json& v) {
    if (v.is_null()) return {};
    const auto* record = v.get_ptr<const Json::object_t*>();
    if (!record) return fieldName(key) + " is neither null nor an object of two counts.";
    sheet::BonusCounts counts;
    for (int c = 0; c < 2; ++c) {
      const std::string name = fieldName(fields::kCountKeys[c]) + " of " + shown(key);
      const auto value = record->find(std::string(fields::kCountKeys[c]));
      if (value == record->end()) return name + " is missing.";
      double n = 0;
      if (std::string wrong = readNumber(n, name, value->second, sheet::kMostBonusCount);
          !wrong.empty())
        return wrong;
      (c == 0 ? counts.magic : counts.physical) = static_cast<int>(n);
    }
    for (const auto& [k, value] : *record)
      if (std::find(fields::kCountKeys.begin(), fields::kCountKeys.end(), k) ==
          fields::kCountKeys.end())
        return fieldName(k) + " of " + shown(key) + " is not one of the two counts.";
    s.goals.counts = sheet::Goals::Set{counts, s.bonuses};
    return {};
  }

  // Lists hold only texts of the catalogue, each once: the skills of the
  // class the list is filled for.
  static std::string readList(sheet::State& s, const fields::Field& field, const Json& v) {
    const auto* items = v.get_ptr<const Json::array_t*>();
    if (!items) return fieldName(field.key) + " is not a list.";
    const std::string& className = s.selections[fields::classSelectionOf(field.index)];
    const auto rows = skills::rowsOf(className, fields::copyOf(field.index));
    skills::SkillList& list = fields::list(s, field.index);
    for (std::size_t i = 0; i < items->size(); ++i) {
      const std::string item =
          "Item " + std::to_string(i + 1) + " of \"" + std::string(field.key) + "\"";
      const auto* text = (*items)[i].get_ptr<const Json::string_t*>();
      if (!text) return item + " is not a text.";
      const auto row = std::find_if(rows.begin(), rows.end(),
                                    [&](const skills::SkillRow& r) { return r.text == *text; });
      if (row == rows.end())
        return item + ", " + shown(*text) + ", is not one of the " +
               (field.index == 0 ? "first" : "second") + "-class skills of " + shown(className) +
               ".";
      const auto held = list.items();
      if (std::find(held.begin(), held.end(), row->text) != held.end())
        return item + ", " + shown(*text) + ", is in the list twice.";
      list.add(*row);
    }
    return {};
  }

  const Json::object_t& object_;
  int version_;
};

Loaded readJson(std::string_view bytes) {
  if (const std::size_t bad = firstIllFormed(bytes); bad != std::string_view::npos)
    return refused("The file is not a plavet: it is not UTF-8 text (byte " +
                   std::to_string(bad + 1) + ").");
  const Parsed json = parsed(bytes);
  if (!json.fault.empty())
    return refused("The file is not a plavet: it is not JSON (" + json.fault + ").");
  const auto* object = json.document.get_ptr<const Json::object_t*>();
  if (!object) return refused("The file is not a plavet: it is JSON, but not an object of fields.");

  const auto format = object->find("format");
  if (format == object->end()) return refused("The file is not a plavet: it names no \"format\".");
  const auto* formatName = format->second.get_ptr<const Json::string_t*>();
  if (!formatName) return refused(fieldName("format") + " is not a text.");
  if (*formatName != kFileFormat)
    return refused("The file is not a plavet: its format is " + shown(*formatName) + ".");

  const auto version = object->find("version");
  if (version == object->end()) return refused(fieldName("version") + " is missing.");
  if (!version->second.is_number()) return refused(fieldName("version") + " is not a number.");
  const double v = version->second.get<double>();
  if (!isWhole(v) || v < 1)
    return refused(fieldName("version") + " is " + sheet::formatNumber(v) +
                   ", not a version number.");
  if (v > kFileVersion)
    return refused("The file is a plavet of version " + sheet::formatNumber(v) +
                   ", newer than this program reads (version " + std::to_string(kFileVersion) +
                   "): a newer Plavet Program opens it.");
  return FieldReader(*object, static_cast<int>(v)).read();
}

}  // namespace

std::string tooLargeForAPlavet(std::uint64_t bytes) {
  return "The file is too large for a plavet: " + std::to_string(bytes) +
         " bytes, a plavet file has at most " + std::to_string(kMaxFileBytes) + " (1 MiB).";
}

Loaded readPlavetFile(std::string_view bytes) {
  if (bytes.size() > kMaxFileBytes) return refused(tooLargeForAPlavet(bytes.size()));
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  // A JSON file starts with its object; anything else may be a note, a chat
  // line or a link that holds a code.
  const std::string_view start =
      bytes.substr(std::min(bytes.find_first_not_of(kSpace), bytes.size()));
  const bool holdsCode =
      !start.starts_with('{') && (start.starts_with(kCodePrefix) || findCode(start));
  Loaded loaded = holdsCode ? decodeCodeIn(start) : readJson(bytes);
  // Whatever is opened can be saved and opened again.
  if (loaded.state && writePlavetFile(*loaded.state).size() > kMaxFileBytes)
    return refused(
        "The plavet's texts are too long: written out, the file would be larger than 1 MiB.");
  return loaded;
}

FileToSave plavetFileToSave(const sheet::State& state) {
  FileToSave file{writePlavetFile(state), {}};
  if (const Loaded again = readPlavetFile(file.bytes); !again.state) {
    file.refusal = "The plavet was not saved, since it could not be opened again: " + again.reason;
    file.bytes.clear();
  }
  return file;
}

}  // namespace store
