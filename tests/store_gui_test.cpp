// The Store buttons and history browsing of the desktop program, against the bytes of
// "STORED.txt" in a temporary current directory.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "app/control_ids.h"
#include "app/glyph_button.h"
#include "app/qorv_application.h"
#include "app/text_codec.h"
#include "app/text_viewer.h"
#include "app_test_support.h"
#include "store/store_file.h"
#include "tests/file_size_limit.h"

using namespace qorv::app;
using namespace qorv::test;

namespace {

const std::string kH1(qorv::kStoreHeader);
const std::string kH2(qorv::kClearedStoreMarker);

// The lines of the Store after its header, CR LF removed.
QStringList LinesAfterHeader(const std::string& store) {
  QStringList lines =
      FromCp1252(store.substr(std::min(store.size(), kH1.size()))).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

// Every title line is stamped by a fixed clock.
constexpr qorv::StoreDateTime kStamp{2026, 12, 8, 15, 5, 9};
const QString kTitleLine = QStringLiteral("[Coastal Villages - December 8, 2026 3:05:09 pm]");

}  // namespace

class StoreTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    directory_ = std::make_unique<CurrentDirectory>();
    directory_->CopySample("coastal_villages.qrv");
    frame_ = NewMainWindow();
    dialog_ = frame_->Client();
    dialog_->Session().SetStoreStamp([] { return kStamp; });
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    PickChapterAndWait(*dialog_, "Coastal Villages");
    QVERIFY(dialog_->Session().Chapter()->Loaded);
  }
  void cleanup() {
    frame_.reset();
    directory_.reset();
  }

  void storePageStoresFiftyNewNames() {
    QTest::mouseClick(dialog_->Button(kIdStorePage), Qt::LeftButton);
    const QStringList lines = LinesAfterHeader(directory_->Read("STORED.txt"));
    QCOMPARE(directory_->Read("STORED.txt").substr(0, kH1.size()), kH1);
    QCOMPARE(lines.size(), 52);
    QCOMPARE(lines[0], QString());
    QCOMPARE(lines[1], kTitleLine);
    QCOMPARE(dialog_->Session().HistoryCount(), 50);
    for (int i = 0; i < 50; ++i) {
      QCOMPARE(lines[2 + i], FromCp1252(dialog_->Session().History().Newest(49 - i)));
    }
    QCOMPARE(DisplayText(*dialog_), lines.back());
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Stored 50 names."));
    QVERIFY(dialog_->Control(kIdStoreName)->isEnabled());
    QVERIFY(dialog_->Control(kIdProgressGauge)->isHidden());
    QVERIFY(!dialog_->Control(kIdStatusLine)->isHidden());
    QVERIFY(dialog_->Session().TitleLineWritten());
  }

  void storePageReportsWhatItStoredWhenANameCannotBeFound() {
    int given = 0;
    dialog_->Session().SetAttempt([this, &given](const qorv::GenerationRequest&) {
      if (given == 3) return std::string();
      const std::string name = "Name" + std::to_string(++given);
      dialog_->Session().History().Add(name);
      return name;
    });
    qobject_cast<QLineEdit*>(dialog_->Control(kIdPageSize))->setText("10");
    QTest::mouseClick(dialog_->Button(kIdStorePage), Qt::LeftButton);
    const QStringList lines = LinesAfterHeader(directory_->Read("STORED.txt"));
    QCOMPARE(lines.mid(2), (QStringList{"Name1", "Name2", "Name3"}));
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Stored 3 names."));
    QCOMPARE(DisplayText(*dialog_), QStringLiteral("Name3"));
  }

  void storeNameAddsTheTitleLineOncePerChapterLoad() {
    Generate(2);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Pos: 2/2 Stored"));
    Generate(1);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    QStringList lines = LinesAfterHeader(directory_->Read("STORED.txt"));
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.mid(2), (QStringList{FromCp1252(dialog_->Session().History().Newest(1)),
                                        FromCp1252(dialog_->Session().History().Newest(0))}));
    // The same Chapter loaded again starts a new run with its own title line.
    PickChapterAndWait(*dialog_, "Coastal Villages");
    QVERIFY(!dialog_->Session().TitleLineWritten());
    Generate(1);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    lines = LinesAfterHeader(directory_->Read("STORED.txt"));
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[4], QString());
    QCOMPARE(lines[5], kTitleLine);
  }

  void storeNameAfterBrowsingBackStoresTheBrowsedName() {
    Generate(5);
    auto* bar = qobject_cast<QScrollBar*>(dialog_->Control(kIdHistoryScrollBar));
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 5);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->pageStep(), 1);
    // Dragging the thumb to the far left: the oldest name.
    bar->setSliderPosition(1);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Pos: 1/5"));
    QCOMPARE(DisplayText(*dialog_), FromCp1252(dialog_->Session().History().Newest(4)));
    QCOMPARE(dialog_->Session().HistoryIndex(), 4);
    // A line step to the right.
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Pos: 2/5"));
    const QString browsed = FromCp1252(dialog_->Session().History().Newest(3));
    QCOMPARE(DisplayText(*dialog_), browsed);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    QCOMPARE(LinesAfterHeader(directory_->Read("STORED.txt")).back(), browsed);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Pos: 2/5 Stored"));
  }

  void trailingLineFillsTheLineTo70Characters() {
    dialog_->Session().SetAttempt([this](const qorv::GenerationRequest&) {
      dialog_->Session().History().Add("Brisa");
      return std::string("Brisa");
    });
    QTest::mouseClick(dialog_->Control(kIdTrailingLine), Qt::LeftButton);
    Generate(1);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    const std::string store = directory_->Read("STORED.txt");
    const std::string expected = "Brisa " + std::string(64, '_') + "\r\n";
    QCOMPARE(store.substr(store.size() - expected.size()), expected);
  }

  void clearStoreMarksTheFileAndTheNextStoreStartsAgain() {
    std::string old = kH1 + "\r\n[Old - March 7, 1998 3:05:09 pm]\r\n";
    while (old.size() < 500) old += "Oldname\r\n";
    old.resize(500);
    directory_->Write("STORED.txt", old);
    Generate(1);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    QVERIFY(dialog_->Session().TitleLineWritten());
    const std::string before = directory_->Read("STORED.txt");
    QCOMPARE(before.substr(0, old.size()), old);
    QTest::mouseClick(dialog_->Button(kIdClearStore), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Store cleared"));
    QVERIFY(!dialog_->Session().TitleLineWritten());
    QCOMPARE(directory_->Read("STORED.txt"), kH2 + before.substr(kH2.size()));
    QCOMPARE(directory_->Read("STORED.bak"), before);  // one Clear can be undone by hand
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    const QStringList lines = LinesAfterHeader(directory_->Read("STORED.txt"));
    QCOMPARE(directory_->Read("STORED.txt").substr(0, kH1.size()), kH1);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[1], kTitleLine);
    QCOMPARE(lines[2], FromCp1252(dialog_->Session().History().Newest(0)));
  }

  // A foreign STORED.txt taken over by a store or by Clear Store is said so on the status line;
  // the backup it leaves behind moves to a numbered name, never overwritten.
  void takingOverAForeignFileIsShownOnTheStatusLine() {
    const QString kept = QStringLiteral("STORED.txt was not a Store: kept as STORED.bak");
    directory_->Write("STORED.txt", "My own notes\r\n");
    Generate(1);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_), kept);
    QCOMPARE(directory_->Read("STORED.bak"), std::string("My own notes\r\n"));
    QCOMPARE(LinesAfterHeader(directory_->Read("STORED.txt")).size(), 3);
    directory_->Write("STORED.txt", "Other notes\r\n");
    QTest::mouseClick(dialog_->Button(kIdClearStore), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_), kept);
    QCOMPARE(directory_->Read("STORED.bak"), std::string("Other notes\r\n"));
    QCOMPARE(directory_->Read("STORED.1.bak"), std::string("My own notes\r\n"));
    // A Store of ours is cleared as before.
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Pos: 1/1 Stored"));
    QTest::mouseClick(dialog_->Button(kIdClearStore), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Store cleared"));
  }

  void viewButtonsOpenTheirFiles() {
    std::vector<std::string> opened;
    dialog_->SetFileViewer([&opened](const std::string& file) { opened.push_back(file); });
    // Before the first name there is no log to view.
    QTest::mouseClick(dialog_->Button(kIdViewLog), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_),
             QStringLiteral("Cannot view !qrv_log.txt: No such file or directory"));
    QVERIFY(opened.empty());
    Generate(1);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    QTest::mouseClick(dialog_->Button(kIdViewStore), Qt::LeftButton);
    QTest::mouseClick(dialog_->Button(kIdViewLog), Qt::LeftButton);
    QCOMPARE(opened, (std::vector<std::string>{"STORED.txt", "!qrv_log.txt"}));
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Pos: 1/1 Stored"));
  }

  void withoutADesktopViewerTheFileIsShownInTheProgramsOwnWindow() {
    std::vector<QUrl> asked;
    bool desktop_works = false;
    dialog_->SetDesktopOpener([&](const QUrl& url) {
      asked.push_back(url);
      return desktop_works;
    });
    directory_->Write("STORED.txt", kH1 + "\r\n[Old - March 7, 1998 3:05:09 pm]\r\n\xC9la\r\n");
    const auto viewers = [this] { return frame_->findChildren<FileViewerWindow*>(); };
    QTest::mouseClick(dialog_->Button(kIdViewStore), Qt::LeftButton);
    QCOMPARE(asked.size(), std::size_t{1});
    QCOMPARE(asked[0].toLocalFile(), QDir(directory_->Path()).absoluteFilePath("STORED.txt"));
    QCOMPARE(viewers().size(), 1);
    FileViewerWindow* viewer = viewers().front();
    QVERIFY(viewer->isWindow() && viewer->isVisible() && viewer->isReadOnly());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("STORED.txt"));
    QCOMPARE(viewer->toPlainText(), FromCp1252(kH1 + "\n[Old - March 7, 1998 3:05:09 pm]\n\xC9la\n")
                                        .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // The same file again: the same window, read again.
    Generate(1);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    QTest::mouseClick(dialog_->Button(kIdViewStore), Qt::LeftButton);
    QCOMPARE(viewers().size(), 1);
    QVERIFY(viewer->toPlainText().endsWith(FromCp1252(dialog_->Session().ShownName()) + "\n"));
    // Another file: a window of its own.
    QTest::mouseClick(dialog_->Button(kIdViewLog), Qt::LeftButton);
    QCOMPARE(viewers().size(), 2);
    // A desktop that opens the file: no window of ours.
    desktop_works = true;
    viewer->close();
    QTest::mouseClick(dialog_->Button(kIdViewStore), Qt::LeftButton);
    QVERIFY(!viewer->isVisible());
    QCOMPARE(asked.size(), std::size_t{4});
  }

  // An unwritable Store is a directory named like it, which not even root can open as a file.
  void storeFailuresAreShownOnTheStatusLine() {
    Generate(1);
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    const std::string stored = directory_->Read("STORED.txt");
    // Clear Store cannot keep the Store: it stays as it is, and so does the run.
    QDir(directory_->Path()).mkdir("STORED.bak");
    QTest::mouseClick(dialog_->Button(kIdClearStore), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_), QStringLiteral("Store not cleared: STORED.bak: Is a directory"));
    QCOMPARE(directory_->Read("STORED.txt"), stored);
    QVERIFY(dialog_->Session().TitleLineWritten());

    QFile::remove(directory_->Path() + "/STORED.txt");
    QDir(directory_->Path()).mkdir("STORED.txt");
    const QString not_written = QStringLiteral("Store not written: STORED.txt: not a regular file");
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_), not_written);
    // A page makes no names for a Store that cannot be opened.
    QTest::mouseClick(dialog_->Button(kIdStorePage), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_), not_written);
    QCOMPARE(dialog_->Session().HistoryCount(), 1);
    QVERIFY(dialog_->Control(kIdProgressGauge)->isHidden());
    QVERIFY(!dialog_->Control(kIdStatusLine)->isHidden());
    QTest::mouseClick(dialog_->Button(kIdClearStore), Qt::LeftButton);
    QCOMPARE(StatusText(*dialog_),
             QStringLiteral("Store not cleared: STORED.txt: not a regular file"));
  }

  void aPageThatFailsHalfWaySaysHowManyNamesReachedTheFile() {
    int given = 0;
    dialog_->Session().SetAttempt([this, &given](const qorv::GenerationRequest&) {
      const std::string name = "Name" + std::to_string(++given);
      dialog_->Session().History().Add(name);
      return name;
    });
    qobject_cast<QLineEdit*>(dialog_->Control(kIdPageSize))->setText("10");
    const std::string three =
        kH1 + "\r\n" + kTitleLine.toStdString() + "\r\nName1\r\nName2\r\nName3\r\n";
    {
      const qorv::testing::FileSizeLimit limit(three.size() + 3);
      QTest::mouseClick(dialog_->Button(kIdStorePage), Qt::LeftButton);
    }
    const QString text = StatusText(*dialog_);
    QCOMPARE(text, QStringLiteral("3 of 10 stored: STORED.txt: File too large"));
    QCOMPARE(directory_->Read("STORED.txt"), three);
    // The fourth name was made, and is shown, but is not in the Store.
    QCOMPARE(DisplayText(*dialog_), QStringLiteral("Name4"));
    QVERIFY(dialog_->Control(kIdStoreName)->isEnabled());
    // The status line holds the whole text, and the longest of its kind.
    auto* status = qobject_cast<QLabel*>(dialog_->Control(kIdStatusLine));
    for (const QString& shown :
         {text, QStringLiteral("999 of 1000 stored: STORED.txt: No space left on device"),
          QStringLiteral("Store not cleared: STORED.bak: No space left on device"),
          QStringLiteral("Cannot view !qrv_log.txt: No such file or directory")}) {
      QVERIFY2(status->fontMetrics().horizontalAdvance(shown) <= status->contentsRect().width(),
               qPrintable(shown + ": " +
                          QString::number(status->fontMetrics().horizontalAdvance(shown)) + " > " +
                          QString::number(status->contentsRect().width())));
    }
  }

 private:
  void Generate(int count) {
    for (int i = 0; i < count; ++i) {
      QTest::mouseClick(dialog_->Button(kIdGenerateNext), Qt::LeftButton);
    }
  }

  std::unique_ptr<CurrentDirectory> directory_;
  std::unique_ptr<TSDIDecFrame> frame_;
  TQorvDlgClient* dialog_ = nullptr;
};

QORV_DESKTOP_TEST_MAIN(StoreTest)

#include "store_gui_test.moc"
