#include "app/plavetwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include "app/comparewindow.h"
#include "app/findclasses.h"
#include "app/messagebox.h"
#include "app/plavet.h"
#include "app/settings.h"
#include "app/skillgoals.h"
#include "history/steps.h"
#include "store/code.h"
#include "store/text.h"

PlavetWindow::PlavetWindow(sheet::MessageSink* messages, QWidget* parent)
    : QMainWindow(parent),
      document_([this]() -> const sheet::State& { return plavet_->planner().state(); }),
      plavet_(new Plavet(messages)) {
  setObjectName("PlavetWindow");
  setWindowFlags(plavet_->windowFlags());  // fixed size: no maximize button
  setCentralWidget(plavet_);
  // The planner's window keeps its size; the menu bar sits above it, and the
  // whole window is exactly as large as the two.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  buildMenus();
  connect(plavet_, &Plavet::acted, this, &PlavetWindow::recordAction);
  connect(plavet_, &Plavet::used, this, [this] { document_.history().endTyping(); });
  connect(&document_, &PlavetDocument::replaced, this, &PlavetWindow::putInPlace);
  connect(&document_, &PlavetDocument::changed, this, &PlavetWindow::showStatus);
  plavet_->keysSetting = [] { return settings().value(kArrowKeysKey, false).toBool(); };

  askToSave = [this] {
    QMessageBox box(QMessageBox::NoIcon, kApplicationName,
                    tr("The plavet has changes that are not saved in a file."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText(tr("Do you want to save them?"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
      case QMessageBox::Save:
        return Answer::Save;
      case QMessageBox::Discard:
        return Answer::Discard;
      default:
        return Answer::Cancel;
    }
  };
  chooseFile = [this](bool forSaving) { return askForFile(forSaving); };
  tell = [this](const QString& text, const QString& title) { showMessage(this, text, title); };
  showStatus();
  plavet_->findChild<QLineEdit*>("txtmf")->setFocus();
}

PlavetWindow::~PlavetWindow() = default;

namespace {
// The platform's keys for a command, or the usual ones where it has none
// (a desktop without its own theme knows no key for Save As).
QList<QKeySequence> keysFor(QKeySequence::StandardKey command, QKeySequence usual = {}) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(command);
  if (keys.isEmpty() && !usual.isEmpty()) keys << usual;
  return keys;
}
}  // namespace

void PlavetWindow::buildMenus() {
  // Each command with the platform's standard keys where there are some. None
  // takes a key a control uses: the combo boxes keep Ctrl+C, Ctrl+V, Ctrl+Z.
  auto command = [this](QMenu* menu, const QString& text, auto slot,
                        QList<QKeySequence> keys = {}) {
    QAction* action = menu->addAction(text, this, slot);
    action->setShortcuts(keys);
    // Any command ends typing in a selection box, even one that leaves the
    // plavet as it is (Copy, Help).
    connect(action, &QAction::triggered, this, [this] { document_.history().endTyping(); });
    return action;
  };
  QMenu* file = menuBar()->addMenu(tr("&File"));
  command(file, tr("&New"), &PlavetWindow::newPlavet,
          keysFor(QKeySequence::New, Qt::CTRL | Qt::Key_N));
  command(file, tr("&Open..."), &PlavetWindow::openPlavet,
          keysFor(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
  recentMenu_ = file->addMenu(tr("Open &Recent"));
  connect(recentMenu_, &QMenu::aboutToShow, this, &PlavetWindow::fillRecentMenu);
  command(file, tr("&Save"), &PlavetWindow::save,
          keysFor(QKeySequence::Save, Qt::CTRL | Qt::Key_S));
  command(file, tr("Save &As..."), &PlavetWindow::saveAs,
          keysFor(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  file->addSeparator();
  command(file, tr("Compare &With..."), &PlavetWindow::showCompareWith);
  compareSavedAction_ = command(file, tr("Compare With Sa&ved"), &PlavetWindow::compareWithSaved);
  file->addSeparator();
  command(file, tr("&Print Plan..."), [this] { goalsWindow().printPlan(); });
  file->addSeparator();
  command(file, tr("&Quit"), &PlavetWindow::quit,
          keysFor(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  undoAction_ = command(edit, tr("&Undo"), &PlavetWindow::undo,
                        keysFor(QKeySequence::Undo, Qt::CTRL | Qt::Key_Z));
  redoAction_ =
      command(edit, tr("&Redo"), &PlavetWindow::redo,
              {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  edit->addSeparator();
  command(edit, tr("Copy Plavet as &Text"), &PlavetWindow::copyAsText,
          {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C)});
  command(edit, tr("&Copy Plavet Code"), &PlavetWindow::copyCode,
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)});
  command(edit, tr("&Paste Plavet Code"), &PlavetWindow::pasteCode,
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)});
  edit->addSeparator();
  // The arrows answer the mouse alone unless the player asks for keys too.
  arrowKeysAction_ = edit->addAction(tr("Space and Enter Press &Arrows"));
  arrowKeysAction_->setCheckable(true);
  arrowKeysAction_->setToolTip(
      tr("With an arrow button focused, Space or Enter is a left press and Shift+Space or "
         "Shift+Enter a right press"));
  edit->setToolTipsVisible(true);
  connect(edit, &QMenu::aboutToShow, this,
          [this] { arrowKeysAction_->setChecked(plavet_->arrowKeys()); });
  connect(arrowKeysAction_, &QAction::triggered, this, [this](bool on) {
    document_.history().endTyping();
    plavet_->setArrowKeys(on);
    settings().setValue(kArrowKeysKey, on);
  });

  QMenu* plan = menuBar()->addMenu(tr("&Plan"));
  command(plan, tr("Skill &Goals..."), &PlavetWindow::showSkillGoals,
          {QKeySequence(Qt::CTRL | Qt::Key_G)});
  command(plan, tr("&Find Classes..."), &PlavetWindow::showFindClasses,
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)});
  plan->addSeparator();
  command(plan, tr("Copy Plan as &Text"), [this] { goalsWindow().copyPlanAsText(); });

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  command(
      help, tr("&Help"), [this] { plavet_->cmdhelp_Click(); },
      keysFor(QKeySequence::HelpContents, Qt::Key_F1));
  command(help, tr("&About Plavet Program"), &PlavetWindow::about);
}

void PlavetWindow::recordAction(const QString& name, int mergeKey, const sheet::State& before) {
  document_.history().record(name.toStdString(), before, plavet_->planner().state(), mergeKey);
  showStatus();
}

void PlavetWindow::replacePlavet(const sheet::State& state, const QString& stepName) {
  const sheet::State before = plavet_->planner().state();
  putInPlace(state);
  recordAction(stepName, history::History::kNoMerge, before);
}

void PlavetWindow::putInPlace(const sheet::State& state) {
  plavet_->restorePlavet(state);
  if (skillGoals_) skillGoals_->plavetReplaced();
}

void PlavetWindow::showSkillGoals() {
  goalsWindow().open();
}

SkillGoals& PlavetWindow::goalsWindow() {
  if (!skillGoals_) {
    skillGoals_ = std::make_unique<SkillGoals>(
        *plavet_, [this](const sheet::State& s, const QString& step) { replacePlavet(s, step); });
    connect(skillGoals_.get(), &SkillGoals::used, this,
            [this] { document_.history().endTyping(); });
  }
  return *skillGoals_;
}

void PlavetWindow::showFindClasses() {
  if (!findClasses_)
    findClasses_ = std::make_unique<FindClasses>([this](const goals::Problem& p) { planFor(p); });
  findClasses_->open();
}

void PlavetWindow::planFor(const goals::Problem& problem) {
  document_.history().endTyping();
  sheet::State fresh;
  fresh.started = false;  // as the window's load leaves it
  fresh.selections = {problem.race, problem.firstClass, problem.secondClass};
  // The new plavet keeps the row's goals and counts, so Skill Goals plans them.
  fresh = sheet::withGoals(fresh, problem.goals, {problem.magicBonus, problem.physicalBonus});
  // A changed plavet is set aside as New sets it aside, asking first; else
  // the new one is a step that Undo takes back.
  if (needsSaving()) {
    if (!document_.startNew(fresh)) return;  // cancelled, or the save failed
  } else {
    replacePlavet(fresh, QString::fromUtf8(history::steps::kPlanThis));
  }
  showSkillGoals();
}

void PlavetWindow::undo() {
  history::History& history = document_.history();
  if (!history.canUndo()) return;
  putInPlace(history.undo());
  showStatus();
}

void PlavetWindow::redo() {
  history::History& history = document_.history();
  if (!history.canRedo()) return;
  putInPlace(history.redo());
  showStatus();
}

void PlavetWindow::showStatus() {
  const history::History& history = document_.history();
  auto named = [](const QString& command, std::string_view step) {
    return step.empty() ? command : command + ' ' + QString::fromUtf8(step.data(), step.size());
  };
  if (compareSavedAction_)
    compareSavedAction_->setEnabled(!document_.path().isEmpty() && document_.needsSaving());
  undoAction_->setEnabled(history.canUndo());
  undoAction_->setText(named(tr("&Undo"), history.undoName()));
  redoAction_->setEnabled(history.canRedo());
  redoAction_->setText(named(tr("&Redo"), history.redoName()));
  // Without a file the modified marker stays off: the caption has none.
  setWindowFilePath(document_.path());
  setWindowTitle(document_.caption());
  setWindowModified(!document_.path().isEmpty() && document_.isModified());
}

void PlavetWindow::newPlavet() {
  sheet::State atLoad;
  atLoad.started = false;  // as the window's load leaves it
  if (document_.startNew(atLoad)) plavet_->findChild<QLineEdit*>("txtmf")->setFocus();
}

void PlavetWindow::quit() {
  if (!document_.maySetAside()) return;
  quitting_ = true;  // asked once; every window closes now, the help window too
  QApplication::closeAllWindows();
  quitting_ = false;
}

void PlavetWindow::closeEvent(QCloseEvent* event) {
  if (!quitting_ && !document_.maySetAside()) {
    event->ignore();
    return;
  }
  event->accept();
  // Skill Goals is a view of this window's plavet and goes with it; the help
  // window stands on its own.
  if (skillGoals_) skillGoals_->close();
  if (compare_) compare_->close();
  if (findClasses_) findClasses_->close();
}

void PlavetWindow::about() {
  QMessageBox::about(
      this, tr("About Plavet Program"),
      tr("<p><b>Plavet Program v1.33</b></p>"
         "<p>It makes the plavet, not the character! Plan how a level-60 character of a "
         "text mud spends its element points.</p>"));
}

QString PlavetWindow::askForFile(bool forSaving) {
  QFileDialog dialog(this);
  if (forSaving) {
    dialog.setWindowTitle(tr("Save Plavet"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("Plavets (*.plavet)"));
    dialog.setDefaultSuffix("plavet");  // before the question whether to replace a file
    const QString& current = document_.path();
    dialog.selectFile(current.isEmpty() ? QDir::home().filePath("plavet.plavet") : current);
  } else {
    dialog.setWindowTitle(tr("Open Plavet"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {tr("Plavets (*.plavet)"), tr("Plavet codes (*.txt)"), tr("All files (*)")});
  }
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void PlavetWindow::fillRecentMenu() {
  const QStringList files = document_.recentFiles();
  recentMenu_->clear();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* action =
        recentMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this,
                               [this, path] { document_.openRecent(path); });
    action->setToolTip(QDir::toNativeSeparators(path));
  }
  if (files.isEmpty()) recentMenu_->addAction(tr("No recent files"))->setEnabled(false);
}

namespace {
QString fromUtf8(const std::string& s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
}  // namespace

void PlavetWindow::copyAsText() {
  QGuiApplication::clipboard()->setText(fromUtf8(store::plavetAsText(plavet_->planner().state())));
}

void PlavetWindow::copyCode() {
  QGuiApplication::clipboard()->setText(fromUtf8(store::encodeCode(plavet_->planner().state())));
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
