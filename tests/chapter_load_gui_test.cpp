// The Chapter list, loading on the background thread, and the generate command, in a temporary
// current directory holding sample and broken Chapters.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QtTest>

#include "app/control_ids.h"
#include "app/glyph_button.h"
#include "app/qorv_application.h"
#include "app/text_codec.h"
#include "app_test_support.h"
#include "chapter/chapter_title.h"
#include "chapter/loader.h"
#include "deny/deny_fold.h"

using namespace qorv::app;
using namespace qorv::test;

namespace {

QStringList ComboTexts(const TQorvDlgClient& dialog, int id) {
  auto* combo = qobject_cast<QComboBox*>(dialog.Control(id));
  QStringList texts;
  for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  return texts;
}

const char* const kTwoNames = "\"Arnhelm\", \"Brisa\", \"Corwen\", \"Dunmarra\"";

}  // namespace

class ChapterLoadTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    directory_ = std::make_unique<CurrentDirectory>();
    for (const char* sample : {"coastal_villages.qrv", "old_empire.qrv", "birchwood_marches.qrv",
                               "towns_of_the_realm.qrv"}) {
      directory_->CopySample(sample);
    }
    directory_->Write("untitled.qrv", "LINE1 \"x\";\r\nNAMES \"Ann\", \"Bo\";\r\n");
    directory_->Write("nameless.qrv", "TITLE \"No Names Here\";\r\n");
    directory_->Write("unterminated.qrv", "TITLE \"Open Quote\r\nNAMES Ann, Bo\r\n");
    directory_->Write(".hidden.qrv", ChapterBytes("Hidden", "", kTwoNames));
    directory_->Write("notes.txt", ChapterBytes("Not A Chapter File", "", kTwoNames));
    QDir(directory_->Path()).mkdir("folder.qrv");
    std::string broken = ChapterBytes("Broken Line", "", kTwoNames);
    broken.replace(broken.find("LINE1"), 5, "LIME1");
    directory_->Write("broken_line.qrv", broken);
    directory_->Write("fit3.qrv", ChapterBytes("Fit Three", "FIT:3 VAL:1 STRUCTGEN", kTwoNames));
    directory_->Write("fit7.qrv", ChapterBytes("Fit Seven", "FIT:7 VAL:9", kTwoNames));
    directory_->Write("twin_a.qrv", ChapterBytes("Twins", "", "\"Anna\", \"Bodil\", \"Cara\""));
    directory_->Write("twin_b.qrv", ChapterBytes("Twins", "", "\"Xeno\", \"Yrsa\", \"Zola\""));
    frame_ = NewMainWindow();
    dialog_ = frame_->Client();
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
  }
  void cleanup() {
    frame_.reset();
    directory_.reset();
  }

  void listHoldsTheTitlesSorted() {
    QCOMPARE(ComboTexts(*dialog_, kIdChapterCombo),
             (QStringList{"Birchwood Marches", "Broken Line", "Coastal Villages", "Fit Seven",
                          "Fit Three", "Roads of the Old Empire", "Towns of the Realm",
                          "Twins (twin_a.qrv)", "Twins (twin_b.qrv)"}));
    QCOMPARE(dialog_->ChapterList().size(), std::size_t{9});
    QCOMPARE(qobject_cast<QComboBox*>(dialog_->Control(kIdChapterCombo))->currentIndex(), -1);
    for (const qorv::ChapterListEntry& entry : dialog_->ChapterList()) {
      QCOMPARE(entry.NameCount, qorv::ReadChapterTitleFile(entry.FileName).NameCount);
    }
  }

  void duplicateTitlesLoadThePickedFile() {
    // The Store's title line keeps the Chapter's own title.
    dialog_->Session().SetStoreStamp([] { return qorv::StoreDateTime{2026, 1, 2, 3, 4, 5}; });
    for (const char* file : {"twin_b.qrv", "twin_a.qrv"}) {
      PickChapterAndWait(*dialog_, QStringLiteral("Twins (%1)").arg(QLatin1String(file)));
      QCOMPARE(dialog_->SelectedChapterFile(), std::string(file));
      QVERIFY(dialog_->Session().Chapter()->Loaded);
      QCOMPARE(dialog_->Session().Chapter()->InitialLetters,
               std::string(file == std::string("twin_a.qrv") ? "ABC" : "XYZ"));
      QTest::mouseClick(dialog_->Button(kIdGenerateNext), Qt::LeftButton);
      QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    }
    const QString store = FromCp1252(directory_->Read("STORED.txt"));
    QCOMPARE(store.count(QStringLiteral("\r\n[Twins - January 2, 2026 3:04:05 am]\r\n")), 2);
    QVERIFY(!store.contains(QStringLiteral("(twin_")));
  }

  void aLoadDisablesTheChapterControlsUntilItEnds() {
    int calls = 0;
    dialog_->Session().SetAttempt([&calls](const qorv::GenerationRequest&) {
      ++calls;
      return std::string("Never");
    });
    PickChapter(*dialog_, "Towns of the Realm");
    // The thread waits for this thread at its first request: the loading state holds here.
    QVERIFY(dialog_->LoadingChapter());
    QCOMPARE(dialog_->Session().Chapter(), nullptr);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Reading Chapter"));
    QCOMPARE(DisplayText(*dialog_), QStringLiteral(" "));
    for (int id : {kIdGenerateNext, kIdStoreName, kIdStorePage, kIdChapterCombo}) {
      QVERIFY(!dialog_->Control(id)->isEnabled());
    }
    QVERIFY(dialog_->Control(kIdViewLog)->isHidden());
    QTest::keyClick(dialog_, Qt::Key_Return);
    QCOMPARE(calls, 0);
    MoveMouseOver(dialog_->Control(kIdHelp));
    QCOMPARE(HintText(*dialog_), QString());
    dialog_->WaitForLoad();
    QVERIFY(!dialog_->LoadingChapter());
  }

  void aSuccessfulLoadShowsTheChapter() {
    PickChapterAndWait(*dialog_, "Coastal Villages");
    qorv::PlainChapterClient client;
    qorv::TQorvChapter expected;
    qorv::LoadChapter(expected, "coastal_villages.qrv",
                      qorv::EstimateNameCount("coastal_villages.qrv"), client);
    QVERIFY(expected.Loaded);
    const qorv::TQorvChapter* chapter = dialog_->Session().Chapter();
    QVERIFY(chapter != nullptr && chapter->Loaded);
    QCOMPARE(DisplayText(*dialog_), QString::fromStdString(expected.Title + "\n" + expected.Line1 +
                                                           "\n" + expected.Line2));
    QCOMPARE(dialog_->Control(kIdNameDisplay)->font(), dialog_->Fonts().Message);
    QCOMPARE(StatusText(*dialog_),
             QString("%1 names, %2 elements.")
                 .arg(expected.NameCount)
                 .arg(expected.VowelElementCount + expected.ConsonantElementCount));
    QStringList letters = ComboTexts(*dialog_, kIdInitialLetter);
    QCOMPARE(letters.front(), QStringLiteral("*"));
    QCOMPARE(letters.size(), static_cast<qsizetype>(expected.InitialLetters.size() + 1));
    QCOMPARE(qobject_cast<QComboBox*>(dialog_->Control(kIdInitialLetter))->currentText(),
             QStringLiteral("*"));
    for (int id : {kIdGenerateNext, kIdStorePage, kIdChapterCombo}) {
      QVERIFY(dialog_->Control(id)->isEnabled());
    }
    QVERIFY(!dialog_->Control(kIdStoreName)->isEnabled());
    QVERIFY(!dialog_->Control(kIdViewLog)->isHidden());
    QVERIFY(dialog_->Control(kIdProgressGauge)->isHidden());
    QVERIFY(!dialog_->Control(kIdStatusLine)->isHidden());
    QVERIFY(!dialog_->LoadingChapter());
    // Its GENOPT: STRUCTGEN STATGEN PREFIX FIT:2 VAL:1.
    QVERIFY(dialog_->IsChecked(kIdLevel2) && dialog_->IsChecked(kIdValidation1));
    QVERIFY(dialog_->IsChecked(kIdStructural) && dialog_->IsChecked(kIdStatistical) &&
            dialog_->IsChecked(kIdPrefixes) && !dialog_->IsChecked(kIdSuffixes));
    // Hints are live again, View Log among them.
    MoveMouseOver(dialog_->Control(kIdViewLog));
    QCOMPARE(HintText(*dialog_), QStringLiteral("View Log"));
  }

  void aFailedLoadShowsItsCauseAndFreezesTheHints() {
    PickChapterAndWait(*dialog_, "Broken Line");
    QVERIFY(!dialog_->Session().Chapter()->Loaded);
    QCOMPARE(DisplayText(*dialog_),
             QStringLiteral("FAILURE\nAttempt to open Chapter failed.\nCause: Invalid or missing "
                            "LINE1 tag"));
    QCOMPARE(StatusText(*dialog_), QStringLiteral("No Chapter"));
    auto* combo = qobject_cast<QComboBox*>(dialog_->Control(kIdChapterCombo));
    QCOMPARE(combo->currentIndex(), -1);
    QVERIFY(combo->isEnabled());
    QCOMPARE(QApplication::focusWidget(), combo);
    for (int id : {kIdGenerateNext, kIdStoreName, kIdStorePage}) {
      QVERIFY(!dialog_->Control(id)->isEnabled());
    }
    QVERIFY(dialog_->Control(kIdViewLog)->isHidden());
    QVERIFY(dialog_->Control(kIdProgressGauge)->isHidden());
    QVERIFY(dialog_->LoadingChapter());
    MoveMouseOver(dialog_->Control(kIdHelp));
    QCOMPARE(HintText(*dialog_), QString());
    int calls = 0;
    dialog_->Session().SetAttempt([&calls](const qorv::GenerationRequest&) {
      ++calls;
      return std::string("Never");
    });
    QTest::keyClick(dialog_, Qt::Key_Return);
    QCOMPARE(calls, 0);
    // Scrolling the history shows nothing of the failed Chapter.
    qobject_cast<QScrollBar*>(dialog_->Control(kIdHistoryScrollBar))
        ->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QVERIFY(DisplayText(*dialog_).startsWith("FAILURE"));

    // A listed file that has gone since the scan.
    QFile::remove("coastal_villages.qrv");
    PickChapterAndWait(*dialog_, "Coastal Villages");
    QCOMPARE(DisplayText(*dialog_),
             QStringLiteral("FAILURE\nAttempt to open Chapter failed.\nCause: Couldn't open file"));
    // A good Chapter afterwards unfreezes the hints.
    PickChapterAndWait(*dialog_, "Fit Three");
    MoveMouseOver(dialog_->Control(kIdHelp));
    QCOMPARE(HintText(*dialog_), QStringLiteral("Help"));
  }

  void automaticOptionsFollowTheChapterOnlyWhileChecked() {
    PickChapterAndWait(*dialog_, "Fit Three");
    QVERIFY(dialog_->IsChecked(kIdLevel3) && dialog_->IsChecked(kIdValidation1));
    QVERIFY(dialog_->IsChecked(kIdStructural));
    for (int id : {kIdStatistical, kIdPrefixes, kIdSuffixes}) QVERIFY(!dialog_->IsChecked(id));

    // Unchecked: the user's settings stay, the letter list is rebuilt and set back to "*".
    QTest::mouseClick(dialog_->Control(kIdAutomaticOptions), Qt::LeftButton);
    QVERIFY(!dialog_->IsChecked(kIdAutomaticOptions));
    QTest::mouseClick(dialog_->Control(kIdLevel1), Qt::LeftButton);
    QTest::mouseClick(dialog_->Control(kIdSuffixes), Qt::LeftButton);
    auto* letters = qobject_cast<QComboBox*>(dialog_->Control(kIdInitialLetter));
    letters->setCurrentIndex(letters->findText("B"));
    PickChapterAndWait(*dialog_, "Twins (twin_a.qrv)");
    QVERIFY(dialog_->IsChecked(kIdLevel1) && dialog_->IsChecked(kIdValidation1));
    QVERIFY(dialog_->IsChecked(kIdStructural) && dialog_->IsChecked(kIdSuffixes));
    QCOMPARE(ComboTexts(*dialog_, kIdInitialLetter), (QStringList{"*", "A", "B", "C"}));
    QCOMPARE(letters->currentText(), QStringLiteral("*"));
  }

  void aLevelOutOfRangeGeneratesAtLevelZero() {
    PickChapterAndWait(*dialog_, "Fit Seven");
    for (int id = kIdLevel0; id <= kIdLevel3; ++id) QVERIFY(!dialog_->IsChecked(id));
    qorv::GenerationRequest seen;
    dialog_->Session().SetAttempt([this, &seen](const qorv::GenerationRequest& request) {
      seen = request;
      dialog_->Session().History().Add("Anbo");
      return std::string("Anbo");
    });
    QTest::mouseClick(dialog_->Button(kIdGenerateNext), Qt::LeftButton);
    QCOMPARE(seen.GenerationLevel, 0);
    QCOMPARE(seen.ValidationLevel, 0);
    QCOMPARE(seen.InitialLetter, '*');
    QCOMPARE(seen.Chapter, dialog_->Session().Chapter());
    QCOMPARE(DisplayText(*dialog_), QStringLiteral("Anbo"));
  }

  void generatedNamesFillTheHistory() {
    PickChapterAndWait(*dialog_, "Coastal Villages");
    auto* bar = qobject_cast<QScrollBar*>(dialog_->Control(kIdHistoryScrollBar));
    for (int i = 1; i <= 3; ++i) QTest::keyClick(dialog_, Qt::Key_Return);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Pos: 3/3"));
    QCOMPARE(bar->maximum(), 3);
    QCOMPARE(bar->value(), 3);
    QVERIFY(dialog_->Control(kIdStoreName)->isEnabled());
    QCOMPARE(DisplayText(*dialog_), FromCp1252(dialog_->Session().History().Newest(0)));
    const QFont expected = dialog_->Session().History().Newest(0).size() < 19
                               ? dialog_->Fonts().NameLarge
                               : dialog_->Fonts().NameMedium;
    QCOMPARE(dialog_->Control(kIdNameDisplay)->font(), expected);
    for (int i = 4; i <= 120; ++i)
      QTest::mouseClick(dialog_->Button(kIdGenerateNext), Qt::LeftButton);
    QCOMPARE(dialog_->Session().HistoryCount(), 100);
    QCOMPARE(dialog_->Session().HistoryIndex(), 0);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Pos: 100/100"));
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 100);
    // A new load starts the history again.
    PickChapterAndWait(*dialog_, "Coastal Villages");
    QCOMPARE(dialog_->Session().HistoryCount(), 0);
    QCOMPARE(bar->maximum(), 1);
    QVERIFY(!dialog_->Control(kIdStoreName)->isEnabled());
  }

  // "deny.txt" beside the Chapters keeps its words out of every name, from the next load on.
  void aDenyListBesideTheChaptersKeepsItsWordsOut() {
    const auto names_holding_an = [this] {
      PickChapterAndWait(*dialog_, "Coastal Villages");
      for (int i = 0; i < 60; ++i) QTest::keyClick(dialog_, Qt::Key_Return);
      int holding = 0;
      for (int i = 0; i < dialog_->Session().HistoryCount(); ++i) {
        const std::string& name = dialog_->Session().History().Newest(i);
        holding += qorv::DenyFold(name).find("an") != std::string::npos ? 1 : 0;
      }
      return dialog_->Session().HistoryCount() == 60 ? holding : -1;
    };
    QVERIFY(names_holding_an() > 0);
    directory_->Write("deny.txt", "two words\nAN\n");
    QCOMPARE(names_holding_an(), 0);
    QCOMPARE(dialog_->DenyList().Words().size(), std::size_t{1});
  }

  void generatingIsShownOnceTheSixthCallHasReturned_data() {
    QTest::addColumn<int>("calls_needed");
    QTest::addColumn<bool>("shown_before_last");
    QTest::newRow("five calls") << 5 << false;
    QTest::newRow("six calls") << 6 << false;
    QTest::newRow("seven calls") << 7 << true;
  }
  void generatingIsShownOnceTheSixthCallHasReturned() {
    QFETCH(int, calls_needed);
    QFETCH(bool, shown_before_last);
    PickChapterAndWait(*dialog_, "Coastal Villages");
    int calls = 0;
    QStringList status_at_call;
    dialog_->Session().SetAttempt([&](const qorv::GenerationRequest&) {
      status_at_call << StatusText(*dialog_);
      if (++calls < calls_needed) return std::string();
      dialog_->Session().History().Add("Corwen");
      return std::string("Corwen");
    });
    QTest::mouseClick(dialog_->Button(kIdGenerateNext), Qt::LeftButton);
    QCOMPARE(calls, calls_needed);
    QCOMPARE(status_at_call.count("Generating"), shown_before_last ? 1 : 0);
    if (shown_before_last) QCOMPARE(status_at_call.back(), QStringLiteral("Generating"));
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Pos: 1/1"));
  }

  void aNameThatCannotBeFoundStopsTheCommand() {
    PickChapterAndWait(*dialog_, "Coastal Villages");
    int calls = 0;
    dialog_->Session().SetAttempt([&calls](const qorv::GenerationRequest&) {
      ++calls;
      return std::string();
    });
    const QString shown = DisplayText(*dialog_);
    QTest::mouseClick(dialog_->Button(kIdGenerateNext), Qt::LeftButton);
    QCOMPARE(calls, 20000);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("No new name found"));
    QCOMPARE(DisplayText(*dialog_), shown);
    QCOMPARE(dialog_->Session().Request().NewRequest, std::uint8_t{1});
    QCOMPARE(dialog_->Session().HistoryCount(), 0);
    QVERIFY(!dialog_->Control(kIdStoreName)->isEnabled());
  }

  void closingDuringALoadWaitsForTheThread() {
    PickChapter(*dialog_, "Towns of the Realm");
    QVERIFY(dialog_->LoadRunning());
    QVERIFY(frame_->close());
    QVERIFY(!dialog_->LoadRunning());
    QVERIFY(dialog_->Session().Chapter() != nullptr && dialog_->Session().Chapter()->Loaded);
  }

  void destroyingDuringALoadWaitsForTheThread() {
    PickChapter(*dialog_, "Towns of the Realm");
    QVERIFY(dialog_->LoadRunning());
    frame_.reset();  // returns only once the thread has ended
    QVERIFY(frame_ == nullptr);
  }

  void anEmptyDirectoryLeavesGenerationUnavailable() {
    CurrentDirectory empty;
    const auto frame = NewMainWindow();
    QCOMPARE(qobject_cast<QComboBox*>(frame->Client()->Control(kIdChapterCombo))->count(), 0);
    QCOMPARE(StatusText(*frame->Client()),
             QStringLiteral("No Chapter: Chapter files (*.qrv) belong in ") +
                 QDir::toNativeSeparators(QDir::currentPath()));
    QVERIFY(!frame->Client()->Control(kIdGenerateNext)->isEnabled());
  }

 private:
  std::unique_ptr<CurrentDirectory> directory_;
  std::unique_ptr<TSDIDecFrame> frame_;
  TQorvDlgClient* dialog_ = nullptr;
};

QORV_DESKTOP_TEST_MAIN(ChapterLoadTest)

#include "chapter_load_gui_test.moc"
