// The dialog from the keyboard and for screen readers: the glyph buttons' accessible names and
// tooltips, their shortcuts (and that the help's keys topic lists them), and copying the name on
// display with Ctrl+C or the display's context menu.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTextDocument>
#include <QtTest>
#include <functional>
#include <set>

#include "app/control_ids.h"
#include "app/dialog_shortcuts.h"
#include "app/glyph_button.h"
#include "app/resource_files.h"
#include "app_test_support.h"
#include "store/store_file.h"

using namespace qorv::app;
using namespace qorv::test;

namespace {

QKeySequence Keys(const char* text) {
  return QKeySequence(QString::fromLatin1(text), QKeySequence::PortableText);
}

void Press(QWidget* window, const QKeySequence& keys) {
  const QKeyCombination combination = keys[0];
  QTest::keyClick(window, combination.key(), combination.keyboardModifiers());
}

// The plain text of the help document's keys topic.
QString HelpKeysTopic() {
  QFile file(QString::fromLatin1(kHelpDocumentPath));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString html = QString::fromUtf8(file.readAll());
  const QRegularExpression topic(QStringLiteral("<h2 id=\"keyboard\">(.*?)<h2"),
                                 QRegularExpression::DotMatchesEverythingOption);
  QTextDocument document;
  document.setHtml(topic.match(html).captured(1));
  return document.toPlainText();
}

}  // namespace

class DialogKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    directory_ = std::make_unique<CurrentDirectory>();
    directory_->CopySample("coastal_villages.qrv");
    frame_ = NewMainWindow();
    dialog_ = frame_->Client();
    dialog_->Session().SetStoreStamp([] { return qorv::StoreDateTime{2026, 12, 8, 15, 5, 9}; });
    dialog_->SetFileViewer([this](const std::string& file) { viewed_.push_back(file); });
    frame_->show();
    frame_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
  }
  void cleanup() {
    frame_.reset();
    directory_.reset();
    viewed_.clear();
  }

  // A screen reader and a tooltip say what the hint line says over the button.
  void glyphButtonsAreNamedAsTheirHints() {
    PickChapterAndWait(*dialog_, "Coastal Villages");
    qobject_cast<QLineEdit*>(dialog_->Control(kIdPageSize))->setText("5000");
    for (int id : {kIdGenerateNext, kIdStoreName, kIdStorePage, kIdClearStore, kIdViewStore,
                   kIdHelp, kIdOptions, kIdViewLog}) {
      TGlyphButton* button = dialog_->Button(id);
      MoveMouseOver(button);
      QVERIFY(!HintText(*dialog_).isEmpty());
      QCOMPARE(button->accessibleName(), HintText(*dialog_));
      QCOMPARE(button->toolTip(), HintText(*dialog_));
    }
    QCOMPARE(dialog_->Button(kIdStorePage)->toolTip(), QStringLiteral("Store 1000"));
  }

  void shortcutsPressTheirButtons() {
    const QString help = HelpKeysTopic();
    std::set<QKeySequence> taken = {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Escape),
                                    QKeySequence(Qt::Key_F1), Keys(kCopyNameKeys)};
    for (char mnemonic : {'C', 'I', 'G', 'V', 'P', 'T', 'A'}) {
      taken.insert(QKeySequence(QStringLiteral("Alt+%1").arg(QLatin1Char(mnemonic))));
    }
    for (const ButtonShortcut& entry : kButtonShortcuts) {
      if (*entry.Keys == '\0') continue;
      QVERIFY2(taken.insert(Keys(entry.Keys)).second, entry.Keys);
      QVERIFY2(help.contains(QString::fromLatin1(entry.Keys)), entry.Keys);
    }
    QVERIFY(help.contains(QString::fromLatin1(kCopyNameKeys)));

    // Without a Chapter the buttons that need one are disabled or hidden: their keys do nothing.
    Press(frame_.get(), Keys("Ctrl+S"));
    Press(frame_.get(), Keys("Ctrl+L"));
    QVERIFY(directory_->Read("STORED.txt").empty());
    QVERIFY(viewed_.empty());

    PickChapterAndWait(*dialog_, "Coastal Villages");
    struct Case {
      const char* Keys;
      std::function<bool()> Done;
    };
    const Case cases[] = {
        {"Ctrl+O", [this] { return dialog_->OptionsShown(); }},
        {"Ctrl+Shift+S", [this] { return StatusText(*dialog_) == "Stored 50 names."; }},
        {"Ctrl+S", [this] { return StatusText(*dialog_) == "Pos: 50/50 Stored"; }},
        {"Ctrl+R", [this] { return viewed_ == std::vector<std::string>{"STORED.txt"}; }},
        {"Ctrl+L", [this] { return viewed_.size() == 2 && viewed_[1] == "!qrv_log.txt"; }},
        {"Ctrl+Shift+Del", [this] { return StatusText(*dialog_) == "Store cleared"; }},
        {"Ctrl+O", [this] { return !dialog_->OptionsShown(); }},
    };
    for (const Case& test : cases) {
      Press(frame_.get(), Keys(test.Keys));
      QVERIFY2(test.Done(), test.Keys);
    }
    QVERIFY(directory_->Read("STORED.txt").starts_with(qorv::kClearedStoreMarker));
  }

  void onlyANameIsCopied() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    auto copy_from_menu = [this] {
      QWidget* display = dialog_->Control(kIdNameDisplay);
      QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                              display->mapToGlobal(QPoint(5, 5)));
      QCoreApplication::sendEvent(display, &event);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr || menu->actions().size() != 1) return false;
      QAction* copy = menu->actions().first();
      const bool enabled = copy->isEnabled();
      copy->trigger();
      menu->close();
      // The popup took the keyboard; the keys go to the main window again.
      frame_->activateWindow();
      return QTest::qWaitForWindowActive(frame_.get()) && enabled;
    };
    // The About line, a Chapter heading: nothing to copy.
    Press(frame_.get(), Keys(kCopyNameKeys));
    QVERIFY(!copy_from_menu());
    PickChapterAndWait(*dialog_, "Coastal Villages");
    Press(frame_.get(), Keys(kCopyNameKeys));
    QCOMPARE(clipboard->text(), QStringLiteral("before"));

    dialog_->Session().SetAttempt([this](const qorv::GenerationRequest&) {
      dialog_->Session().History().Add("\xC9owyn");
      return std::string("\xC9owyn");
    });
    dialog_->GenerateNext();
    Press(frame_.get(), Keys(kCopyNameKeys));
    QCOMPARE(clipboard->text(), QString::fromUtf8("\xC3\x89owyn"));
    clipboard->clear();
    QVERIFY(copy_from_menu());
    QCOMPARE(clipboard->text(), QString::fromUtf8("\xC3\x89owyn"));
  }

 private:
  std::unique_ptr<CurrentDirectory> directory_;
  std::unique_ptr<TSDIDecFrame> frame_;
  TQorvDlgClient* dialog_ = nullptr;
  std::vector<std::string> viewed_;
};

QORV_DESKTOP_TEST_MAIN(DialogKeysTest)

#include "dialog_keys_test.moc"
