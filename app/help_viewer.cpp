#include "app/help_viewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "app/resource_files.h"

namespace qorv::app {

namespace {

// The window's preferred size, and the share of the screen it takes at most.
constexpr QSize kPreferredSize(760, 520);
constexpr int kMostScreenPercent = 90;

bool IsHelpFile(const QString& name) {
  return name.compare(QLatin1String(kHelpFileName), Qt::CaseInsensitive) == 0;
}

// The help document's HTML, or an empty string when it cannot be read.
QString ReadHelpDocument() {
  QFile file(QString::fromLatin1(kHelpDocumentPath));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// The id of a heading block: the first anchor name on its text (the HTML reader turns an
// element's id attribute into one).
QString HeadingId(const QTextBlock& block) {
  for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
    const QStringList names = fragment.fragment().charFormat().anchorNames();
    if (!names.isEmpty()) return names.first();
  }
  return {};
}

QPointer<HelpViewer>& TheHelpViewer() {
  static QPointer<HelpViewer> viewer;
  return viewer;
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window), topics_(new QListWidget), browser_(new QTextBrowser) {
  setObjectName(QStringLiteral("helpViewer"));
  setWindowTitle(QStringLiteral("The Quorvane Lexicon Help"));
  // An open help window never keeps the program running once its main window has closed.
  setAttribute(Qt::WA_QuitOnClose, false);

  topics_->setObjectName(QStringLiteral("helpTopics"));
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  browser_->setOpenExternalLinks(true);
  // Examples of commands wrap at the window's edge instead of asking for a horizontal scroll bar.
  browser_->document()->setDefaultStyleSheet(QStringLiteral("pre { white-space: pre-wrap; }"));
  topics_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  topics_->setTextElideMode(Qt::ElideRight);

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(topics_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({200, 560});
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(splitter);
  resize(kPreferredSize);

  connect(topics_, &QListWidget::currentRowChanged, this, &HelpViewer::ShowTopic);
  // A click on the topic already selected scrolls back to it too.
  connect(topics_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowTopic(topics_->row(item)); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpViewer::ShowTopics(const QString& help_file) {
  const QString html = IsHelpFile(help_file) ? ReadHelpDocument() : QString();
  {
    const QSignalBlocker quiet(topics_);
    topics_->clear();
  }
  topic_ids_.clear();
  if (html.isEmpty()) {
    browser_->setPlainText(QStringLiteral("Help file %1 not found.").arg(help_file));
    return;
  }
  browser_->setHtml(html);
  ReadTopics();
  // The first topic is selected with the document at its very start, title included.
  const QSignalBlocker quiet(topics_);
  topics_->setCurrentRow(0);
}

void HelpViewer::FitToScreen() {
  const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : this;
  const QScreen* screen = owner->screen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  // The window manager's frame comes on top of the size given here.
  const QSize room = available.size() * kMostScreenPercent / 100;
  resize(kPreferredSize.boundedTo(room).expandedTo(minimumSizeHint()));
  QRect placed(pos(), size());
  if (!available.contains(placed)) {
    placed.moveCenter(available.center());
    move(placed.topLeft());
  }
}

void HelpViewer::ReadTopics() {
  const QTextDocument* document = browser_->document();
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() != 2) continue;
    topics_->addItem(block.text().simplified());
    topic_ids_.append(HeadingId(block));
  }
}

void HelpViewer::ShowTopic(int row) {
  if (row < 0 || row >= topic_ids_.size()) return;
  browser_->scrollToAnchor(topic_ids_.at(row));
}

void OpenHelpTopics(QWidget* owner, const QString& help_file) {
  QWidget* window = owner != nullptr ? owner->window() : nullptr;
  QPointer<HelpViewer>& viewer = TheHelpViewer();
  if (viewer.isNull()) {
    viewer = new HelpViewer(window);
  } else if (viewer->parentWidget() != window) {
    viewer->setParent(window, viewer->windowFlags());
  }
  viewer->ShowTopics(help_file);
  viewer->FitToScreen();
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  viewer->TopicList()->setFocus();
}

}  // namespace qorv::app
