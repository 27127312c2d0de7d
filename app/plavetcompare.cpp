// The main window's Compare commands: what to compare with, read by the
// readers Open and Paste Plavet Code use, and the Compare window beside it.
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/comparewindow.h"
#include "app/plavet.h"
#include "app/plavetwindow.h"
#include "history/steps.h"
#include "store/code.h"
#include "store/file.h"

namespace {
QString fromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
}  // namespace

void PlavetWindow::compareWith(const QString& name, const sheet::State& state, const QString& path,
                               bool add) {
  if (!compare_) {
    compare_ = std::make_unique<CompareWindow>(*plavet_, [this](const sheet::State& s) {
      replacePlavet(s, QString::fromUtf8(history::steps::kOpenCompared));
    });
    compare_->tell = [this](const QString& text, const QString& title) { tell(text, title); };
    connect(compare_.get(), &CompareWindow::used, this,
            [this] { document_.history().endTyping(); });
    // Beside the main window, where the screen has room.
    compare_->move(frameGeometry().topRight() + QPoint(8, 0));
  }
  if (add && compare_->isVisible())
    compare_->addCompared({name, state, path});
  else
    compare_->compareWith({{name, state, path}});
}

bool PlavetWindow::compareWithFile(const QString& path, bool add) {
  const store::Loaded loaded = store::openPlavetFile(path.toStdString());
  if (!loaded.state) {
    tell(tr("The file %1 cannot be compared: %2")
             .arg(QDir::toNativeSeparators(path), fromUtf8(loaded.reason)),
         tr("Compare"));
    return false;
  }
  compareWith(QFileInfo(path).fileName(), *loaded.state, QFileInfo(path).absoluteFilePath(), add);
  return true;
}

bool PlavetWindow::compareWithCode(const QString& text, bool add) {
  const store::Loaded loaded = store::decodeCodeIn(text.toStdString());
  if (!loaded.state) {
    tell(tr("The plavet code cannot be compared: %1").arg(fromUtf8(loaded.reason)), tr("Compare"));
    return false;
  }
  compareWith(tr("The code"), *loaded.state, QString(), add);
  return true;
}

bool PlavetWindow::compareWithSaved() {
  const QString& path = document_.path();
  if (path.isEmpty()) return false;
  const store::Loaded loaded = document_.savedState();
  if (!loaded.state) {
    tell(tr("The file %1 cannot be compared: %2")
             .arg(QDir::toNativeSeparators(path), fromUtf8(loaded.reason)),
         tr("Compare"));
    return false;
  }
  compareWith(tr("%1 as saved").arg(QFileInfo(path).fileName()), *loaded.state, path);
  return true;
}

// A file, or a field that takes a code, a link or a chat line.
void PlavetWindow::showCompareWith() {
  QDialog dialog(this);
  dialog.setWindowTitle(tr("Compare With"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* label =
      new QLabel(tr("A plavet &code, a link to the page, or a chat line holding a code:"), &dialog);
  auto* field = new QLineEdit(&dialog);
  field->setObjectName("compareCode");
  label->setBuddy(field);
  layout->addWidget(label);
  layout->addWidget(field);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QPushButton* fileButton = buttons->addButton(tr("Choose &File..."), QDialogButtonBox::ActionRole);
  auto* add = new QCheckBox(tr("&Add beside the plavets compared"), &dialog);
  add->setVisible(compare_ && compare_->isVisible() && !compare_->compared().empty());
  layout->addWidget(add);
  layout->addWidget(buttons);
  QString path;
  connect(fileButton, &QPushButton::clicked, &dialog, [&] {
    QFileDialog files(&dialog, tr("Compare With"));
    files.setFileMode(QFileDialog::ExistingFile);
    files.setNameFilters(
        {tr("Plavets (*.plavet)"), tr("Plavet codes (*.txt)"), tr("All files (*)")});
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return;
    path = files.selectedFiles().first();
    dialog.accept();
  });
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return;
  const bool beside = add->isVisible() && add->isChecked();
  if (!path.isEmpty())
    compareWithFile(path, beside);
  else if (!field->text().trimmed().isEmpty())
    compareWithCode(field->text(), beside);
}
