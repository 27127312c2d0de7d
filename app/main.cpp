#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/identity.h"
#include "app/plavetwindow.h"
#include "cli/cli.h"
#include "store/code.h"

namespace {

// The command line: `plavet [FILE]`, with --help and --version.
void describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QCoreApplication::translate("main",
                                  "Plans how a level-60 mud character spends its "
                                  "element points.\n`plavet plan --help` tells how to "
                                  "plan for the skills you want without a window."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(
      "file",
      QCoreApplication::translate("main",
                                  "A plavet file to open, a text file holding a plavet "
                                  "code, or a plavet code or a link to one itself."),
      "[FILE]");
}

bool asksForHelpOrVersion(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i)
    for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
      if (std::strcmp(argv[i], option) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (cli::isCommand(argc, argv)) return cli::run(argc, argv);  // no window, no display
  QCoreApplication::setApplicationVersion(PLAVET_VERSION);
  // Help and version are printed without a display.
  if (asksForHelpOrVersion(argc, argv)) {
    QCoreApplication text(argc, argv);
    QCommandLineParser parser;
    describe(parser);
    parser.process(text);  // prints and ends the program
  }

  QApplication app(argc, argv);
  introduceToDesktop();
  QCommandLineParser parser;
  describe(parser);
  parser.process(app);  // after QApplication has taken its own options
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    std::fputs("plavet: give at most one file to open\n", stderr);
    return 2;
  }

  PlavetWindow window;
  window.show();
  // Opened once the window shows, so that a refusal's box stands over it.
  if (!files.isEmpty())
    QTimer::singleShot(0, &window, [&] {
      // A code or a link is no file; a file that happens to hold "plavet1-"
      // in its name still opens as the file it is.
      const QString given = files.first();
      if (!QFileInfo::exists(given) && store::findCode(given.toStdString()))
        window.openCode(given);
      else
        window.openFile(given);
    });
  return QApplication::exec();  // ends when the last window closes
}
