// The plavet's document on its own, without a window: sequences of what the
// user does to a plavet and to its file, and the modified state, the caption
// and the questions they leave.
#include <QTemporaryDir>
#include <QtTest>

#include "app/document.h"
#include "app/settings.h"

namespace {
struct Silent : sheet::MessageSink {
  void show(std::string_view, std::string_view) override {}
};
constexpr char kProgram[] = "Plavet Program v1.33";
}  // namespace

class DocumentTest : public QObject {
  Q_OBJECT

  Silent silent_;
  std::unique_ptr<sheet::Planner> planner_;
  std::unique_ptr<PlavetDocument> doc_;
  QTemporaryDir dir_;
  QString answer_, chosen_;  // what the user answers to "save?" and in a file dialog
  int asked_ = 0, told_ = 0;

  // A press of the user: a step of the history, as the window records it.
  void act(auto&& press) {
    const sheet::State before = planner_->state();
    press(*planner_);
    doc_->history().record("a press", before, planner_->state());
  }
  void run(const QString& step) {
    using enum sheet::Selection;
    if (step == "type")
      act([](sheet::Planner& p) { p.setSelectionText(Race, p.selectionText(Race) + "D"); });
    if (step == "start")
      act([](sheet::Planner& p) {
        p.setSelectionText(Race, "Dwarf");
        p.setSelectionText(FirstClass, "Artificer");
        p.setSelectionText(SecondClass, "Anti-Paladin");
        p.startReset();
      });
    if (step == "press")
      act([](sheet::Planner& p) {
        p.pressArrow(skills::Value::MFire, sheet::Direction::Raise, sheet::kRightButton);
      });
    if (step == "undo") planner_->restore(doc_->history().undo());
    if (step == "redo") planner_->restore(doc_->history().redo());
    if (step == "save") doc_->save();
    if (step == "open") doc_->open();
    if (step == "new") doc_->startNew(sheet::State{});
  }

 private slots:
  void init() {
    QStandardPaths::setTestModeEnabled(true);
    settings().remove(kRecentKey);
    planner_ = std::make_unique<sheet::Planner>(silent_);
    planner_->load();
    doc_ = std::make_unique<PlavetDocument>(
        [this]() -> const sheet::State& { return planner_->state(); });
    connect(doc_.get(), &PlavetDocument::replaced, this,
            [this](const sheet::State& s) { planner_->restore(s); });
    asked_ = told_ = 0;
    doc_->askToSave = [this] {
      ++asked_;
      return answer_ == "save"      ? PlavetDocument::Answer::Save
             : answer_ == "discard" ? PlavetDocument::Answer::Discard
                                    : PlavetDocument::Answer::Cancel;
    };
    doc_->chooseFile = [this](bool) {
      return chosen_.isEmpty() ? chosen_ : dir_.filePath(chosen_);
    };
    doc_->tell = [this](const QString&, const QString&) { ++told_; };
  }

  void sequences_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("chosen");  // the file picked in every dialog
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("needsSaving");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("told");
    QTest::addColumn<bool>("started");
    const QString a = QString("a.plavet[*] - ") + kProgram;
    // clang-format off
    auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("typed, never started") << "type" << "" << "" << kProgram << true << false << 0 << 0 << false;
    row("nothing to lose: no question") << "type new" << "" << "" << kProgram << false << false << 0 << 0 << false;
    row("cancel keeps the plavet") << "start new" << "cancel" << "" << kProgram << true << true << 1 << 0 << true;
    row("discard") << "start new" << "discard" << "" << kProgram << false << false << 1 << 0 << false;
    row("save, then new") << "start new" << "save" << "a.plavet" << kProgram << false << false << 1 << 0 << false;
    row("save with no file chosen cancels") << "start new" << "save" << "" << kProgram << true << true << 1 << 0 << true;
    row("a failed save cancels") << "start new" << "save" << "none/a.plavet" << kProgram << true << true << 1 << 1 << true;
    row("saved") << "start save" << "" << "a.plavet" << a << false << false << 0 << 0 << true;
    row("changed after saving") << "start save press" << "" << "a.plavet" << a << true << true << 0 << 0 << true;
    row("undone back to the file") << "start save press undo" << "" << "a.plavet" << a << false << false << 0 << 0 << true;
    row("undone past the file") << "start save undo" << "" << "a.plavet" << a << true << true << 0 << 0 << false;
    row("redone to the file") << "start save undo redo" << "" << "a.plavet" << a << false << false << 0 << 0 << true;
    row("a file counts unstarted changes") << "type save type" << "" << "a.plavet" << a << true << true << 0 << 0 << false;
    row("open cancelled") << "start save press open" << "cancel" << "a.plavet" << a << true << true << 1 << 0 << true;
    row("opened again") << "start save press open" << "discard" << "a.plavet" << a << false << false << 1 << 0 << true;
    // clang-format on
  }
  void sequences() {
    QFETCH(QString, steps);
    QFETCH(QString, answer);
    QFETCH(QString, chosen);
    answer_ = answer;
    chosen_ = chosen;
    for (const QString& step : steps.split(' ')) run(step);
    QTEST(doc_->caption(), "caption");
    QTEST(doc_->isModified(), "modified");
    QTEST(doc_->needsSaving(), "needsSaving");
    QTEST(asked_, "asked");
    QTEST(told_, "told");
    QTEST(planner_->started(), "started");
  }

  // The saved state is what the file holds, whatever the plavet became since.
  void theSavedStateIsTheFilesOwn() {
    QVERIFY(!doc_->savedState().state && doc_->savedState().reason.empty());  // no file yet
    run("start");
    const sheet::State saved = planner_->state();
    QVERIFY(doc_->saveFile(dir_.filePath("a.plavet")));
    run("press");
    QVERIFY(doc_->savedState().state == saved);
    QFile(doc_->path()).resize(3);
    QVERIFY(!doc_->savedState().state && !doc_->savedState().reason.empty());
  }

  // Newest first, each once, at most eight; files that are gone are dropped.
  void theRecentFiles() {
    run("start");
    for (int i = 0; i < 10; ++i)
      QVERIFY(doc_->saveFile(dir_.filePath(QString("%1.plavet").arg(i))));
    QVERIFY(doc_->openFile(dir_.filePath("5.plavet")));
    QFile::remove(dir_.filePath("8.plavet"));
    QStringList names;
    for (const QString& f : doc_->recentFiles()) names << QFileInfo(f).baseName();
    QCOMPARE(names, QStringList({"5", "9", "7", "6", "4", "3", "2"}));
  }
};

QTEST_GUILESS_MAIN(DocumentTest)
#include "document_test.moc"
