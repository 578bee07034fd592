// The help viewer behind the program's help request (F1, the Help button).
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>
#include <memory>

#include "app/help_viewer.h"
#include "app/resource_files.h"

using namespace qorv::app;

namespace {

struct Topic {
  QString id;
  QString title;
};

// The topics as the document's source lists them, read without Qt's HTML reader.
QList<Topic> TopicsInSource() {
  QFile file(QString::fromLatin1(kHelpDocumentPath));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString html = QString::fromUtf8(file.readAll());
  QList<Topic> topics;
  const QRegularExpression heading(QStringLiteral("<h2 id=\"([^\"]+)\">([^<]+)</h2>"));
  for (const QRegularExpressionMatch& match : heading.globalMatch(html)) {
    topics.append({match.captured(1), match.captured(2)});
  }
  return topics;
}

int ScrollPosition(const HelpViewer* viewer) {
  return viewer->Browser()->verticalScrollBar()->value();
}

void ClickTopic(HelpViewer* viewer, int row) {
  QListWidget* list = viewer->TopicList();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

}  // namespace

class HelpViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void OpeningShowsTheTopicsWithTheFirstSelected();
  void SecondRequestReusesTheWindow();
  void ClickingATopicScrollsTheDocumentToIt();
  void UnknownHelpFileShowsTheNotFoundLine();
  void EscapeClosesTheViewer();
  void ViewerBelongsToTheOwnersWindow();

 private:
  // The one viewer owned by the test window; fails the test when there is not exactly one.
  HelpViewer* Viewer();

  std::unique_ptr<QWidget> owner_;
};

void HelpViewerTest::init() {
  owner_ = std::make_unique<QWidget>();
  owner_->setWindowTitle(QStringLiteral("The Quorvane Lexicon"));
  owner_->resize(300, 200);
  owner_->show();
  QVERIFY(QTest::qWaitForWindowExposed(owner_.get()));
}

// The viewer is a child of its owner's window and goes with it, so every test starts afresh.
void HelpViewerTest::cleanup() {
  owner_.reset();
}

HelpViewer* HelpViewerTest::Viewer() {
  const QList<HelpViewer*> viewers = owner_->findChildren<HelpViewer*>();
  return viewers.size() == 1 ? viewers.first() : nullptr;
}

void HelpViewerTest::OpeningShowsTheTopicsWithTheFirstSelected() {
  QVERIFY(Viewer() == nullptr);
  OpenHelpTopics(owner_.get(), QString::fromLatin1(kHelpFileName));

  HelpViewer* viewer = Viewer();
  QVERIFY(viewer != nullptr);
  QVERIFY(viewer->isVisible());
  QVERIFY(viewer->isWindow());
  QCOMPARE(viewer->windowTitle(), QStringLiteral("The Quorvane Lexicon Help"));

  const QList<Topic> expected = TopicsInSource();
  QVERIFY(expected.size() >= 10);
  QListWidget* list = viewer->TopicList();
  QCOMPARE(list->count(), expected.size());
  QCOMPARE(viewer->TopicIds().size(), expected.size());
  for (int row = 0; row < expected.size(); ++row) {
    QCOMPARE(list->item(row)->text(), expected[row].title);
    QCOMPARE(viewer->TopicIds()[row], expected[row].id);
  }
  QCOMPARE(list->currentRow(), 0);
  QTRY_VERIFY(list->hasFocus());
  QCOMPARE(ScrollPosition(viewer), 0);
}

void HelpViewerTest::SecondRequestReusesTheWindow() {
  OpenHelpTopics(owner_.get(), QString::fromLatin1(kHelpFileName));
  HelpViewer* first = Viewer();
  QVERIFY(first != nullptr);
  first->TopicList()->setCurrentRow(4);
  first->close();
  QVERIFY(!first->isVisible());

  OpenHelpTopics(owner_.get(), QString::fromLatin1(kHelpFileName));
  QCOMPARE(Viewer(), first);
  QVERIFY(first->isVisible());
  QCOMPARE(first->TopicList()->currentRow(), 0);
  QCOMPARE(first->TopicList()->count(), TopicsInSource().size());
}

