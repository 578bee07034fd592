// The main window and the client dialog before any Chapter is loaded: the start-up state, the
// template, the option area, the keyboard, the Page Size field, hints and the name display.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>
#include <set>

#include "app/command_table.h"
#include "app/control_ids.h"
#include "app/dialog_fonts.h"
#include "app/dialog_template.h"
#include "app/glyph_button.h"
#include "app/help_viewer.h"
#include "app/qorv_application.h"
#include "app/resource_files.h"
#include "app/show_command.h"
#include "app_test_support.h"

using namespace qorv::app;
using namespace qorv::test;

namespace {

QImage Image(const QPixmap& pixmap) {
  return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

class ClientDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    directory_ = std::make_unique<CurrentDirectory>();
    frame_ = NewMainWindow();
    dialog_ = frame_->Client();
    frame_->move(40, 30);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
  }
  void cleanup() {
    frame_.reset();
    directory_.reset();
  }

  void startUpState() {
    QCOMPARE(frame_->windowTitle(), QStringLiteral("The Quorvane Lexicon"));
    for (int id : {kIdLevel0, kIdValidation0, kIdAutomaticOptions}) QVERIFY(dialog_->IsChecked(id));
    for (int id : {kIdLevel1, kIdLevel2, kIdLevel3, kIdValidation1, kIdValidation2, kIdStructural,
                   kIdStatistical, kIdPrefixes, kIdSuffixes, kIdTrailingLine}) {
      QVERIFY2(!dialog_->IsChecked(id), qPrintable(QString::number(id)));
    }
    QCOMPARE(qobject_cast<QLineEdit*>(dialog_->Control(kIdPageSize))->text(), QStringLiteral("50"));
    QCOMPARE(DisplayText(*dialog_), QStringLiteral("The Quorvane Lexicon v2.1"));
    QCOMPARE(dialog_->Control(kIdNameDisplay)->font(), dialog_->Fonts().Message);
    // The folder holds no Chapter: the status line says where they belong.
    QCOMPARE(StatusText(*dialog_), QStringLiteral("No Chapter: Chapter files (*.qrv) belong in ") +
                                       QDir::toNativeSeparators(QDir::currentPath()));
    QVERIFY(dialog_->Control(kIdViewLog)->isHidden());
    QVERIFY(dialog_->Control(kIdProgressGauge)->isHidden());
    QVERIFY(!dialog_->OptionsShown());
    QVERIFY(!dialog_->LoadingChapter());
    QCOMPARE(dialog_->Session().Chapter(), nullptr);
    auto* bar = qobject_cast<QScrollBar*>(dialog_->Control(kIdHistoryScrollBar));
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 1);
    QCOMPARE(bar->pageStep(), 1);
    // The gauge sits exactly over the status line.
    QCOMPARE(dialog_->Control(kIdProgressGauge)->geometry(),
             dialog_->Control(kIdStatusLine)->geometry());

