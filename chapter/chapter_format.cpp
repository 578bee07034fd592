#include "chapter/chapter_format.h"

namespace qorv {

std::vector<CommentSpan> CommentSpans(std::string_view text) {
  std::vector<CommentSpan> spans;
  std::size_t from = 0;
  while ((from = text.find(kCommentStart, from)) != std::string_view::npos) {
    std::size_t to = text.find('\r', from);
    if (to == std::string_view::npos) to = text.size();
    spans.push_back({from, to});
    from = to;
  }
  return spans;
}

}  // namespace qorv
