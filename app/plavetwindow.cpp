#include "app/plavetwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include "app/findclasses.h"
#include "app/messagebox.h"
#include "app/plavet.h"
#include "app/settings.h"
#include "app/skillgoals.h"
#include "history/steps.h"

PlavetWindow::PlavetWindow(sheet::MessageSink* messages, QWidget* parent)
    : QMainWindow(parent), plavet_(new Plavet(messages)) {
  setObjectName("PlavetWindow");
  setWindowFlags(plavet_->windowFlags());  // fixed size: no maximize button
  setCentralWidget(plavet_);
  // The planner's window keeps its size; the menu bar sits above it, and the
  // whole window is exactly as large as the two.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  buildMenus();
  connect(plavet_, &Plavet::acted, this, &PlavetWindow::recordAction);
  connect(plavet_, &Plavet::used, this, [this] { history_.endTyping(); });
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
    connect(action, &QAction::triggered, this, [this] { history_.endTyping(); });
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
    history_.endTyping();
    plavet_->setArrowKeys(on);
    settings().setValue(kArrowKeysKey, on);
  });

  QMenu* plan = menuBar()->addMenu(tr("&Plan"));
  command(plan, tr("Skill &Goals..."), &PlavetWindow::showSkillGoals,
          {QKeySequence(Qt::CTRL | Qt::Key_G)});
  command(plan, tr("&Find Classes..."), &PlavetWindow::showFindClasses,
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)});

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  command(
      help, tr("&Help"), [this] { plavet_->cmdhelp_Click(); },
      keysFor(QKeySequence::HelpContents, Qt::Key_F1));
  command(help, tr("&About Plavet Program"), &PlavetWindow::about);
}

bool PlavetWindow::needsSaving() const {
  // A plavet never saved counts as changed once started; one never started
  // has nothing to lose.
  return !history_.isClean() && (plavet_->planner().started() || !filePath_.isEmpty());
}

void PlavetWindow::recordAction(const QString& name, int mergeKey, const sheet::State& before) {
  history_.record(name.toStdString(), before, plavet_->planner().state(), mergeKey);
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
  if (!skillGoals_) {
    skillGoals_ = std::make_unique<SkillGoals>(*plavet_, [this](const sheet::State& s) {
      replacePlavet(s, QString::fromUtf8(history::steps::kApplyPlan));
    });
    connect(skillGoals_.get(), &SkillGoals::used, this, [this] { history_.endTyping(); });
  }
  skillGoals_->open();
}

void PlavetWindow::showFindClasses() {
  if (!findClasses_)
    findClasses_ = std::make_unique<FindClasses>([this](const goals::Problem& p) { planFor(p); });
  findClasses_->open();
}

void PlavetWindow::planFor(const goals::Problem& problem) {
  history_.endTyping();
  if (needsSaving()) {
    newPlavet();                // asks as New does
    if (needsSaving()) return;  // cancelled, or the save failed: nothing changes
  }
  sheet::State fresh;
  fresh.started = false;  // as the window's load leaves it
  fresh.selections = {problem.race, problem.firstClass, problem.secondClass};
  replacePlavet(fresh, QString::fromUtf8(history::steps::kPlanThis));
  showSkillGoals();
  skillGoals_->openWith(problem.goals, problem.magicBonus, problem.physicalBonus);
}

void PlavetWindow::undo() {
  if (!history_.canUndo()) return;
  putInPlace(history_.undo());
  showStatus();
}

void PlavetWindow::redo() {
  if (!history_.canRedo()) return;
  putInPlace(history_.redo());
  showStatus();
}

void PlavetWindow::showStatus() {
  auto named = [](const QString& command, std::string_view step) {
    return step.empty() ? command : command + ' ' + QString::fromUtf8(step.data(), step.size());
  };
  undoAction_->setEnabled(history_.canUndo());
  undoAction_->setText(named(tr("&Undo"), history_.undoName()));
  redoAction_->setEnabled(history_.canRedo());
  redoAction_->setText(named(tr("&Redo"), history_.redoName()));
  // Without a file the caption is the program's own; with one, the file's
  // name and the modified marker come before it.
  setWindowFilePath(filePath_);
  if (filePath_.isEmpty()) {
    setWindowModified(false);
    setWindowTitle(kWindowCaption);
  } else {
    setWindowTitle(QFileInfo(filePath_).fileName() + "[*] - " + kWindowCaption);
    setWindowModified(!history_.isClean());
  }
}

void PlavetWindow::startOver(const sheet::State& state, const QString& path) {
  putInPlace(state);
  history_.clear();
  filePath_ = path;
  showStatus();
}

bool PlavetWindow::maySetPlavetAside() {
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

void PlavetWindow::newPlavet() {
  if (!maySetPlavetAside()) return;
  sheet::State atLoad;
  atLoad.started = false;  // as the window's load leaves it
  startOver(atLoad, QString());
  plavet_->findChild<QLineEdit*>("txtmf")->setFocus();
}

void PlavetWindow::quit() {
  if (!maySetPlavetAside()) return;
  quitting_ = true;  // asked once; every window closes now, the help window too
  QApplication::closeAllWindows();
  quitting_ = false;
}

void PlavetWindow::closeEvent(QCloseEvent* event) {
  if (!quitting_ && !maySetPlavetAside()) {
    event->ignore();
    return;
  }
  event->accept();
  // Skill Goals is a view of this window's plavet and goes with it; the help
  // window stands on its own.
  if (skillGoals_) skillGoals_->close();
  if (findClasses_) findClasses_->close();
}

void PlavetWindow::about() {
  QMessageBox::about(
      this, tr("About Plavet Program"),
      tr("<p><b>Plavet Program v1.33</b></p>"
         "<p>It makes the plavet, not the character! Plan how a level-60 character of a "
         "text mud spends its element points.</p>"));
}
