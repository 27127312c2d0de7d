#include "app/findclasses.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "app/selectioncombo.h"
#include "sheet/names.h"
#include "skills/catalogue.h"

namespace {

constexpr std::size_t kTopRows = 20;
enum Column { RankColumn, RaceColumn, FirstColumn, SecondColumn, KeptColumn, PointsColumn, Named };

QString fromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QStringList names(std::span<const std::string_view> list) {
  QStringList out;
  for (std::string_view name : list) out << fromUtf8(name);
  return out;
}

QComboBox* anyOf(std::span<const std::string_view> list, const QString& accessible,
                 QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->addItem(FindClasses::tr("Any"));
  box->addItems(names(list));
  box->setAccessibleName(accessible);
  return box;
}

std::optional<std::string> fixedName(const QComboBox* box) {
  if (box->currentIndex() <= 0) return std::nullopt;
  return box->currentText().toStdString();
}

}  // namespace

FindClasses::FindClasses(std::function<void(const goals::Problem&)> planThis)
    : QWidget(nullptr), planThis_(std::move(planThis)) {
  build();
}

FindClasses::~FindClasses() {
  stopWorker();
}

// Stops the table being computed and waits for it: at once, since the core
// looks at the stop between any two combinations.
void FindClasses::stopWorker() {
  if (!worker_) return;
  stop_->store(true);
  worker_->join();
  worker_.reset();
}

void FindClasses::build() {
  setObjectName("FindClasses");
  setWindowTitle(tr("Find Classes"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildQuestion());

  auto* tableRow = new QHBoxLayout;
  status_ = new QLabel(this);
  status_->setObjectName("status");
  tableRow->addWidget(status_, 1);
  showAllBox_ = new QCheckBox(tr("Show &all rows"), this);
  showAllBox_->setObjectName("showAll");
  connect(showAllBox_, &QCheckBox::toggled, this, &FindClasses::setShowAll);
  tableRow->addWidget(showAllBox_);
  layout->addLayout(tableRow);

  table_ = new QTreeWidget(this);
  table_->setObjectName("table");
  table_->setAccessibleName(tr("Races and classes, the best first"));
  table_->setRootIsDecorated(false);
  table_->setUniformRowHeights(true);
  table_->setAllColumnsShowFocus(true);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(table_, 1);

  auto* detail = new QLabel(this);
  detail->setObjectName("detail");
  detail->setWordWrap(true);
  detail->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  layout->addWidget(detail);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  planButton_ = new QPushButton(tr("&Plan This"), this);
  planButton_->setObjectName("planThis");
  planButton_->setToolTip(
      tr("A new plavet with this row's race and classes, and Skill Goals planning its skills"));
  planButton_->setEnabled(false);
  connect(planButton_, &QPushButton::clicked, this, &FindClasses::planThis);
  buttons->addWidget(planButton_);
  layout->addLayout(buttons);

  connect(table_, &QTreeWidget::currentItemChanged, this, [this, detail](QTreeWidgetItem* item) {
    planButton_->setEnabled(item != nullptr);
    detail->setText(item ? item->toolTip(RankColumn) : QString());
  });
  connect(table_, &QTreeWidget::itemActivated, this, &FindClasses::planThis);
  resize(900, 640);
}

QWidget* FindClasses::buildQuestion() {
  auto* box = new QGroupBox(tr("Skills wanted, in order"), this);
  auto* layout = new QHBoxLayout(box);

  auto* left = new QVBoxLayout;
  auto* typing = new QHBoxLayout;
  skillBox_ = new SelectionCombo(goals::skillNames(), names(goals::skillNames()), box);
  skillBox_->setObjectName("skill");
  skillBox_->setAccessibleName(tr("Skill to add"));
  auto* label = new QLabel(tr("S&kill:"), box);
  label->setBuddy(skillBox_);
  auto* add = new QPushButton(tr("A&dd"), box);
  typing->addWidget(label);
  typing->addWidget(skillBox_, 1);
  typing->addWidget(add);
  left->addLayout(typing);
  connect(skillBox_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    skillBox_->setWarning(fromUtf8(goals::skillWarning(text.toStdString())));
  });
  auto addTyped = [this] {
    if (addSkill(skillBox_->currentText())) skillBox_->setEditText(QString());
  };
  connect(skillBox_->lineEdit(), &QLineEdit::returnPressed, this, addTyped);
  connect(skillBox_, &QComboBox::activated, this, addTyped);
  connect(add, &QPushButton::clicked, this, addTyped);

  skills_ = new QListWidget(box);
  skills_->setObjectName("skills");
  skills_->setAccessibleName(tr("Skills wanted, in order"));
  left->addWidget(skills_);
  auto* order = new QHBoxLayout;
  for (auto [text, delta] : {std::pair{tr("Move &Up"), -1}, {tr("Move Do&wn"), 1}}) {
    auto* move = new QPushButton(text, box);
    connect(move, &QPushButton::clicked, this,
            [this, delta] { moveSkill(skills_->currentRow(), delta); });
    order->addWidget(move);
  }
  auto* remove = new QPushButton(tr("&Remove"), box);
  connect(remove, &QPushButton::clicked, this, [this] { removeSkill(skills_->currentRow()); });
  order->addWidget(remove);
  left->addLayout(order);
  layout->addLayout(left, 2);

  auto* form = new QFormLayout;
  for (auto [spin, text] : {std::pair{&magicBonus_, tr("&Magic clan-town boxes:")},
                            {&physicalBonus_, tr("P&hysical clan-town boxes:")}}) {
    *spin = new QSpinBox(box);
    (*spin)->setRange(0, 2);
    form->addRow(text, *spin);
    connect(*spin, &QSpinBox::valueChanged, this,
            [this] { setBonuses(magicBonus_->value(), physicalBonus_->value()); });
  }
  magicBonus_->setObjectName("magicBonus");
  physicalBonus_->setObjectName("physicalBonus");
  race_ = anyOf(sheet::listNames(sheet::Selection::Race), tr("Race"), box);
  firstClass_ = anyOf(skills::kClassNames, tr("First class"), box);
  secondClass_ = anyOf(skills::kClassNames, tr("Second class"), box);
  for (auto [combo, text, name] : {std::tuple{race_, tr("R&ace:"), "race"},
                                   {firstClass_, tr("&First class:"), "firstClass"},
                                   {secondClass_, tr("&Second class:"), "secondClass"}}) {
    combo->setObjectName(name);
    form->addRow(text, combo);
    connect(combo, &QComboBox::currentIndexChanged, this, [this] {
      question_.race = fixedName(race_);
      question_.firstClass = fixedName(firstClass_);
      question_.secondClass = fixedName(secondClass_);
      ask();
    });
  }
  layout->addLayout(form, 1);
  return box;
}

