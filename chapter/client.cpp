#include "chapter/client.h"

namespace qorv {

PlainChapterClient::PlainChapterClient() : statistics_(std::make_unique<ChapterStatistics>()) {}

void PlainChapterClient::SetProgress(int value) {
  progress_ = value == -1 ? progress_ + 1 : value;
  trail_.push_back(progress_);
}

}  // namespace qorv
