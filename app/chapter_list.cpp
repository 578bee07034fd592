// The Chapter combo box: the Chapter files of the current directory, listed by title.
#include <QComboBox>

#include "app/client_dialog.h"
#include "app/control_factory.h"
#include "app/text_codec.h"

// Each combo entry carries its list index, so that a pick loads the file of its own entry; entries
// of equal titles show their file names.
void TQorvDlgClient::ScanChapters() {
  chapter_list_ = qorv::ScanChapterFiles(".");
  for (std::size_t i = 0; i < chapter_list_.size(); ++i) {
    qorv::app::InsertSorted(chapter_combo_, qorv::app::FromCp1252(chapter_list_[i].DisplayTitle),
                            static_cast<int>(i));
  }
  chapter_combo_->setCurrentIndex(-1);
}
