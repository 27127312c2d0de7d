// Saving a plavet file through QSaveFile: the new bytes go to a temporary
// file that replaces the old one only when all of them are written, so a
// failed save (no permission, disk full) leaves the old file whole.
#include <QSaveFile>

#include <algorithm>

#include "store/file.h"

namespace store {

std::string savePlavetFile(const std::string& utf8Path, const sheet::State& state) {
  const FileToSave toSave = plavetFileToSave(state);
  if (!toSave.refusal.empty()) return toSave.refusal;
  const std::string& bytes = toSave.bytes;
  QSaveFile file(QString::fromStdString(utf8Path));
  // Unbuffered, every byte is written (or not) here, where a short write is
  // seen. Buffered, the last bytes would be written by commit(), which in
  // Qt 6.4 ignores a failure there and puts the cut file in place.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return "The file could not be written: " + file.errorString().toStdString() + ".";
  const auto size = static_cast<qint64>(bytes.size());
  if (const qint64 written = file.write(bytes.data(), size); written != size) {
    // A short write often comes without an error of its own.
    const std::string why = file.error() != QFileDevice::NoError
                                ? file.errorString().toStdString()
                                : "only " + std::to_string(std::max<qint64>(written, 0)) + " of " +
                                      std::to_string(size) + " bytes went to disk (is it full?)";
    file.cancelWriting();
    return "The file could not be written: " + why + ".";
  }
  if (!file.commit())
    return "The file could not be written: " + file.errorString().toStdString() + ".";
  return {};
}

}  // namespace store