void FindClasses::open() {
  if (!advice_ && asked_ == 0) ask();  // the table with no skills yet: the points alone
  show();
  raise();
  activateWindow();
}

bool FindClasses::addSkill(const QString& typed) {
  const auto name = goals::skillNamed(typed.trimmed().toStdString());
  skillBox_->setWarning(fromUtf8(goals::skillWarning(typed.trimmed().toStdString())));
  if (!name) return false;
  if (std::find(question_.skills.begin(), question_.skills.end(), *name) == question_.skills.end())
    question_.skills.push_back(*name);
  showSkills();
  ask();
  return true;
}

void FindClasses::removeSkill(int index) {
  if (index < 0 || index >= int(question_.skills.size())) return;
  question_.skills.erase(question_.skills.begin() + index);
  showSkills();
  skills_->setCurrentRow(std::min(index, int(question_.skills.size()) - 1));
  ask();
}

void FindClasses::moveSkill(int index, int delta) {
  const int to = index + delta;
  auto& s = question_.skills;
  if (index < 0 || index >= int(s.size()) || to < 0 || to >= int(s.size())) return;
  std::swap(s[std::size_t(index)], s[std::size_t(to)]);
  showSkills();
  skills_->setCurrentRow(to);
  ask();
}

void FindClasses::setBonuses(int magic, int physical) {
  if (magic == question_.magicBonus && physical == question_.physicalBonus) return;
  question_.magicBonus = magic;
  question_.physicalBonus = physical;
  const QSignalBlocker quietMagic(magicBonus_), quietPhysical(physicalBonus_);
  magicBonus_->setValue(magic);
  physicalBonus_->setValue(physical);
  ask();
}

