// qorv: the command-line tool over the Chapter core.
#include <iostream>
#include <string>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::string(argv[1]) != "inspect") {
    std::cerr << "usage: qorv inspect CHAPTER\n";
    return 2;
  }
  const std::string path = argv[2];
  qorv::PlainChapterClient client;
  qorv::TQorvChapter chapter;
  qorv::LoadChapter(chapter, path, qorv::EstimateNameCount(path), client);
  if (!chapter.Loaded) {
    std::cerr << "qorv: " << path << ": " << chapter.Message << "\n";
    return 1;
  }
  std::cout << chapter.Title << "\n"
            << chapter.NameCount << " names, "
            << chapter.VowelElementCount + chapter.ConsonantElementCount << " elements.\n";
  return 0;
}
