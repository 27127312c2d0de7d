// The main window's files and codes: open, save, the recent files, and the
// plavet as a code or as text on the clipboard.
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>

#include "app/plavet.h"
#include "app/plavetwindow.h"
#include "app/settings.h"
#include "history/steps.h"
#include "store/code.h"
#include "store/file.h"
#include "store/text.h"

namespace {

constexpr int kMostRecent = 8;
constexpr char kFileSuffix[] = "plavet";

QString fromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString askForFile(QWidget* parent, bool forSaving, const QString& current) {
  QFileDialog dialog(parent);
  if (forSaving) {
    dialog.setWindowTitle(PlavetWindow::tr("Save Plavet"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(PlavetWindow::tr("Plavets (*.plavet)"));
    dialog.setDefaultSuffix(kFileSuffix);  // before the question whether to replace a file
    dialog.selectFile(current.isEmpty() ? QDir::home().filePath("plavet.plavet") : current);
  } else {
    dialog.setWindowTitle(PlavetWindow::tr("Open Plavet"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({PlavetWindow::tr("Plavets (*.plavet)"),
                           PlavetWindow::tr("Plavet codes (*.txt)"),
                           PlavetWindow::tr("All files (*)")});
  }
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

bool PlavetWindow::openFile(const QString& path) {
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

bool PlavetWindow::saveFile(const QString& path) {
  const std::string failure = store::savePlavetFile(path.toStdString(), plavet_->planner().state());
  if (!failure.empty()) {
    tell(tr("The plavet was not saved in %1: %2")
             .arg(QDir::toNativeSeparators(path), fromUtf8(failure)),
         tr("Save Plavet"));
    return false;
  }
  filePath_ = QFileInfo(path).absoluteFilePath();
  history_.markClean();
  rememberRecent(filePath_);
  showStatus();
  return true;
}

void PlavetWindow::openPlavet() {
  if (!maySetPlavetAside()) return;
  const QString path = chooseFile ? chooseFile(false) : askForFile(this, false, filePath_);
  if (!path.isEmpty()) openFile(path);
}

bool PlavetWindow::save() {
  return filePath_.isEmpty() ? saveAs() : saveFile(filePath_);
}

bool PlavetWindow::saveAs() {
  const QString path = chooseFile ? chooseFile(true) : askForFile(this, true, filePath_);
  return !path.isEmpty() && saveFile(path);
}

void PlavetWindow::fillRecentMenu() {
  QStringList files = settings().value(kRecentKey).toStringList();
  // Files that are gone are dropped from the list for good.
  files.removeIf([](const QString& f) { return !QFileInfo::exists(f); });
  settings().setValue(kRecentKey, files);
  recentMenu_->clear();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* action = recentMenu_->addAction(
        QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this, [this, path] {
          if (maySetPlavetAside()) openFile(path);
        });
    action->setToolTip(QDir::toNativeSeparators(path));
  }
  if (files.isEmpty()) recentMenu_->addAction(tr("No recent files"))->setEnabled(false);
}

void PlavetWindow::rememberRecent(const QString& path) {
  QStringList files = settings().value(kRecentKey).toStringList();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kMostRecent) files.removeLast();
  settings().setValue(kRecentKey, files);
}

void PlavetWindow::copyAsText() {
  QGuiApplication::clipboard()->setText(fromUtf8(store::plavetAsText(plavet_->planner().state())));
}

void PlavetWindow::copyCode() {
  QGuiApplication::clipboard()->setText(fromUtf8(store::encodeCode(plavet_->planner().state())));
}

bool PlavetWindow::openCode(const QString& text) {
  const store::Loaded loaded = store::decodeCodeIn(text.toStdString());
  if (!loaded.state) {
    tell(tr("The plavet code cannot be opened: %1").arg(fromUtf8(loaded.reason)),
         tr("Open Plavet"));
    return false;
  }
  startOver(*loaded.state, QString());  // a plavet without a file, as a new one
  return true;
}

// The code is found in whatever the clipboard holds: a chat line, a link, the
// plavet as text.
void PlavetWindow::pasteCode() {
  const QString text = QGuiApplication::clipboard()->text();
  const store::Loaded loaded = store::decodeCodeIn(text.toStdString());
  if (!loaded.state) {
    tell(tr("The clipboard holds no plavet code that can be used: %1").arg(fromUtf8(loaded.reason)),
         tr("Paste Plavet Code"));
    return;
  }
  replacePlavet(*loaded.state, QString::fromUtf8(history::steps::kPasteCode));
}
