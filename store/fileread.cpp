// Reading a plavet file: parsing, not trusting. Each field is checked for
// its type and range, each list item against the catalogue, and the first
// fault is named; a file is taken whole or not at all.
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

#include "sheet/numbers.h"
#include "store/code.h"
#include "store/derived.h"
#include "store/fields.h"
#include "store/file.h"
#include "store/utf8.h"

namespace store {
namespace {

constexpr std::string_view kSpace = " \t\r\n";
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";  // some editors put one first

std::string tooLarge(std::size_t bytes) {
  return "The file is too large for a plavet: " + std::to_string(bytes) +
         " bytes, a plavet file has at most " + std::to_string(kMaxFileBytes) + " (1 MiB).";
}

QString qText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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

// Reads the fields of a version 1 file into a plavet, or names the first
// that is wrong.
class Version1Reader {
 public:
  explicit Version1Reader(const QJsonObject& object) : object_(object) {}

  Loaded read() {
    sheet::State s;
    for (const fields::Field& field : fields::kFileFields) {
      const QJsonValue value = object_.value(qText(field.key));
      if (value.isUndefined()) return refused(fieldName(field.key) + " is missing.");
      if (std::string wrong = readField(s, field, value); !wrong.empty()) return refused(wrong);
    }
    for (const QString& key : object_.keys()) {
      const std::string k = key.toStdString();
      const bool known = k == "format" || k == "version" ||
                         std::any_of(fields::kFileFields.begin(), fields::kFileFields.end(),
                                     [&](const fields::Field& f) { return f.key == k; });
      if (!known) return refused(fieldName(k) + " is not a field of a plavet.");
    }
    return accepted(withDValues(std::move(s)));
  }

 private:
  static std::string readField(sheet::State& s, const fields::Field& field, const QJsonValue& v) {
    switch (field.kind) {
      case fields::Kind::Text:
        if (!v.isString()) return fieldName(field.key) + " is not a text.";
        s.selections[field.index] = v.toString().toStdString();
        return {};
      case fields::Kind::Flag:
        if (!v.isBool()) return fieldName(field.key) + " is not true or false.";
        fields::flag(s, field.index) = v.toBool();
        return {};
      case fields::Kind::Value:
        return readNumber(s.boxes[field.index], field.key, v, sheet::kMaxValue);
      case fields::Kind::Pool:
        return readNumber(s.boxes[static_cast<int>(fields::kPools[field.index])], field.key, v,
                          kMaxPool);
      case fields::Kind::List:
        break;
    }
    return readList(s, field, v);
  }

  static std::string readNumber(double& into, std::string_view key, const QJsonValue& v,
                                double most) {
    if (!v.isDouble()) return fieldName(key) + " is not a number.";
    const double n = v.toDouble();
    if (!isWhole(n) || n < 0 || n > most)
      return fieldName(key) + " is " + sheet::formatNumber(n) + ", not a whole number from 0 to " +
             sheet::formatNumber(most) + ".";
    into = n + 0.0;  // never -0
    return {};
  }

  // Lists hold only texts of the catalogue, each once: the skills of the
  // class the list is filled for.
  static std::string readList(sheet::State& s, const fields::Field& field, const QJsonValue& v) {
    if (!v.isArray()) return fieldName(field.key) + " is not a list.";
    const std::string& className = s.selections[fields::classSelectionOf(field.index)];
    const auto rows = skills::rowsOf(className, fields::copyOf(field.index));
    skills::SkillList& list = fields::list(s, field.index);
    const QJsonArray items = v.toArray();
    for (qsizetype i = 0; i < items.size(); ++i) {
      const std::string item =
          "Item " + std::to_string(i + 1) + " of \"" + std::string(field.key) + "\"";
      if (!items[i].isString()) return item + " is not a text.";
      const std::string text = items[i].toString().toStdString();
      const auto row = std::find_if(rows.begin(), rows.end(),
                                    [&](const skills::SkillRow& r) { return r.text == text; });
      if (row == rows.end())
        return item + ", " + shown(text) + ", is not one of the " +
               (field.index == 0 ? "first" : "second") + "-class skills of " + shown(className) +
               ".";
      const auto held = list.items();
      if (std::find(held.begin(), held.end(), row->text) != held.end())
        return item + ", " + shown(text) + ", is in the list twice.";
      list.add(*row);
    }
    return {};
  }

  const QJsonObject& object_;
};

Loaded readJson(std::string_view bytes) {
  if (const std::size_t bad = firstIllFormed(bytes); bad != std::string_view::npos)
    return refused("The file is not a plavet: it is not UTF-8 text (byte " +
                   std::to_string(bad + 1) + ").");
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
  if (error.error != QJsonParseError::NoError)
    return refused("The file is not a plavet: it is not JSON (" +
                   error.errorString().toStdString() + " at byte " +
                   std::to_string(error.offset + 1) + ").");
  if (!document.isObject())
    return refused("The file is not a plavet: it is JSON, but not an object of fields.");
  const QJsonObject object = document.object();

  const QJsonValue format = object.value(QStringLiteral("format"));
  if (format.isUndefined()) return refused("The file is not a plavet: it names no \"format\".");
  if (!format.isString()) return refused(fieldName("format") + " is not a text.");
  if (format.toString().toStdString() != kFileFormat)
    return refused("The file is not a plavet: its format is " +
                   shown(format.toString().toStdString()) + ".");

  const QJsonValue version = object.value(QStringLiteral("version"));
  if (version.isUndefined()) return refused(fieldName("version") + " is missing.");
  if (!version.isDouble()) return refused(fieldName("version") + " is not a number.");
  const double v = version.toDouble();
  if (!isWhole(v) || v < 1)
    return refused(fieldName("version") + " is " + sheet::formatNumber(v) +
                   ", not a version number.");
  if (v > kFileVersion)
    return refused("The file is a plavet of version " + sheet::formatNumber(v) +
                   ", newer than this program reads (version " + std::to_string(kFileVersion) +
                   "): a newer Plavet Program opens it.");
  return Version1Reader(object).read();
}

}  // namespace

Loaded readPlavetFile(std::string_view bytes) {
  if (bytes.size() > kMaxFileBytes) return refused(tooLarge(bytes.size()));
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  const std::size_t start = bytes.find_first_not_of(kSpace);
  Loaded loaded = start != std::string_view::npos && bytes.substr(start).starts_with(kCodePrefix)
                      ? decodeCode(bytes)
                      : readJson(bytes);
  // Whatever is opened can be saved and opened again.
  if (loaded.state && writePlavetFile(*loaded.state).size() > kMaxFileBytes)
    return refused(
        "The plavet's texts are too long: written out, the file would be larger than 1 MiB.");
  return loaded;
}

Loaded openPlavetFile(const std::string& utf8Path) {
  QFile file(qText(utf8Path));
  const QFileInfo info(file);
  if (!info.exists()) return refused("The file does not exist.");
  if (info.isDir()) return refused("This is a folder, not a plavet file.");
  if (!file.open(QIODevice::ReadOnly))
    return refused("The file could not be read: " + file.errorString().toStdString() + ".");
  if (file.size() > static_cast<qint64>(kMaxFileBytes))
    return refused(tooLarge(static_cast<std::size_t>(file.size())));
  // At most one byte past the limit, for a file that grows while it is read.
  const QByteArray bytes = file.read(kMaxFileBytes + 1);
  if (file.error() != QFileDevice::NoError)
    return refused("The file could not be read: " + file.errorString().toStdString() + ".");
  return readPlavetFile({bytes.constData(), static_cast<std::size_t>(bytes.size())});
}

}  // namespace store
