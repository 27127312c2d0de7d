// Opening a plavet file by its path, with QtCore's words for what the
// system refused.
#include <QFile>
#include <QFileInfo>

#include "store/file.h"

namespace store {

Loaded openPlavetFile(const std::string& utf8Path) {
  QFile file(QString::fromUtf8(utf8Path.data(), static_cast<qsizetype>(utf8Path.size())));
  const QFileInfo info(file);
  if (!info.exists()) return refused("The file does not exist.");
  if (info.isDir()) return refused("This is a folder, not a plavet file.");
  if (!file.open(QIODevice::ReadOnly))
    return refused("The file could not be read: " + file.errorString().toStdString() + ".");
  if (file.size() > static_cast<qint64>(kMaxFileBytes))
    return refused(tooLargeForAPlavet(static_cast<std::uint64_t>(file.size())));
  // At most one byte past the limit, for a file that grows while it is read.
  const QByteArray bytes = file.read(kMaxFileBytes + 1);
  if (file.error() != QFileDevice::NoError)
    return refused("The file could not be read: " + file.errorString().toStdString() + ".");
  return readPlavetFile({bytes.constData(), static_cast<std::size_t>(bytes.size())});
}

}  // namespace store
