#include "cli/generate_command.h"

#include <ostream>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "cli/encoding.h"
#include "generator/generate_name.h"

namespace qorv {
namespace {

// The request as the dialog would hand it over; with --auto, as "Automatic Options" sets the
// dialog after a load (a level outside the buttons' range checks none, which reads as 0).
GenerationRequest MakeRequest(const GenerateOptions& options, TQorvChapter& chapter) {
  GenerationRequest request;
  request.Chapter = &chapter;
  request.InitialLetter = options.initial;
  if (options.automatic) {
    request.GenerationLevel = chapter.FitLevel >= 0 && chapter.FitLevel <= 3 ? chapter.FitLevel : 0;
    request.ValidationLevel = chapter.ValLevel >= 0 && chapter.ValLevel <= 2 ? chapter.ValLevel : 0;
    request.Structural = chapter.StructGen != 0;
    request.Statistical = chapter.StatGen != 0;
    request.Prefixes = chapter.Prefix != 0;
    request.Suffixes = chapter.Suffix != 0;
  } else {
    request.GenerationLevel = options.level;
    request.ValidationLevel = options.validation;
    request.Structural = options.structural;
    request.Statistical = options.statistical;
    request.Prefixes = options.prefixes;
    request.Suffixes = options.suffixes;
  }
  return request;
}

}  // namespace

int RunGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err) {
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapter(chapter, options.chapter_path, EstimateNameCount(options.chapter_path), client);
  if (!chapter.Loaded) {
    err << "qorv: " << options.chapter_path << ": " << Cp1252ToUtf8(chapter.Message) << '\n';
    return 1;
  }

  NameGenerator::Clock clock = &NameGenerator::SystemClock;
  if (options.seed) clock = [seed = *options.seed] { return seed; };
  NameGenerator generator(options.log_path, std::move(clock));
  const GenerationRequest request = MakeRequest(options, chapter);

  for (int i = 0; i < options.count; ++i) {
    const std::optional<std::string> name = GenerateName(generator, request);
    if (!name) {
      out.flush();
      err << "qorv: no new name found after " << kMaxCallsPerName << " attempts\n";
      return kExitNoNewName;
    }
    out << (options.encoding == GenerateOptions::Encoding::kUtf8 ? Cp1252ToUtf8(*name) : *name)
        << '\n';
  }
  out.flush();
  return 0;
}

}  // namespace qorv