void FindClasses::fix(const QString& race, const QString& firstClass, const QString& secondClass) {
  for (auto [box, text] :
       {std::pair{race_, race}, {firstClass_, firstClass}, {secondClass_, secondClass}})
    box->setCurrentIndex(std::max(0, box->findText(text)));
}

void FindClasses::setShowAll(bool all) {
  if (all == showAll_) return;
  showAll_ = all;
  const QSignalBlocker quiet(showAllBox_);
  showAllBox_->setChecked(all);
  ask();
}

void FindClasses::showSkills() {
  skills_->clear();
  for (std::size_t i = 0; i < question_.skills.size(); ++i)
    skills_->addItem(QString("%1. %2").arg(i + 1).arg(fromUtf8(question_.skills[i])));
}

// A newer question stops the older at once; only the answer to the newest
// is shown.
void FindClasses::ask() {
  const int request = ++asked_;
  status_->setText(tr("Finding the best races and classes\u2026"));
  stopWorker();
  const std::size_t top = showAll_ ? goals::kAllRows : kTopRows;
  stop_ = std::make_unique<std::atomic<bool>>(false);
  worker_ = std::make_unique<std::thread>([this, q = question_, top, request, stop = stop_.get()] {
    auto advice = std::make_shared<goals::Advice>(goals::advise(q, top, stop));
    if (stop->load()) return;
    QMetaObject::invokeMethod(
        this, [this, request, advice] { showAnswer(request, std::move(*advice)); },
        Qt::QueuedConnection);
  });
}

void FindClasses::showAnswer(int request, goals::Advice advice) {
  if (request != asked_) return;  // a newer question is on its way
  advice_ = std::move(advice);
  shownFor_ = request;
  fillTable();
  const qsizetype all = qsizetype(advice_->combinations);
  status_->setText(advice_->rows.size() == advice_->combinations
                       ? tr("All %1 combinations, the best first").arg(all)
                       : tr("The best %1 of %2 combinations").arg(advice_->rows.size()).arg(all));
  emit answered();
}

void FindClasses::fillTable() {
  const goals::Advice& a = *advice_;
  QStringList heads = {tr("Rank"),         tr("Race"), tr("First class"),
                       tr("Second class"), tr("Kept"), tr("Points left")};
  for (std::string_view name : a.skills) heads << fromUtf8(name);
  table_->blockSignals(true);
  table_->clear();
  table_->setHeaderLabels(heads);
  for (std::size_t i = 0; i < a.rows.size(); ++i) {
    const goals::Suggestion& row = a.rows[i];
    QStringList cells = {QString::number(i + 1),
                         fromUtf8(row.race),
                         fromUtf8(row.firstClass),
                         fromUtf8(row.secondClass),
                         tr("%1 of %2").arg(row.kept.size()).arg(a.skills.size()),
                         QString::number(row.pointsLeft)};
    for (std::size_t j = 0; j < a.skills.size(); ++j) cells << fromUtf8(goals::givenBy(row, j));
    auto* item = new QTreeWidgetItem(table_, cells);
    const QString words = fromUtf8(goals::rowWords(a, row));
    const QString given = fromUtf8(goals::givenWords(a, row));
    for (int c = 0; c < cells.size(); ++c) {
      const bool named = c >= Named;
      const QString cell =
          named ? fromUtf8(goals::givenWords(a, row, std::size_t(c - Named))) : given;
      item->setToolTip(c, cell);
      item->setData(c, Qt::AccessibleTextRole, words + (named ? ". " + cell : QString()));
      if (named && cells[c] == "dropped") {
        QFont struck = item->font(c);
        struck.setStrikeOut(true);
        item->setFont(c, struck);
      }
    }
    item->setTextAlignment(PointsColumn, Qt::AlignRight | Qt::AlignVCenter);
  }
  table_->blockSignals(false);
  table_->setCurrentItem(table_->topLevelItemCount() > 0 ? table_->topLevelItem(0) : nullptr);
  planButton_->setEnabled(table_->currentItem() != nullptr);
}

void FindClasses::planThis() {
  QTreeWidgetItem* item = table_->currentItem();
  if (!item || !advice_ || !planThis_) return;
  const int at = table_->indexOfTopLevelItem(item);
  if (at < 0 || at >= int(advice_->rows.size())) return;
  planThis_(advice_->problem(advice_->rows[std::size_t(at)]));
}
