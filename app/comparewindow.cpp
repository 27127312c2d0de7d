#include "app/comparewindow.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>

#include "app/plavet.h"
#include "store/file.h"

namespace {

QString fromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString shown(const std::string& value) {
  return value.empty() ? CompareWindow::tr("(none)") : fromUtf8(value);
}

// The mark of a difference: a symbol and the sign, never a colour alone.
QString markOf(const compare::Cell& cell) {
  switch (cell.mark) {
    case compare::Mark::Same:
      return "=";
    case compare::Mark::More:
      return QString::fromUtf8("▲ ") + fromUtf8(cell.difference);
    case compare::Mark::Less:
      return QString::fromUtf8("▼ ") + fromUtf8(cell.difference);
    case compare::Mark::Other:
      return fromUtf8(cell.difference);
  }
  return {};
}

// A name within a sentence: "this plavet", "the code"; a file's name as it is.
QString inSentence(const std::string& name) {
  QString s = fromUtf8(name).toHtmlEscaped();
  if (s == CompareWindow::tr("This plavet") || s == CompareWindow::tr("The code"))
    s[0] = s[0].toLower();
  return s;
}

QString listOf(std::span<const std::string_view> items) {
  if (items.empty()) return CompareWindow::tr("none");
  QStringList out;
  for (std::string_view t : items) out << fromUtf8(t).toHtmlEscaped();
  return out.join(", ");
}

}  // namespace

CompareWindow::CompareWindow(const Plavet& plavet, std::function<void(const sheet::State&)> open)
    : QWidget(nullptr), plavet_(plavet), open_(std::move(open)) {
  build();
  // The base is the main window's plavet as it stands: every press, undo
  // and paste shows here at once.
  auto followWhenShown = [this] {
    if (isVisible()) refresh();
  };
  connect(&plavet_, &Plavet::rendered, this, followWhenShown);
  connect(&plavet_, &Plavet::acted, this, followWhenShown);
}

CompareWindow::~CompareWindow() = default;

void CompareWindow::build() {
  setObjectName("CompareWindow");
  setWindowTitle(tr("Compare"));
  auto* layout = new QVBoxLayout(this);

  summary_ = new QLabel(this);
  summary_->setObjectName("summary");
  summary_->setWordWrap(true);
  layout->addWidget(summary_);

  rows_ = new QTreeWidget(this);
  rows_->setObjectName("rows");
  rows_->setAccessibleName(tr("The plavets row by row"));
  rows_->setRootIsDecorated(false);
  rows_->setUniformRowHeights(true);
  rows_->setAllColumnsShowFocus(true);
  layout->addWidget(rows_, 3);

  auto* legend = new QLabel(fromUtf8(compare::kLegend), this);
  legend->setObjectName("legend");
  legend->setWordWrap(true);
  layout->addWidget(legend);

  auto* buttons = new QHBoxLayout;
  onlyDifferencesBox_ = new QCheckBox(tr("&Only differences"), this);
  onlyDifferencesBox_->setObjectName("onlyDifferences");
  connect(onlyDifferencesBox_, &QCheckBox::toggled, this, &CompareWindow::setOnlyDifferences);
  buttons->addWidget(onlyDifferencesBox_);
  auto button = [&](const char* name, const QString& text, void (CompareWindow::*slot)(),
                    const QString& tip = {}) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setToolTip(tip);
    connect(b, &QPushButton::clicked, this, slot);
    connect(b, &QPushButton::clicked, this, &CompareWindow::used);
    buttons->addWidget(b);
  };
  button("previous", tr("&Previous Difference"), &CompareWindow::previousDifference, tr("Ctrl+Up"));
  button("next", tr("&Next Difference"), &CompareWindow::nextDifference, tr("Ctrl+Down"));
  button("swap", tr("&Swap"), &CompareWindow::swap, tr("Exchanges the columns"));
  button("reload", tr("&Reload"), &CompareWindow::reload, tr("Reads the compared files again"));
  button("openCompared", tr("Open &Compared"), &CompareWindow::openCompared,
         tr("Makes the compared plavet the main window's; Undo takes it back"));
  layout->addLayout(buttons);
  for (auto [key, slot] : {std::pair{Qt::CTRL | Qt::Key_Down, &CompareWindow::nextDifference},
                           std::pair{Qt::CTRL | Qt::Key_Up, &CompareWindow::previousDifference}}) {
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(key));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
  }

  auto* forLine = new QHBoxLayout;
  auto* forLabel = new QLabel(tr("Skills and presses &for:"), this);
  chosen_ = new QComboBox(this);
  chosen_->setObjectName("chosen");
  forLabel->setBuddy(chosen_);
  connect(chosen_, &QComboBox::currentIndexChanged, this, &CompareWindow::showDetails);
  forLine->addWidget(forLabel);
  forLine->addWidget(chosen_, 1);
  layout->addLayout(forLine);

  details_ = new QTextBrowser(this);
  details_->setObjectName("details");
  details_->setAccessibleName(tr("Skills and presses"));
  layout->addWidget(details_, 2);
  resize(720, 760);
}

