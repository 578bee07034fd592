// The Store buttons and history browsing of the desktop program, against the bytes of
// "STORED.txt" in a temporary current directory.
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "app/control_ids.h"
#include "app/glyph_button.h"
#include "app/qorv_application.h"
#include "app/text_codec.h"
#include "app_test_support.h"
#include "store/store_file.h"

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
    QTest::mouseClick(dialog_->Button(kIdStoreName), Qt::LeftButton);
    const QStringList lines = LinesAfterHeader(directory_->Read("STORED.txt"));
    QCOMPARE(directory_->Read("STORED.txt").substr(0, kH1.size()), kH1);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[1], kTitleLine);
    QCOMPARE(lines[2], FromCp1252(dialog_->Session().History().Newest(0)));
  }

  void viewButtonsOpenTheirFiles() {
    std::vector<std::string> opened;
    dialog_->SetFileViewer([&opened](const std::string& file) { opened.push_back(file); });
    QTest::mouseClick(dialog_->Button(kIdViewStore), Qt::LeftButton);
    QTest::mouseClick(dialog_->Button(kIdViewLog), Qt::LeftButton);
    QCOMPARE(opened, (std::vector<std::string>{"STORED.txt", "!qrv_log.txt"}));
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