    // Disabled buttons show their own disabled glyphs.
    const std::pair<int, int> disabled[] = {{kIdGenerateNext, kGlyphGenerateNextDisabled},
                                            {kIdStoreName, kGlyphStoreNameDisabled},
                                            {kIdStorePage, kGlyphStorePageDisabled}};
    for (const auto& [id, glyph] : disabled) {
      TGlyphButton* button = dialog_->Button(id);
      QVERIFY(!button->isEnabled());
      QCOMPARE(button->DisabledGlyphId(), glyph);
      QCOMPARE(Image(button->ShownGlyph()), Image(GlyphBitmap(glyph)));
    }
    const std::pair<int, int> enabled[] = {{kIdClearStore, kGlyphClearStore},
                                           {kIdViewStore, kGlyphViewStore},
                                           {kIdHelp, kGlyphHelp},
                                           {kIdOptions, kGlyphOptionsHidden},
                                           {kIdViewLog, kGlyphViewLog}};
    for (const auto& [id, glyph] : enabled) {
      TGlyphButton* button = dialog_->Button(id);
      QVERIFY(button->isEnabled());
      QCOMPARE(button->GlyphId(), glyph);
      QCOMPARE(button->iconSize(), GlyphBitmap(glyph).size());
    }
  }

  void templateHoldsEveryControlOfTheDialog() {
    const std::set<int> expected = {101, 102, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114,
                                    115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126,
                                    127, 133, 134, 141, 142, 144, 145, 146, 147, 148};
    std::set<int> ids;
    for (const ControlTemplate& control : ClientDialogTemplate().Controls) {
      if (control.Id == kNoControlId) continue;
      QVERIFY2(ids.insert(control.Id).second, "an id occurs twice");
      QVERIFY2(dialog_->Control(control.Id) != nullptr, "a control was not created");
    }
    QCOMPARE(ids, expected);
    for (const Command& command : CommandTable()) {
      if (command.ControlId == kIdDefaultCommand || command.ControlId == kIdCancel) continue;
      QVERIFY(FindControlTemplate(command.ControlId) != nullptr);
    }
    // Tab stops, in template order.
    std::vector<int> tab_stops;
    for (const ControlTemplate& control : ClientDialogTemplate().Controls) {
      if (control.Style & kTabStop) tab_stops.push_back(control.Id);
    }
    QCOMPARE(tab_stops, (std::vector<int>{kIdChapterCombo, kIdHistoryScrollBar, kIdPageSize,
                                          kIdTrailingLine}));
    for (int id : tab_stops) QCOMPARE(dialog_->Control(id)->focusPolicy(), Qt::StrongFocus);
  }

  void dialogUnitsConvertEachEdge() {
    const DialogBaseUnits units{6, 13};
    // The Chapter combo box: 41, 6, 99, 86.
    QCOMPARE(DialogToPixels(41, 6, 99, 86, units), QRect(62, 10, 148, 140));
    // The whole collapsed template.
    QCOMPARE(DialogToPixels(0, 0, 230, 114, units), QRect(0, 0, 345, 185));
    // Controls are placed by the base units of the dialog font.
    const DialogBaseUnits dialog_units = dialog_->BaseUnits();
    QVERIFY(dialog_units.Width > 0 && dialog_units.Height > 0);
    QCOMPARE(dialog_->Control(kIdNameDisplay)->geometry(),
             DialogToPixels(15, 36, 197, 26, dialog_units));
    QCOMPARE(dialog_->Control(kIdOptionAreaMarker)->geometry(),
             DialogToPixels(222, 119, 9, 12, dialog_units));
  }

  void fontsAreMappedToInstalledTwins() {
    QCOMPARE(InstalledFace("Times New Roman"), QStringLiteral("Liberation Serif"));
    QCOMPARE(InstalledFace("Courier New"), QStringLiteral("Liberation Mono"));
    QCOMPARE(InstalledFace("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    const DialogFonts& fonts = dialog_->Fonts();
    QVERIFY(fonts.NameLarge.italic() && fonts.NameMedium.italic());
    QVERIFY(!fonts.Message.italic() && !fonts.LetterList.italic());
    QVERIFY(qAbs(QFontMetrics(fonts.NameLarge).height() - 36) <= 1);
    QVERIFY(qAbs(QFontMetrics(fonts.NameMedium).height() - 24) <= 1);
    QVERIFY(qAbs(QFontMetrics(fonts.LetterList).height() - 15) <= 1);
    QCOMPARE(dialog_->Control(kIdInitialLetter)->font(), fonts.LetterList);
  }

  // Narrow letters, so that both fit the display in their font (a wider name shrinks).
  void nameStyleTakesTheSmallerFontFrom19Characters() {
    dialog_->ShowInDisplay(std::string(18, 'l'), TQorvDlgClient::DisplayStyle::kName);
    QCOMPARE(dialog_->Control(kIdNameDisplay)->font(), dialog_->Fonts().NameLarge);
    dialog_->ShowInDisplay(std::string(19, 'l'), TQorvDlgClient::DisplayStyle::kName);
    QCOMPARE(dialog_->Control(kIdNameDisplay)->font(), dialog_->Fonts().NameMedium);
    dialog_->ShowInDisplay(std::string(19, 'A'), TQorvDlgClient::DisplayStyle::kMessage);
    QCOMPARE(dialog_->Control(kIdNameDisplay)->font(), dialog_->Fonts().Message);
    // Windows-1252 becomes Unicode at the widget; line feeds break lines.
    dialog_->ShowInDisplay("\xC9owyn\nB\xF8rk", TQorvDlgClient::DisplayStyle::kName);
    QCOMPARE(DisplayText(*dialog_), QString::fromUtf8("\xC3\x89owyn\nB\xC3\xB8rk"));
  }

  void optionsToggleKeepsTheTopLeftCorner() {
    const QPoint corner = frame_->pos();
    const QRect top_marker = dialog_->Control(kIdOptionAreaMarker)->geometry();
    const QRect bottom_marker = dialog_->Control(kIdBottomMarker)->geometry();
    const QSize collapsed(top_marker.right() + 1 - kDialogFrameMetric,
                          top_marker.top() - 3 * kDialogFrameMetric);
    QCOMPARE(frame_->size(), collapsed);
    // The option area is out of sight, the display frame and its buttons are not.
    QVERIFY(dialog_->Control(kIdGenerationGroup)->geometry().top() >= collapsed.height());
    QVERIFY(dialog_->Control(kIdGenerateNext)->geometry().bottom() < collapsed.height());
    QCOMPARE(frame_->minimumSize(), frame_->maximumSize());

    QTest::mouseClick(dialog_->Button(kIdOptions), Qt::LeftButton);
    QVERIFY(dialog_->OptionsShown());
    QCOMPARE(dialog_->Button(kIdOptions)->GlyphId(), kGlyphOptionsShown);
    QCOMPARE(frame_->size(),
             QSize(collapsed.width(), bottom_marker.bottom() + 1 - kDialogFrameMetric));
    QVERIFY(dialog_->Control(kIdAutomaticOptions)->geometry().bottom() < frame_->height());
    QCOMPARE(dialog_->size(), frame_->size());
    QCOMPARE(frame_->pos(), corner);

    QTest::mouseClick(dialog_->Button(kIdOptions), Qt::LeftButton);
    QVERIFY(!dialog_->OptionsShown());
    QCOMPARE(dialog_->Button(kIdOptions)->GlyphId(), kGlyphOptionsHidden);
    QCOMPARE(frame_->size(), collapsed);
    QCOMPARE(frame_->pos(), corner);
    SaveGrab("dialog_collapsed.png");
    QTest::mouseClick(dialog_->Button(kIdOptions), Qt::LeftButton);
    SaveGrab("dialog_expanded.png");
  }

  void escapeMinimisesAndNeverCloses() {
    QTest::keyClick(dialog_, Qt::Key_Escape);
    QVERIFY(frame_->isMinimized());
    QVERIFY(frame_->isVisible());
  }

  void enterWithoutAChapterDoesNothing() {
    int calls = 0;
    dialog_->Session().SetAttempt([&calls](const qorv::GenerationRequest&) {
      ++calls;
      return std::string("Never");
    });
    QTest::keyClick(dialog_, Qt::Key_Return);
    QCOMPARE(calls, 0);
    QCOMPARE(DisplayText(*dialog_), QStringLiteral("The Quorvane Lexicon v2.1"));
  }

  void enterPressesAFocusedGlyphButton() {
    QTest::mouseClick(dialog_->Button(kIdOptions), Qt::LeftButton);
    QVERIFY(dialog_->OptionsShown());
    dialog_->Button(kIdOptions)->setFocus();
    QTest::keyClick(dialog_->Button(kIdOptions), Qt::Key_Return);
    QVERIFY(!dialog_->OptionsShown());
  }

  void pageSizeIsCheckedWhenItLosesTheFocus_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << ""
                           << "2";
    QTest::newRow("zero") << "0"
                          << "2";
    QTest::newRow("one") << "1"
                         << "2";
    QTest::newRow("two") << "2"
                         << "2";
    QTest::newRow("leading zero stays") << "050"
                                        << "050";
    QTest::newRow("thousand") << "1000"
                              << "1000";
    QTest::newRow("above") << "1001"
                           << "1000";
    QTest::newRow("far above") << "5000"
                               << "1000";
    QTest::newRow("letters are refused") << "4x2"
                                         << "42";
  }
  void pageSizeIsCheckedWhenItLosesTheFocus() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QTest::mouseClick(dialog_->Button(kIdOptions), Qt::LeftButton);
    auto* field = qobject_cast<QLineEdit*>(dialog_->Control(kIdPageSize));
    field->clear();
    QTest::keyClicks(field, typed);
    QFocusEvent focus_out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &focus_out);
    QCOMPARE(field->text(), shown);
  }

  void hintsFollowTheCursorByRectangle() {
    const std::pair<int, const char*> hints[] = {{kIdGenerateNext, "Generate Next"},
                                                 {kIdStoreName, "Store Name"},
                                                 {kIdStorePage, "Store 50"},
                                                 {kIdClearStore, "Clear Store"},
                                                 {kIdViewStore, "View Store"},
                                                 {kIdHelp, "Help"},
                                                 {kIdOptions, "Options"},
                                                 {kIdHistoryScrollBar, "Browse History"},
                                                 {kIdChapterCombo, "Select Chapter"}};
    for (const auto& [id, hint] : hints) {
      MoveMouseOver(dialog_->Control(id));
      QCOMPARE(HintText(*dialog_), QString::fromLatin1(hint));
    }
    // Store Name is disabled, and still has its hint.
    QVERIFY(!dialog_->Control(kIdStoreName)->isEnabled());
    // Over no control the hint line is cleared; the rectangle's right edge is outside.
    MoveMouseOver(dialog_->Control(kIdStoreName));
    MoveMouse(dialog_, dialog_->Control(kIdNameDisplay)->geometry().center());
    QCOMPARE(HintText(*dialog_), QString());
    const QRect help = dialog_->Control(kIdHelp)->geometry();
    MoveMouse(dialog_, QPoint(help.left() + help.width(), help.center().y()));
    QCOMPARE(HintText(*dialog_), QString());
    MoveMouse(dialog_, help.topLeft());
    QCOMPARE(HintText(*dialog_), QStringLiteral("Help"));
    // View Log is hinted only while a Chapter is present.
    MoveMouse(dialog_, dialog_->Control(kIdViewLog)->geometry().center());
    QCOMPARE(HintText(*dialog_), QString());
  }

  void storePageHintClampsThePageSize_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("hint");
    QTest::newRow("above") << "5000"
                           << "Store 1000";
    QTest::newRow("below") << "1"
                           << "Store 2";
    QTest::newRow("as typed") << "075"
                              << "Store 075";
    QTest::newRow("first six characters") << "0001234"
                                          << "Store 000123";
  }
  void storePageHintClampsThePageSize() {
    QFETCH(QString, typed);
    QFETCH(QString, hint);
    // The field keeps what was typed while it has the focus.
    qobject_cast<QLineEdit*>(dialog_->Control(kIdPageSize))->setText(typed);
    MoveMouseOver(dialog_->Control(kIdStorePage));
    QCOMPARE(HintText(*dialog_), hint);
  }

  void helpButtonShowsTheAboutLineAndWithdrawsStoreName() {
    dialog_->ShowInDisplay("Brisa", TQorvDlgClient::DisplayStyle::kName);
    dialog_->Control(kIdStoreName)->setEnabled(true);
    QTest::mouseClick(dialog_->Button(kIdHelp), Qt::LeftButton);
    QCOMPARE(DisplayText(*dialog_), QStringLiteral("The Quorvane Lexicon v2.1"));
    QCOMPARE(dialog_->Control(kIdNameDisplay)->font(), dialog_->Fonts().Message);
    QVERIFY(!dialog_->Control(kIdStoreName)->isEnabled());
  }

  void f1AndTheHelpButtonOpenTheHelpTopics() {
    // F1 is the application's: the topics open over its main window, from any control.
    auto* application = static_cast<TQorvApp*>(qApp);
    application->CreateMainWindow();
    TSDIDecFrame* main_window = application->MainWindow();
    QTest::keyClick(main_window->Client()->Control(kIdPageSize), Qt::Key_F1);
    auto* viewer = main_window->findChild<HelpViewer*>();
    QVERIFY(viewer != nullptr);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->TopicList()->currentRow(), 0);
    viewer->hide();
    // The Help button's topics belong to the dialog's window.
    QTest::mouseClick(dialog_->Button(kIdHelp), Qt::LeftButton);
    viewer = frame_->findChild<HelpViewer*>();
    QVERIFY(viewer != nullptr);
    QVERIFY(viewer->isVisible());
  }

  void mnemonicsReachTheirControls() {
    QTest::mouseClick(dialog_->Button(kIdOptions), Qt::LeftButton);
    frame_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    const std::pair<Qt::Key, int> focus[] = {{Qt::Key_C, kIdChapterCombo},
                                             {Qt::Key_I, kIdInitialLetter},
                                             {Qt::Key_G, kIdInitialLetter},
                                             {Qt::Key_V, kIdValidation0},
                                             {Qt::Key_P, kIdPageSize}};
    for (const auto& [key, id] : focus) {
      QTest::keyClick(frame_.get(), key, Qt::AltModifier);
      QCOMPARE(QApplication::focusWidget(), dialog_->Control(id));
    }
    QTest::keyClick(frame_.get(), Qt::Key_T, Qt::AltModifier);
    QTRY_VERIFY(dialog_->IsChecked(kIdTrailingLine));
    QTest::keyClick(frame_.get(), Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(!dialog_->IsChecked(kIdAutomaticOptions));
  }

  void automaticOptionsSetTheOptionControls() {
    qorv::TQorvChapter chapter;
    chapter.StructGen = 1;
    chapter.FitLevel = 3;
    chapter.ValLevel = 1;
    dialog_->ApplyAutomaticOptions(chapter);
    QVERIFY(dialog_->IsChecked(kIdLevel3) && dialog_->IsChecked(kIdValidation1));
    QVERIFY(dialog_->IsChecked(kIdStructural));
    for (int id : {kIdStatistical, kIdPrefixes, kIdSuffixes}) QVERIFY(!dialog_->IsChecked(id));
    qorv::GenerationRequest request = dialog_->ReadGenerationOptions();
    QCOMPARE(request.GenerationLevel, 3);
    QCOMPARE(request.ValidationLevel, 1);
    QVERIFY(request.Structural && !request.Statistical && !request.Prefixes && !request.Suffixes);

    // Values outside the radios' range leave the groups without a checked radio: level 0.
    chapter.FitLevel = 7;
    chapter.ValLevel = -1;
    chapter.StatGen = chapter.Prefix = chapter.Suffix = 1;
    dialog_->ApplyAutomaticOptions(chapter);
    for (int id = kIdLevel0; id <= kIdLevel3; ++id) QVERIFY(!dialog_->IsChecked(id));
    for (int id = kIdValidation0; id <= kIdValidation2; ++id) QVERIFY(!dialog_->IsChecked(id));
    request = dialog_->ReadGenerationOptions();
    QCOMPARE(request.GenerationLevel, 0);
    QCOMPARE(request.ValidationLevel, 0);
    QVERIFY(request.Statistical && request.Prefixes && request.Suffixes);
    // The user can check a radio again afterwards.
    QTest::mouseClick(dialog_->Control(kIdLevel2), Qt::LeftButton);
    QCOMPARE(dialog_->ReadGenerationOptions().GenerationLevel, 2);
  }

  void showCommandRule() {
    char program[] = "quorvane";
    char iconic[] = "-iconic";
    char* argv[] = {program, iconic};
    QCOMPARE(RequestedShowCommand(2, argv), ShowCommand::kMinimizedNoActivate);
    QCOMPARE(RequestedShowCommand(1, argv), ShowCommand::kNormal);
  }

 private:
  void SaveGrab(const char* file_name) {
    // Kept in the build folder for a person to look at.
    const QString path = QCoreApplication::applicationDirPath() + "/" + file_name;
    QVERIFY(frame_->grab().save(path));
  }

  std::unique_ptr<CurrentDirectory> directory_;
  std::unique_ptr<TSDIDecFrame> frame_;
  TQorvDlgClient* dialog_ = nullptr;
};

QORV_DESKTOP_TEST_MAIN(ClientDialogTest)

#include "client_dialog_test.moc"