void CompareWindow::compareWith(std::vector<Compared> compared) {
  compared_ = std::move(compared);
  swapped_ = false;
  refresh();
  show();
  raise();
  activateWindow();
}

void CompareWindow::addCompared(Compared compared) {
  compared_.push_back(std::move(compared));
  refresh();
}

int CompareWindow::chosen() const {
  const int i = chosen_->currentIndex();
  return i < 0 ? 0 : i;
}

void CompareWindow::refresh() {
  compare::Plavet here{tr("This plavet").toStdString(), plavet_.planner().state()};
  std::vector<compare::Plavet> others;
  for (const Compared& c : compared_) others.push_back({c.name.toStdString(), c.state});
  if (swapped_ && !others.empty()) std::swap(here, others.front());
  comparison_ = compare::compareWith(here, others);
  showRows();
  showDetails();
}

void CompareWindow::showRows() {
  const int columns = 2 + 2 * int(comparison_.compared.size());
  if (rows_->columnCount() != columns || rows_->topLevelItemCount() != compare::kRowCount) {
    rows_->clear();
    rows_->setColumnCount(columns);
    for (int r = 0; r < compare::kRowCount; ++r) new QTreeWidgetItem(rows_);
  }
  QStringList heads{tr("Row"), fromUtf8(comparison_.base)};
  std::vector<std::string> names;
  for (const compare::Against& a : comparison_.compared) {
    heads << fromUtf8(a.name) << tr("Difference");
    names.push_back(a.name);
  }
  rows_->setHeaderLabels(heads);
  for (int r = 0; r < compare::kRowCount; ++r) {
    const compare::Row& row = comparison_.rows[r];
    QTreeWidgetItem* item = rows_->topLevelItem(r);
    item->setText(0, fromUtf8(row.name));
    item->setText(1, shown(row.base));
    for (std::size_t i = 0; i < row.compared.size(); ++i) {
      item->setText(2 + 2 * int(i), shown(row.compared[i].value));
      item->setText(3 + 2 * int(i), markOf(row.compared[i]));
    }
    const QString speech = fromUtf8(compare::spoken(row, names));
    QFont font = rows_->font();
    font.setBold(row.differs());
    for (int c = 0; c < columns; ++c) {
      item->setFont(c, font);
      item->setData(c, Qt::AccessibleTextRole, speech);
      item->setToolTip(c, speech);
    }
    item->setHidden(onlyDifferences_ && !row.differs());
  }
  for (int c = 0; c < columns; ++c) rows_->resizeColumnToContents(c);

  const QString previous = chosen_->currentText();
  const QSignalBlocker blocker(chosen_);
  chosen_->clear();
  for (const compare::Against& a : comparison_.compared) chosen_->addItem(fromUtf8(a.name));
  chosen_->setCurrentIndex(std::max(0, chosen_->findText(previous)));
  chosen_->setEnabled(comparison_.compared.size() > 1);

  QStringList counts;
  for (const compare::Against& a : comparison_.compared)
    counts
        << (a.differences == 1
                ? tr("%1: 1 row differs").arg(fromUtf8(a.name))
                : tr("%1: %2 rows differ").arg(fromUtf8(a.name), QString::number(a.differences)));
  summary_->setText(comparison_.compared.empty() ? tr("Nothing is compared.") : counts.join("; "));
}

