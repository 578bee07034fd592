// What a Chapter needs of its owner: the statistics block, the history ring and a progress gauge.
//
// The session (session/lexicon_session.h) is the client of the desktop program and of `qorv
// generate`; other tools and the tests use PlainChapterClient. The loader calls the gauge
// functions from the loading thread; a gauge that is a widget must forward them to its
// user-interface thread.
#pragma once

#include <memory>
#include <vector>

#include "chapter/name_history.h"
#include "chapter/statistics.h"

namespace qorv {

// The progress gauge of a load.
class LoadGauge {
 public:
  virtual ~LoadGauge() = default;

  // Hide the status and hint lines and show the progress gauge in their place.
  virtual void ShowProgressGauge() = 0;
  // -1 advances the gauge by one; any other value sets it.
  virtual void SetProgress(int value) = 0;
};

class ChapterClient : public LoadGauge {
 public:
  virtual ChapterStatistics& Statistics() = 0;
  virtual NameHistory& History() = 0;
};

// A client without a user interface: owns its block and ring, and records the gauge's value.
class PlainChapterClient : public ChapterClient {
 public:
  PlainChapterClient();

  void ShowProgressGauge() override { gauge_shown_ = true; }
  void SetProgress(int value) override;
  ChapterStatistics& Statistics() override { return *statistics_; }
  NameHistory& History() override { return history_; }

  bool GaugeShown() const { return gauge_shown_; }
  int Progress() const { return progress_; }
  // Every value the gauge took, in order.
  const std::vector<int>& ProgressTrail() const { return trail_; }

 private:
  std::unique_ptr<ChapterStatistics> statistics_;
  NameHistory history_;
  bool gauge_shown_ = false;
  int progress_ = 0;
  std::vector<int> trail_;
};

}  // namespace qorv
