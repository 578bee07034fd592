// The Chapter list: the Chapter files of the current directory, listed by title.
#include <QComboBox>
#include <filesystem>

#include "app/client_dialog.h"
#include "app/control_factory.h"
#include "app/text_codec.h"
#include "chapter/chapter_title.h"

namespace {

// Ordinary, non-hidden files whose name ends in ".qrv", in the order the directory lists them.
std::vector<std::string> ChapterFileNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(".", error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".qrv") != 0) continue;
    std::error_code status_error;
    if (!it->is_regular_file(status_error)) continue;
    names.push_back(name);
  }
  return names;
}

}  // namespace

// Every file is read whole for its title, and every listed file is kept: the list has no limit.
// Each combo entry carries its list index, so that long titles find their entry too.
void TQorvDlgClient::ScanChapters() {
  for (const std::string& file_name : ChapterFileNames()) {
    const qorv::ChapterTitle title = qorv::ReadChapterTitleFile(file_name);
    if (title.NameCount <= 0) continue;
    chapter_list_.push_back({title.Title, file_name, title.NameCount});
    qorv::app::InsertSorted(chapter_combo_, qorv::app::FromCp1252(title.Title),
                            static_cast<int>(chapter_list_.size() - 1));
  }
  chapter_combo_->setCurrentIndex(-1);
}