void CompareWindow::showDetails() {
  if (comparison_.compared.empty()) {
    details_->clear();
    return;
  }
  const compare::Against& a =
      comparison_.compared[std::min<std::size_t>(chosen(), comparison_.compared.size() - 1)];
  const QString base = inSentence(comparison_.base);
  const QString other = inSentence(a.name);
  QString html;
  for (const compare::Skills& s : a.skills) {
    html += "<p><b>" + (s.list == 0 ? tr("First-class skills") : tr("Second-class skills")) +
            "</b>: " + tr("%1 reached").arg(fromUtf8(s.reached())) + "<br>" +
            tr("Only in %1: ").arg(base) + listOf(s.onlyBase) + "<br>" +
            tr("Only in %1: ").arg(other) + listOf(s.onlyCompared) + "<br>" + tr("In both: ") +
            listOf(s.both) + "</p>";
  }
  const compare::Presses& p = a.presses;
  if (!p.possible()) {
    html += "<p><b>" + tr("No presses turn %1 into %2").arg(base, other) +
            "</b>: " + fromUtf8(p.whyNot).toHtmlEscaped() + ".</p>";
  } else if (p.steps.empty()) {
    html += "<p><b>" + tr("Nothing to press: %1 is %2 already.").arg(base, other) + "</b></p>";
  } else {
    html +=
        "<p><b>" + tr("What turns %1 into %2, in this order:").arg(base, other) + "</b></p><ol>";
    for (const compare::Step& s : p.steps) html += "<li>" + fromUtf8(s.words()).toHtmlEscaped();
    html += "</ol>";
  }
  details_->setHtml(html);
}

void CompareWindow::setOnlyDifferences(bool only) {
  onlyDifferences_ = only;
  {
    const QSignalBlocker blocker(onlyDifferencesBox_);
    onlyDifferencesBox_->setChecked(only);
  }
  showRows();
}

void CompareWindow::moveToDifference(int direction) {
  const int n = rows_->topLevelItemCount();
  if (n == 0) return;
  const int current = rows_->currentItem() ? rows_->indexOfTopLevelItem(rows_->currentItem())
                                           : (direction > 0 ? -1 : n);
  for (int r = current + direction; r >= 0 && r < n; r += direction) {
    if (!comparison_.rows[r].differs()) continue;
    rows_->setCurrentItem(rows_->topLevelItem(r));
    rows_->scrollToItem(rows_->topLevelItem(r));
    return;
  }
}

void CompareWindow::nextDifference() {
  moveToDifference(1);
}

void CompareWindow::previousDifference() {
  moveToDifference(-1);
}

void CompareWindow::swap() {
  if (compared_.empty()) return;
  swapped_ = !swapped_;
  refresh();
}

void CompareWindow::openCompared() {
  if (compared_.empty()) return;
  // After Swap the first column shows the compared plavet; the one to open
  // is the one the presses are for, or the first.
  const std::size_t i = swapped_ ? 0 : std::min<std::size_t>(chosen(), compared_.size() - 1);
  open_(compared_[i].state);
}

void CompareWindow::reload() {
  for (Compared& c : compared_) {
    if (c.path.isEmpty()) continue;
    const store::Loaded loaded = store::openPlavetFile(c.path.toStdString());
    if (loaded.state) {
      c.state = *loaded.state;
    } else if (tell) {
      tell(tr("The file %1 cannot be read again: %2")
               .arg(QDir::toNativeSeparators(c.path), fromUtf8(loaded.reason)),
           tr("Compare"));
    }
  }
  refresh();
}
