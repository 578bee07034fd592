// Five names from a Chapter, invented in-process: what a game needs of the Quorvane Lexicon. The
// marked lines are the README's example, word for word (tests/install/check_consumer.sh).
#include <iostream>

// README:begin
#include "chapter/chapter_title.h"
#include "session/lexicon_session.h"
#include "text/encoding.h"
// README:end

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  const char* path = argv[1];
  // README:begin
  qorv::LexiconSession session({.LogPath = ""});  // no generation log
  session.SetChapter(session.LoadChapterFile(path, qorv::EstimateNameCount(path)));
  if (!session.HasLoadedChapter()) return 1;  // the cause: session.Chapter()->Message
  const qorv::GenerationRequest request{.GenerationLevel = 2, .ValidationLevel = 1};
  // README:end
  for (int i = 0; i < 5; ++i) {
    // README:begin
    if (auto name = session.NextName(request)) std::cout << qorv::Cp1252ToUtf8(*name) << '\n';
    // README:end
  }
}
