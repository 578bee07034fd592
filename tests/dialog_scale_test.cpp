// The dialog at the scale factor and font DPI of its process (CTest runs this program once per
// QT_SCALE_FACTOR and once at QT_FONT_DPI 144): every control's text, and every radio button's
// and check box's indicator, lies inside the control, headings and messages of any length shrink
// to the name display, and so do names; long Chapter titles are elided in their box; the help
// window fits the screen; the glyphs and the window icon are drawn at the device pixel ratio.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTextBrowser>
#include <QtTest>

#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "app/elided_controls.h"
#include "app/glyph_button.h"
#include "app/help_viewer.h"
#include "app/resource_files.h"
#include "app_test_support.h"

using namespace qorv::app;
using namespace qorv::test;

namespace {

QString Describe(const QRect& rect) {
  return QStringLiteral("%1,%2 %3x%4")
      .arg(rect.x())
      .arg(rect.y())
      .arg(rect.width())
      .arg(rect.height());
}

// What of `widget`'s text (or indicator) falls outside it; empty when everything fits. The text
// is measured with the widget's own font, in the rectangle its style gives the text.
QString Overflow(QWidget* widget) {
  const QFontMetrics metrics(widget->font());
  const int flags = Qt::TextShowMnemonic;
  auto outside = [](const char* what, const QRect& need, const QRect& room) {
    return room.contains(need) ? QString()
                               : QStringLiteral("%1 %2 outside %3")
                                     .arg(QLatin1String(what), Describe(need), Describe(room));
  };
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    QRect room = label->contentsRect();
    QString text = label->text();
    // An eliding label paints its shortened text within its text width.
    if (auto* elided = qobject_cast<TElidedLabel*>(label)) {
      text = elided->ShownText();
      room.setWidth(elided->TextWidth());
    }
    QString problem;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      problem +=
          outside("line", metrics.boundingRect(room, int(label->alignment()) | flags, line), room);
    }
    const QRect all = metrics.boundingRect(room, int(label->alignment()) | flags, text);
    return problem + outside("text", all, room);
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle* style = button->style();
    const QRect indicator = style->subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
    const QRect contents = style->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
    const QRect text =
        metrics.boundingRect(contents, Qt::AlignLeft | Qt::AlignVCenter | flags, button->text());
    return outside("indicator", indicator, button->rect()) +
           outside("text", text, contents.intersected(button->rect()));
  }
  if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.textAlignment = group->alignment();
    const QRect room = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                      QStyle::SC_GroupBoxLabel, group);
    const QRect text =
        metrics.boundingRect(room, Qt::AlignLeft | Qt::AlignVCenter | flags, group->title());
    return outside("title", text, room.intersected(group->rect()));
  }
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    const QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QRect text = metrics.boundingRect(room, Qt::AlignLeft | Qt::AlignVCenter, edit->text());
    return outside("text", text, room);
  }
  return {};
}

}  // namespace

class DialogScaleTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    directory_ = std::make_unique<CurrentDirectory>();
    frame_ = NewMainWindow();
    dialog_ = frame_->Client();
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    frame_->ToggleOptions();
  }
  void cleanup() {
    frame_.reset();
    directory_.reset();
  }

  void everyTextFitsItsControl() {
    qInfo() << "device pixel ratio" << frame_->devicePixelRatioF() << "logical dpi"
            << frame_->logicalDpiY();
    QStringList problems;
    auto check = [&problems](QWidget* widget, const QString& what) {
      const QString problem = Overflow(widget);
      if (!problem.isEmpty()) problems << what + ": " + problem;
    };
    for (QWidget* child : dialog_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (child->isHidden()) continue;
      QString name = child->objectName();
      if (auto* label = qobject_cast<QLabel*>(child); label && name.isEmpty()) name = label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(child)) name += " " + button->text();
      if (auto* group = qobject_cast<QGroupBox*>(child)) name += " " + group->title();
      check(child, name);
    }
    auto* hint = qobject_cast<QLabel*>(dialog_->Control(kIdHintLine));
    for (const char* text : {kHintBrowseHistory, kHintSelectChapter, kHintGenerateNext}) {
      hint->setText(QString::fromLatin1(text));
      check(hint, QStringLiteral("hint line"));
    }
    auto* status = qobject_cast<QLabel*>(dialog_->Control(kIdStatusLine));
    for (const char* text : {"1000 names, 1000 elements.", "Pos: 100/100 Stored",
                             "Stored 1000 names.", kReadingChapter}) {
      status->setText(QString::fromLatin1(text));
      check(status, QStringLiteral("status line"));
    }
    // Headings and messages of any length shrink to the display.
    const std::string heading = std::string(60, 'W') + "\n" + std::string(90, 'm') + "\nLine two";
    for (const std::string& text :
         {std::string(kAboutText), heading,
          std::string(kLoadFailure) + "Too many elements in name #1000 (" + std::string(40, 'X') +
              ")"}) {
      dialog_->ShowInDisplay(text, TQorvDlgClient::DisplayStyle::kMessage);
      check(dialog_->Control(kIdNameDisplay), QStringLiteral("name display"));
    }
    if (!problems.isEmpty()) QFAIL(qPrintable(problems.join(QLatin1Char('\n'))));
  }

  // A name of any length is shown whole in a name font shrunk to the display, and Ctrl+C copies
  // it whole.
  void longNamesFitTheDisplayAndCopyWhole_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("18 letters") << QStringLiteral("Wendelmorwick Hale");
    QTest::newRow("31 letters") << QStringLiteral("Wolverhampton-under-Whistlewood");
    QTest::newRow("45 letters") << QStringLiteral("Mawgwynnmerewood Wimmerswold-by-the-Wandering");
    QTest::newRow("36 wide letters") << QString(36, QLatin1Char('W'));
  }
  void longNamesFitTheDisplayAndCopyWhole() {
    QFETCH(QString, name);
    dialog_->ShowInDisplay(name.toStdString(), TQorvDlgClient::DisplayStyle::kName);
    auto* display = qobject_cast<QLabel*>(dialog_->Control(kIdNameDisplay));
    QCOMPARE(display->text(), name);
    QVERIFY(display->fontMetrics().horizontalAdvance(name) <= display->contentsRect().width());
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(dialog_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), name);
  }

  // A title wider than the Chapter box is elided there, whole in the tooltip and the open list.
  void longTitlesAreElidedInTheChapterBox() {
    const QString title = QStringLiteral("Oases of the Burning Sands of the Southern Reaches");
    directory_->Write("oases.qrv",
                      ChapterBytes(title.toStdString(), "", "\"Arnhelm\", \"Brisa\", \"Corwen\""));
    auto* combo = qobject_cast<TElidedComboBox*>(dialog_->Control(kIdChapterCombo));
    QTRY_COMPARE(combo->count(), 1);
    combo->setCurrentIndex(0);
    const QString shown = combo->ShownText();
    QVERIFY2(shown.endsWith(QChar(0x2026)) && shown.size() < title.size(), qPrintable(shown));
    QVERIFY(title.startsWith(shown.chopped(1)));
    QCOMPARE(combo->toolTip(), title);
    combo->showPopup();
    QVERIFY(combo->view()->width() > combo->view()->fontMetrics().horizontalAdvance(title));
    combo->hidePopup();
  }

  // The help window fits the screen and wraps its examples instead of scrolling sideways.
  void theHelpWindowFitsTheScreen() {
    OpenHelpTopics(dialog_, QString::fromLatin1(kHelpFileName));
    auto* viewer = frame_->findChild<HelpViewer*>();
    QVERIFY(viewer != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    const QRect screen = viewer->screen()->availableGeometry();
    QVERIFY2(screen.contains(viewer->frameGeometry()),
             qPrintable(Describe(viewer->frameGeometry()) + " on " + Describe(screen)));
    QTRY_VERIFY(!viewer->Browser()->horizontalScrollBar()->isVisible());
    QCOMPARE(viewer->Browser()->horizontalScrollBar()->maximum(), 0);
    viewer->close();
  }

  // Each glyph has one device pixel per device pixel: its bitmap at ratio 1, a drawing rendered at
  // the ratio otherwise (never the bitmap blown up). The window icon likewise.
  void glyphsAndTheIconAreDrawnAtTheDevicePixelRatio() {
    const qreal ratio = frame_->devicePixelRatioF();
    auto check = [ratio](const QPixmap& shown, const QPixmap& bitmap, const char* what) {
      const QSize device_size = (QSizeF(bitmap.size()) * ratio).toSize();
      QVERIFY2(shown.size() == device_size, what);
      QCOMPARE(shown.devicePixelRatio(), ratio);
      const QImage image = shown.toImage().convertToFormat(QImage::Format_ARGB32);
      const QImage blown_up =
          bitmap.scaled(device_size).toImage().convertToFormat(QImage::Format_ARGB32);
      QVERIFY2((image == blown_up) == (ratio == 1.0), what);
    };
    for (int id : {kIdGenerateNext, kIdStoreName, kIdStorePage, kIdClearStore, kIdViewStore,
                   kIdHelp, kIdOptions}) {
      TGlyphButton* button = dialog_->Button(id);
      const int glyph = button->isEnabled() ? button->GlyphId() : button->DisabledGlyphId();
      check(button->ShownGlyph(), GlyphBitmap(glyph), qPrintable(QString::number(id)));
    }
    const QPixmap icon16(QStringLiteral(":/icons/icon1_16.png"));
    check(frame_->windowIcon().pixmap(QSize(16, 16), ratio), icon16, "window icon");
  }

 private:
  std::unique_ptr<CurrentDirectory> directory_;
  std::unique_ptr<TSDIDecFrame> frame_;
  TQorvDlgClient* dialog_ = nullptr;
};

QORV_DESKTOP_TEST_MAIN(DialogScaleTest)

#include "dialog_scale_test.moc"
