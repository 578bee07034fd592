// The desktop program around its dialog: its command line, the Chapter list following its folder,
// the status line of a folder without Chapters and of a hand-written file, and the menu start's
// samples.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QtTest>

#include "app/chapter_folder.h"
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
  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("exits");
    QTest::addColumn<int>("exit_code");
    QTest::addColumn<QString>("output_start");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("chapter");
    QTest::newRow("help") << QStringList{"--help"} << true << 0
                          << "Usage: quorvane [--chapter-folder] [-iconic] [FILE.qrv]\n"
                          << ""
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << true << 0
                             << "quorvane 2.1 (The Quorvane Lexicon)\n"
                             << ""
                             << "";
    QTest::newRow("unknown") << QStringList{"--chapter-folder", "--bogus"} << true << 2
                             << "quorvane: unknown option --bogus (quorvane --help lists the "
                                "options)\n"
                             << ""
                             << "";
    QTest::newRow("Qt's own options")
        << QStringList{"-platform", "offscreen", "-style=fusion", "-iconic", "--chapter-folder"}
        << false << 0 << ""
        << ""
        << "";
    QTest::newRow("a Chapter file") << QStringList{"/srv/names/coast.qrv"} << false << 0 << ""
                                    << "/srv/names"
                                    << "coast.qrv";
    QTest::newRow("a relative one")
        << QStringList{"coast.qrv"} << false << 0 << "" << QDir::currentPath() << "coast.qrv";
  }
  void commandLine() {
    QFETCH(QStringList, arguments);
    std::vector<std::string> texts{"quorvane"};
    for (const QString& argument : arguments) texts.push_back(argument.toStdString());
    std::vector<const char*> argv;
    for (const std::string& text : texts) argv.push_back(text.c_str());
    const StartOptions options = ParseStartOptions(static_cast<int>(argv.size()), argv.data());
    QTEST(options.Exit, "exits");
    QTEST(options.ExitCode, "exit_code");
    QFETCH(QString, output_start);
    QVERIFY2(QString::fromStdString(options.Output).startsWith(output_start),
             options.Output.c_str());
    QCOMPARE(QString::fromStdString(options.Output).count(QLatin1Char('\n')) == 1,
             options.ExitCode == 2 || options.Output.starts_with("quorvane 2"));
    QTEST(QString::fromStdString(options.StartFolder), "folder");
    QTEST(QString::fromStdString(options.StartChapter), "chapter");
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

  // The menu start's folder gets the samples whenever it holds no Chapter, and only then.
  void theChapterFolderGetsTheSamplesWhenItHoldsNoChapter() {
    CurrentDirectory directory;
    const QString samples = qEnvironmentVariable("QORV_SOURCE_DIR") + "/chapters";
    const QString folder = directory.Path() + "/data/quorvane";
    const int sample_count = QDir(samples).entryList({"*.qrv"}, QDir::Files).size();
    QString error;
    QVERIFY(QDir().mkpath(folder));  // made before, by a start without samples
    QVERIFY(PrepareChapterFolder(folder, samples, &error));
    QCOMPARE(QDir(folder).entryList({"*.qrv"}, QDir::Files).size(), sample_count);
    for (const QString& name : QDir(folder).entryList({"*.qrv"}, QDir::Files).mid(1)) {
      QVERIFY(QFile::remove(folder + "/" + name));
    }
    QVERIFY(PrepareChapterFolder(folder, samples, &error));
    QCOMPARE(QDir(folder).entryList({"*.qrv"}, QDir::Files).size(), 1);
  }
};

QORV_DESKTOP_TEST_MAIN(DesktopStartTest)

#include "desktop_start_test.moc"
