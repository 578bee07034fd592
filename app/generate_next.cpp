// The generate command: options from the controls, the driver asked until a name comes, the
// history counters, and the name shown.
#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>
#include <string_view>

#include "app/client_dialog.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "io/file_bytes.h"

using namespace qorv::app;

namespace {

// "Generating" is written once the sixth call of one command has returned.
constexpr int kCallsBeforeGeneratingText = 6;

// The deny list the program applies when the Chapter folder holds one.
constexpr char kDenyFileName[] = "deny.txt";

}  // namespace

void TQorvDlgClient::GenerateNext() {
  if (!session_.HasLoadedChapter()) return;
  const std::optional<std::string> name = GenerateName();
  if (!name) {
    // The request starts afresh at the next command; the display keeps what it showed.
    status_line_->setText(QString::fromLatin1(kNoNewName));
    return;
  }
  ShowInDisplay(*name, DisplayStyle::kName);
  Control(kIdStoreName)->setEnabled(true);
  ShowPosition();
}

void TQorvDlgClient::ReadDenyList() {
  deny_list_ = {};
  const qorv::FileBytes file = qorv::ReadFileBytes(
      QDir(chapter_folder_).filePath(QLatin1String(kDenyFileName)).toStdString());
  if (file.Error != 0) return;
  std::string_view text = file.Bytes;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    // A line that is not a word adds nothing.
    static_cast<void>(deny_list_.AddWords(text.substr(0, end)));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
}

std::optional<std::string> TQorvDlgClient::GenerateName() {
  int calls_left = qorv::kMaxCallsPerName;
  std::optional<std::string> name;
  while (true) {
    int calls = 0;
    name = session_.NextName(
        ReadGenerationOptions(),
        [this, &calls](int made) {
          calls = made;
          if (made == kCallsBeforeGeneratingText) {
            status_line_->setText(QString::fromLatin1(kGenerating));
            status_line_->repaint();
          }
        },
        calls_left);
    calls_left -= calls;
    if (!name || !deny_list_.Match(*name)) break;
    // A denied name is not shown and leaves the recent names as they were.
    session_.TakeBackName();
    if (calls_left <= 0) return std::nullopt;
  }
  if (!name) return std::nullopt;
  history_bar_->setRange(1, session_.HistoryCount());
  history_bar_->setValue(session_.HistoryCount());
  ShowHistoryEntry(0);
  return name;
}

// A failed Chapter shows its failure until another loads: there is no history to show.
void TQorvDlgClient::ShowHistoryEntry(int n) {
  if (!session_.HasLoadedChapter()) return;
  session_.ShowHistoryEntry(n);
  ShowInDisplay(session_.ShownName(), DisplayStyle::kName);
  ShowPosition();
}

void TQorvDlgClient::ShowPosition() {
  const int count = session_.HistoryCount();
  status_line_->setText(QLatin1String(kPosition) +
                        QString::number(count - session_.HistoryIndex()) + QLatin1String("/") +
                        QString::number(count));
}
