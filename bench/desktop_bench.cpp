// The desktop program's own waits, offscreen: from picking a Chapter to its counts in the status
// line (the load thread with every gauge step carried out on the user-interface thread), and one
// Generate Next at level 3, validation 2 with every switch on, as the user would press it.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <memory>

#include "app/client_dialog.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "app/glyph_button.h"
#include "app/main_frame.h"

namespace {

using namespace qorv::app;

const char* const kLargestChapter = "Towns of the Realm";

// The sample Chapters copied into a temporary current directory, where the program writes its log.
void EnterChapterCopy() {
  static QTemporaryDir directory;
  const QDir samples(QStringLiteral(QORV_CHAPTERS_DIR));
  for (const QString& file : samples.entryList({QStringLiteral("*.qrv")}, QDir::Files)) {
    QFile::copy(samples.filePath(file), directory.filePath(file));
  }
  QDir::setCurrent(directory.path());
}

std::unique_ptr<TSDIDecFrame> NewWindow() {
  EnterChapterCopy();
  auto frame = std::make_unique<TSDIDecFrame>(QString::fromLatin1(kApplicationName));
  frame->show();
  return frame;
}

void Select(TQorvDlgClient& dialog, const char* title) {
  auto* combo = qobject_cast<QComboBox*>(dialog.Control(kIdChapterCombo));
  const int index = combo->findText(QString::fromLatin1(title));
  combo->setCurrentIndex(index);
  emit combo->activated(index);
  dialog.WaitForLoad();
}

void Check(TQorvDlgClient& dialog, int id) {
  qobject_cast<QAbstractButton*>(dialog.Control(id))->setChecked(true);
}

void BM_SelectionToCounts(benchmark::State& state) {
  const auto frame = NewWindow();
  TQorvDlgClient& dialog = *frame->Client();
  for (auto _ : state) {
    Select(dialog, kLargestChapter);
    if (dialog.Session().Chapter() == nullptr || !dialog.Session().Chapter()->Loaded) {
      state.SkipWithError("the Chapter did not load");
      break;
    }
  }
  const auto* status = qobject_cast<QLabel*>(dialog.Control(kIdStatusLine));
  state.SetLabel(status->text().toStdString());
}
BENCHMARK(BM_SelectionToCounts)->Unit(benchmark::kMillisecond);

void BM_GenerateNextLevel3Validation2AllSwitches(benchmark::State& state) {
  const auto frame = NewWindow();
  TQorvDlgClient& dialog = *frame->Client();
  Select(dialog, kLargestChapter);
  for (int id :
       {kIdLevel3, kIdValidation2, kIdStructural, kIdStatistical, kIdPrefixes, kIdSuffixes}) {
    Check(dialog, id);
  }
  // Each press also writes the generation log, as the program does.
  for (auto _ : state) dialog.GenerateNext();
  const auto* status = qobject_cast<QLabel*>(dialog.Control(kIdStatusLine));
  state.SetLabel(status->text().toStdString());
}
BENCHMARK(BM_GenerateNextLevel3Validation2AllSwitches)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
