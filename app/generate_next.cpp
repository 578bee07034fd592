// The generate command: options from the controls, the driver asked until a name comes, the
// history counters, and the name shown.
#include <QLabel>
#include <QScrollBar>

#include "app/client_dialog.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"

using namespace qorv::app;

namespace {

// "Generating" is written once the sixth call of one command has returned.
constexpr int kCallsBeforeGeneratingText = 6;

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

std::optional<std::string> TQorvDlgClient::GenerateName() {
  std::optional<std::string> name = session_.NextName(ReadGenerationOptions(), [this](int calls) {
    if (calls == kCallsBeforeGeneratingText) {
      status_line_->setText(QString::fromLatin1(kGenerating));
      status_line_->repaint();
    }
  });
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
