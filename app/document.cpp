#include "app/document.h"

#include <QDir>
#include <QFileInfo>

#include "app/settings.h"
#include "store/code.h"
#include "store/file.h"

namespace {

constexpr int kMostRecent = 8;
constexpr char kFileSuffix[] = "plavet";

QString fromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

}  // namespace

PlavetDocument::PlavetDocument(std::function<const sheet::State&()> current)
    : current_(std::move(current)) {}

bool PlavetDocument::needsSaving() const {
  return isModified() && (current_().started || !path_.isEmpty());
}

QString PlavetDocument::caption() const {
  if (path_.isEmpty()) return kWindowCaption;
  return QFileInfo(path_).fileName() + "[*] - " + kWindowCaption;
}

store::Loaded PlavetDocument::savedState() const {
  if (path_.isEmpty()) return {};
  return store::openPlavetFile(path_.toStdString());
}

bool PlavetDocument::maySetAside() {
  if (!needsSaving()) return true;
  switch (askToSave()) {
    case Answer::Save:
      return save();
    case Answer::Discard:
      return true;
    case Answer::Cancel:
      break;
  }
  return false;
}

bool PlavetDocument::startNew(const sheet::State& state) {
  if (!maySetAside()) return false;
  startOver(state, QString());
  return true;
}

void PlavetDocument::open() {
  if (!maySetAside()) return;
  const QString chosen = chooseFile(false);
  if (!chosen.isEmpty()) openFile(chosen);
}

void PlavetDocument::openRecent(const QString& path) {
  if (maySetAside()) openFile(path);
}

bool PlavetDocument::save() {
  return path_.isEmpty() ? saveAs() : saveFile(path_);
}

bool PlavetDocument::saveAs() {
  const QString chosen = chooseFile(true);
  return !chosen.isEmpty() && saveFile(chosen);
}

bool PlavetDocument::openFile(const QString& path) {
  const store::Loaded loaded = store::openPlavetFile(path.toStdString());
  if (!loaded.state) {
    tell(tr("The file %1 cannot be opened: %2")
             .arg(QDir::toNativeSeparators(path), fromUtf8(loaded.reason)),
         tr("Open Plavet"));
    return false;
  }
  // A note holding a plavet code is not a plavet file: the plavet opens
  // without a file, so that Save asks for a name instead of writing over it.
  const bool plavetFile = QFileInfo(path).suffix().compare(kFileSuffix, Qt::CaseInsensitive) == 0;
  startOver(*loaded.state, plavetFile ? QFileInfo(path).absoluteFilePath() : QString());
  rememberRecent(QFileInfo(path).absoluteFilePath());
  return true;
}

bool PlavetDocument::openCode(const QString& text) {
  const store::Loaded loaded = store::decodeCodeIn(text.toStdString());
  if (!loaded.state) {
    tell(tr("The plavet code cannot be opened: %1").arg(fromUtf8(loaded.reason)),
         tr("Open Plavet"));
    return false;
  }
  startOver(*loaded.state, QString());  // a plavet without a file, as a new one
  return true;
}

bool PlavetDocument::saveFile(const QString& path) {
  const std::string failure = store::savePlavetFile(path.toStdString(), current_());
  if (!failure.empty()) {
    tell(tr("The plavet was not saved in %1: %2")
             .arg(QDir::toNativeSeparators(path), fromUtf8(failure)),
         tr("Save Plavet"));
    return false;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  history_.markClean();
  rememberRecent(path_);
  emit changed();
  return true;
}

void PlavetDocument::startOver(const sheet::State& state, const QString& path) {
  emit replaced(state);
  history_.clear();
  path_ = path;
  emit changed();
}

QStringList PlavetDocument::recentFiles() const {
  QStringList files = settings().value(kRecentKey).toStringList();
  files.removeIf([](const QString& f) { return !QFileInfo::exists(f); });
  settings().setValue(kRecentKey, files);
  return files;
}

void PlavetDocument::rememberRecent(const QString& path) const {
  QStringList files = settings().value(kRecentKey).toStringList();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kMostRecent) files.removeLast();
  settings().setValue(kRecentKey, files);
}