void HelpViewerTest::ClickingATopicScrollsTheDocumentToIt() {
  OpenHelpTopics(owner_.get(), QString::fromLatin1(kHelpFileName));
  HelpViewer* viewer = Viewer();
  QVERIFY(viewer != nullptr);
  viewer->resize(700, 400);
  QVERIFY(QTest::qWaitForWindowExposed(viewer));
  const int last = viewer->TopicList()->count() - 1;
  QVERIFY(last > 3);

  // Topics further down the document scroll it further.
  ClickTopic(viewer, 1);
  QCOMPARE(viewer->TopicList()->currentRow(), 1);
  const int second = ScrollPosition(viewer);
  QVERIFY(second > 0);
  ClickTopic(viewer, last - 1);
  QCOMPARE(viewer->TopicList()->currentRow(), last - 1);
  const int late = ScrollPosition(viewer);
  QVERIFY(late > second);

  // Clicking the selected topic again brings it back after the reader scrolled away.
  viewer->Browser()->verticalScrollBar()->setValue(0);
  ClickTopic(viewer, last - 1);
  QCOMPARE(ScrollPosition(viewer), late);

  ClickTopic(viewer, 0);
  QVERIFY(ScrollPosition(viewer) < second);
}

void HelpViewerTest::UnknownHelpFileShowsTheNotFoundLine() {
  OpenHelpTopics(owner_.get(), QStringLiteral("Missing.hlp"));
  HelpViewer* viewer = Viewer();
  QVERIFY(viewer != nullptr);
  QVERIFY(viewer->isVisible());
  QCOMPARE(viewer->TopicList()->count(), 0);
  QVERIFY(viewer->TopicIds().isEmpty());
  QCOMPARE(viewer->Browser()->toPlainText(), QStringLiteral("Help file Missing.hlp not found."));

  // The same window shows the help file again; its name is taken without regard to case.
  OpenHelpTopics(owner_.get(), QStringLiteral("qorv.HLP"));
  QCOMPARE(Viewer(), viewer);
  QCOMPARE(viewer->TopicList()->count(), TopicsInSource().size());
  QVERIFY(!viewer->Browser()->toPlainText().contains(QStringLiteral("not found")));
}

void HelpViewerTest::EscapeClosesTheViewer() {
  OpenHelpTopics(owner_.get(), QString::fromLatin1(kHelpFileName));
  HelpViewer* viewer = Viewer();
  QVERIFY(viewer != nullptr);
  QVERIFY(QTest::qWaitForWindowActive(viewer));

  // Keys go to the window, as the windowing system delivers them, to whichever control has focus.
  QTRY_VERIFY(viewer->TopicList()->hasFocus());
  QTest::keyClick(viewer->windowHandle(), Qt::Key_Escape);
  QVERIFY(!viewer->isVisible());
  QVERIFY(owner_->isVisible());
  QCOMPARE(Viewer(), viewer);

  OpenHelpTopics(owner_.get(), QString::fromLatin1(kHelpFileName));
  QVERIFY(QTest::qWaitForWindowActive(viewer));
  viewer->Browser()->setFocus();
  QTRY_VERIFY(viewer->Browser()->hasFocus());
  QTest::keyClick(viewer->windowHandle(), Qt::Key_Escape);
  QVERIFY(!viewer->isVisible());
}

void HelpViewerTest::ViewerBelongsToTheOwnersWindow() {
  // A request from a control belongs to the control's window, and the viewer stays above it.
  auto* button = new QPushButton(QStringLiteral("Help"), owner_.get());
  button->show();
  OpenHelpTopics(button, QString::fromLatin1(kHelpFileName));
  HelpViewer* viewer = Viewer();
  QVERIFY(viewer != nullptr);
  QCOMPARE(viewer->parentWidget(), owner_.get());
  QVERIFY(viewer->windowHandle() != nullptr);
  QCOMPARE(viewer->windowHandle()->transientParent(), owner_->windowHandle());

  // A request from another window takes the same viewer over to that window.
  QWidget other;
  other.show();
  OpenHelpTopics(&other, QString::fromLatin1(kHelpFileName));
  QCOMPARE(other.findChild<HelpViewer*>(), viewer);
  QVERIFY(owner_->findChild<HelpViewer*>() == nullptr);
  QVERIFY(viewer->isVisible());
  QCOMPARE(viewer->windowHandle()->transientParent(), other.windowHandle());

  // Without an owner it is a window of its own.
  OpenHelpTopics(nullptr, QString::fromLatin1(kHelpFileName));
  QVERIFY(other.findChild<HelpViewer*>() == nullptr);
  QCOMPARE(viewer->parentWidget(), nullptr);
  QVERIFY(viewer->isVisible());
  delete viewer;
}

QTEST_MAIN(HelpViewerTest)
#include "help_viewer_test.moc"
