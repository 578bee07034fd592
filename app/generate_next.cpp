// The generate command: options from the controls, the driver asked until a name comes, the
// history counters, and the name shown.
#include <QLabel>
#include <QScrollBar>

#include "app/client_dialog.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "generator/retry_until_name.h"

using namespace qorv::app;

namespace {

// "Generating" is written once the sixth call of one command has returned.
constexpr int kCallsBeforeGeneratingText = 6;

}  // namespace

void TQorvDlgClient::GenerateNext() {
  if (chapter_ == nullptr || !chapter_->Loaded) return;
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
  const qorv::GenerationRequest request = ReadGenerationOptions();
  std::optional<std::string> name = qorv::RetryUntilName(attempt_, request, [this](int calls) {
    if (calls == kCallsBeforeGeneratingText) {
      status_line_->setText(QString::fromLatin1(kGenerating));
      status_line_->repaint();
    }
  });
  if (!name) return std::nullopt;
  history_index_ = 0;
  if (history_count_ < qorv::NameHistory::kCapacity) ++history_count_;
  history_bar_->setRange(1, history_count_);
  history_bar_->setValue(history_count_);
  ShowHistoryEntry(0);
  return name;
}

// A failed Chapter shows its failure until another loads: there is no history to show.
void TQorvDlgClient::ShowHistoryEntry(int n) {
  if (chapter_ == nullptr || !chapter_->Loaded) return;
  if (n >= history_count_) {
    n = history_count_ - 1;
  } else if (n < 0) {
    n = 0;
  }
  history_index_ = n;
  ShowInDisplay(history_.Newest(n), DisplayStyle::kName);
  ShowPosition();
}

void TQorvDlgClient::ShowPosition() {
  status_line_->setText(QLatin1String(kPosition) +
                        QString::number(history_count_ - history_index_) + QLatin1String("/") +
                        QString::number(history_count_));
}
