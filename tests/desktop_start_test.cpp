// The desktop program around its dialog: its command line, the Chapter list following its folder,
// and the status line of a hand-written file.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QtTest>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/start_options.h"
#include "app_test_support.h"

using namespace qorv::app;
using namespace qorv::test;

namespace {

const char* const kNames = "\"Arnhelm\", \"Brisa\", \"Corwen\", \"Dunmarra\"";

QComboBox* ChapterCombo(const TQorvDlgClient& dialog) {
  return qobject_cast<QComboBox*>(dialog.Control(kIdChapterCombo));
}

QStringList Titles(const TQorvDlgClient& dialog) {
  QStringList titles;
  for (int row = 0; row < ChapterCombo(dialog)->count(); ++row) {
    titles << ChapterCombo(dialog)->itemText(row);
  }
  return titles;
}

}  // namespace

class DesktopStartTest : public QObject {
  Q_OBJECT

 private slots:
  // Exit -1: the program runs, in `where` (folder and Chapter) when one is given.
  void commandLineOptions() {
    struct Case {
      std::vector<const char*> Arguments;
      int Exit;
      std::string Output;  // its start; the whole line when it is an error
      std::string Where;
    };
    const std::string here = QDir::currentPath().toStdString();
    const Case cases[] = {
        {{"--help"}, 0, "Usage: quorvane [--chapter-folder] [-iconic] [FILE.qrv]\n", ""},
        {{"--version"}, 0, "quorvane 2.1 (The Quorvane Lexicon)\n", ""},
        {{"--chapter-folder", "--bogus"},
         2,
         "quorvane: unknown option --bogus (quorvane --help lists the options)\n",
         ""},
        {{"-platform", "offscreen", "-style=fusion", "-iconic", "--chapter-folder"}, -1, "", ""},
        {{"/srv/names/coast.qrv"}, -1, "", "/srv/names coast.qrv"},
        {{"coast.qrv"}, -1, "", here + " coast.qrv"},
    };
    for (const Case& c : cases) {
      std::vector<const char*> argv{"quorvane"};
      argv.insert(argv.end(), c.Arguments.begin(), c.Arguments.end());
      const StartOptions options = ParseStartOptions(static_cast<int>(argv.size()), argv.data());
      QCOMPARE(options.Exit ? options.ExitCode : -1, c.Exit);
      QVERIFY2(options.Output.starts_with(c.Output), options.Output.c_str());
      if (c.Exit == 2) QCOMPARE(options.Output, c.Output);
      QCOMPARE(options.StartFolder.empty() ? "" : options.StartFolder + " " + options.StartChapter,
               c.Where);
    }
  }

  // Files added, changed in place and removed while the program runs: the list follows, and the
  // loaded Chapter, its history and the pick stay.
  void theChapterListFollowsItsFolder() {
    CurrentDirectory directory;
    directory.Write("alpha.qrv", ChapterBytes("Alpha", "", kNames));
    directory.Write("beta.qrv", ChapterBytes("Beta", "", kNames));
    const auto frame = NewMainWindow();
    TQorvDlgClient& dialog = *frame->Client();
    QVERIFY(dialog.PickChapterFile("alpha.qrv"));
    dialog.WaitForLoad();
    QVERIFY(dialog.Session().HasLoadedChapter());
    dialog.GenerateNext();
    dialog.GenerateNext();
    const qorv::TQorvChapter* loaded = dialog.Session().Chapter();
    const QString status = StatusText(dialog);

    directory.Write("gamma.qrv", ChapterBytes("Gamma", "", kNames));
    QTRY_COMPARE(Titles(dialog), (QStringList{"Alpha", "Beta", "Gamma"}));
    directory.Write("beta.qrv", ChapterBytes("Beta Two", "", kNames));
    QTRY_COMPARE(Titles(dialog), (QStringList{"Alpha", "Beta Two", "Gamma"}));
    QVERIFY(QFile::remove(directory.Path() + "/gamma.qrv"));
    QTRY_COMPARE(Titles(dialog), (QStringList{"Alpha", "Beta Two"}));
    QCOMPARE(ChapterCombo(dialog)->currentText(), QStringLiteral("Alpha"));
    QCOMPARE(dialog.Session().Chapter(), loaded);
    QCOMPARE(dialog.Session().HistoryCount(), 2);
    QCOMPARE(StatusText(dialog), status);
  }

  // A hand-written UTF-8 or LF-ended file: the load's failure stays, the status line says how to
  // make it a Chapter, and its UTF-8 title shows as written.
  void aHandWrittenFilePointsToTheConversion() {
    CurrentDirectory directory;
    // A dash (E2 80 94) is no letter of a name.
    directory.Write("towns.qrv", ChapterBytes("St\xC3\xA4"
                                              "dte",
                                              "", "\"Ulm\", \"Neu\xE2\x80\x94Ulm\""));
    const auto frame = NewMainWindow();
    TQorvDlgClient& dialog = *frame->Client();
    QCOMPARE(Titles(dialog), QStringList{QString::fromUtf8("St\xC3\xA4"
                                                           "dte")});
    QVERIFY(dialog.PickChapterFile("towns.qrv"));
    dialog.WaitForLoad();
    QCOMPARE(StatusText(dialog),
             QStringLiteral("towns.qrv looks like UTF-8 text (or has LF line ends): `qorv chapter "
                            "convert towns.qrv -o NEW.qrv` makes it a Chapter"));
  }
};

QORV_DESKTOP_TEST_MAIN(DesktopStartTest)

#include "desktop_start_test.moc"
