// The help viewer: the window behind the program's one help request, "open the topics dialog of
// help file X owned by window Y". It shows the help document with a list of its topics.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QTextBrowser;

namespace qorv::app {

// The help file the program asks for; the viewer maps it to the help document among the
// resources (the name is compared without regard to case).
inline constexpr char kHelpFileName[] = "Qorv.hlp";

// A window titled "The Quorvane Lexicon Help": on the left the list of topics (the document's
// <h2> headings, in document order), on the right the document. Choosing a topic scrolls the
// document to its heading; Escape closes (hides) the window.
class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* parent = nullptr);

  // Shows `help_file`'s document with its topics, the first topic selected and the document at
  // its start. A name that is not the help file shows no topics and the line
  // "Help file <help_file> not found." instead.
  void ShowTopics(const QString& help_file);

  // The topic ids (the headings' id attributes), parallel to the rows of the topic list.
  const QStringList& TopicIds() const { return topic_ids_; }

  // Sizes the window to its preferred size, or smaller on a small screen (or at a large scale
  // factor), and keeps it on the screen.
  void FitToScreen();

  QListWidget* TopicList() const { return topics_; }
  QTextBrowser* Browser() const { return browser_; }

 private:
  void ShowTopic(int row);
  void ReadTopics();

  QListWidget* topics_;
  QTextBrowser* browser_;
  QStringList topic_ids_;
};

// The program's help request: shows the one help viewer (created at the first request, reused
// after) at its topics list with the first topic selected, raises and activates it. The viewer is
// a window of its own that stays above `owner`'s window: that window is its parent, and it is
// destroyed with it; a request from another window moves it there. With no owner it is a plain
// top-level window. Never fails: an unknown help file shows the not-found line.
void OpenHelpTopics(QWidget* owner, const QString& help_file);

}  // namespace qorv::app
