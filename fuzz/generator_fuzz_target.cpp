// libFuzzer target for name generation: any bytes, as a Chapter followed by generation options.
//
// The last 16 bytes of an input choose the options (see ReadOptions); the bytes before them are
// loaded as a Chapter file, as the loader's target does. When the load succeeds, names are asked
// for with RetryUntilName, each with a small call budget so that an input runs fast, a clock fixed
// by the input and (mostly) no log. Some inputs change the options between the calls of one
// request, as a caller that calls GenerateOnce itself may: Structural can then come on in a
// request that drew no pattern. Checked (fuzz/generation_checks.h):
//   - after every call, the Chapter's request state stays in range;
//   - every name returned is well formed, new among the last 100 names and the newest entry of
//     the history ring;
//   - with the log on, the log ends with the name returned and the candidate it came from, and
//     the name's first letter is the candidate's (or its accent contraction);
//   - the generator counts every call once, and every name returned as accepted.
// Besides: no sanitizer report, no hang (libFuzzer's timeout), no exception.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "chapter/chapter.h"
#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/limits.h"
#include "chapter/loader.h"
#include "fuzz/generation_checks.h"
#include "fuzz/require.h"
#include "generator/generation_log.h"
#include "generator/name_generator.h"
#include "generator/retry_until_name.h"

namespace qorv::fuzz {
namespace {

constexpr std::size_t kOptionBytes = 16;
// Calls allowed for one name (about four whole requests), and for a whole input: enough for the
// 100..160 names that pass the history ring's size when names come in a few calls each, while a
// Chapter whose candidates grow to thousands of letters (special consonants that hold each
// other's digits) no longer spends most of the fuzzer's time on thousands of calls.
constexpr int kCallsPerName = 300;
constexpr int kCallsPerInput = 800;
// An input stops asking after this many names that did not come within their budget.
constexpr int kMissesPerInput = 2;

// Levels outside the dialog's range, chosen by the top sixteenth of a level byte.
constexpr std::array<int, 8> kOddLevels = {-1, 3, 4, 7, 100, -100, 2147483647, -2147483647 - 1};

int LevelFrom(std::uint8_t byte, int levels) {
  return byte < 0xF0 ? byte % levels : kOddLevels[byte & 7];
}

// An initial letter: '*', a letter of the Chapter's InitialLetters, or any byte.
char InitialLetterFrom(std::uint8_t mode, std::uint8_t pick, const TQorvChapter& chapter) {
  const std::string& letters = chapter.InitialLetters;
  switch (mode % 4) {
    case 0:
      return '*';
    case 3:
      return static_cast<char>(pick);
    default:
      return letters.empty() ? '*' : letters[pick % letters.size()];
  }
}

// The switches of byte bits 0..3: Structural, Statistical, Prefixes, Suffixes.
void SetSwitches(GenerationRequest& request, std::uint8_t bits) {
  request.Structural = (bits & 1) != 0;
  request.Statistical = (bits & 2) != 0;
  request.Prefixes = (bits & 4) != 0;
  request.Suffixes = (bits & 8) != 0;
}

std::uint8_t SwitchBits(const GenerationRequest& request) {
  return static_cast<std::uint8_t>(request.Structural | request.Statistical << 1 |
                                   request.Prefixes << 2 | request.Suffixes << 3);
}

struct Options {
  std::uint32_t seed = 0;
  GenerationRequest request;
  bool flip = false;  // change the options between calls, by the flip bytes in turn
  bool log = false;
  int names = 1;
  std::array<std::uint8_t, 6> flips{};
};

// Bytes 0..3: the clock's seed; 4: generation level; 5: validation level; 6: bits 0..3 the
// switches, bit 4 flipping, bits 5..7 all set: the log; 7 and 8: the initial letter's kind and
// pick; 9: how many names (1..12, or 100..160 past the history ring's size); 10..15: the flips.
Options ReadOptions(const std::uint8_t* bytes, TQorvChapter& chapter) {
  Options options;
  options.seed = static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16) |
                 static_cast<std::uint32_t>(bytes[3]) << 24;
  options.request.Chapter = &chapter;
  options.request.GenerationLevel = LevelFrom(bytes[4], 4);
  options.request.ValidationLevel = LevelFrom(bytes[5], 3);
  SetSwitches(options.request, bytes[6]);
  options.flip = (bytes[6] & 0x10) != 0;
  options.log = (bytes[6] & 0xE0) == 0xE0;
  options.request.InitialLetter = InitialLetterFrom(bytes[7], bytes[8], chapter);
  options.names = bytes[9] < 0xF0 ? 1 + bytes[9] % 12 : 100 + (bytes[9] & 15) * 4;
  for (std::size_t i = 0; i < options.flips.size(); ++i) options.flips[i] = bytes[10 + i];
  return options;
}

// One flip between two calls: bits 0..3 toggle the switches, bit 4 steps the generation level
// within 0..3, bit 5 the validation level within 0..2, bit 6 moves the initial letter to the next
// of the Chapter's letters (or to '*' after the last).
void Flip(GenerationRequest& request, std::uint8_t flip, const TQorvChapter& chapter) {
  SetSwitches(request, SwitchBits(request) ^ (flip & 15));
  // Levels step through their two low bits, so that an out-of-range level (INT_MAX too) cannot
  // overflow.
  if (flip & 0x10) request.GenerationLevel = ((request.GenerationLevel & 3) + 1) & 3;
  if (flip & 0x20) request.ValidationLevel = ((request.ValidationLevel & 3) + 1) % 3;
  if (flip & 0x40) {
    const std::string& letters = chapter.InitialLetters;
    const std::size_t at = letters.find(request.InitialLetter);
    request.InitialLetter = at == std::string::npos   ? (letters.empty() ? '*' : letters[0])
                            : at + 1 < letters.size() ? letters[at + 1]
                                                      : '*';
  }
}

// A client without a user interface whose statistics block every input reuses, as the program's
// dialog does.
class FuzzClient : public ChapterClient {
 public:
  FuzzClient() : statistics_(std::make_unique<ChapterStatistics>()) {}
  void ShowProgressGauge() override {}
  void SetProgress(int) override {}
  ChapterStatistics& Statistics() override { return *statistics_; }
  NameHistory& History() override { return history_; }

 private:
  std::unique_ptr<ChapterStatistics> statistics_;
  NameHistory history_;
};

// The log of this process: a file in memory, which the generator opens by its /proc/self/fd
// path as it would open any log file. Nothing is written to the temporary folder, so nothing is
// left there however the process ends (libFuzzer's exits and a crash run no clean-up).
class MemoryLog {
 public:
  static MemoryLog& Get() {
    static MemoryLog log;
    return log;
  }

  const std::string& Path() const { return path_; }

  std::string Read() const {
    struct stat status {};
    Require(::fstat(fd_, &status) == 0, "the log in memory can be read");
    std::string text(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
      const ssize_t got =
          ::pread(fd_, text.data() + done, text.size() - done, static_cast<off_t>(done));
      Require(got > 0, "the log in memory can be read");
      done += static_cast<std::size_t>(got);
    }
    return text;
  }

 private:
  MemoryLog() : fd_(::memfd_create("qorv_generator_fuzz_log", MFD_CLOEXEC)) {
    Require(fd_ >= 0, "a file in memory can be made for the log");
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }

  int fd_;
  std::string path_;
};

class Session {
 public:
  Session(const TQorvChapter& chapter, const ChapterStatistics& stats, const Options& options)
      : chapter_(chapter),
        stats_(stats),
        options_(options),
        request_(options.request),
        generator_(options.log ? MemoryLog::Get().Path() : std::string(),
                   [seed = options.seed] { return seed; }),
        checks_(chapter, generator_.History()) {
    request_.Chapter = &chapter;
    request_.Statistics = &stats;
  }

  void Run() {
    int misses = 0;
    for (int n = 0; n < options_.names && calls_ < kCallsPerInput && misses < kMissesPerInput;
         ++n) {
      const int budget = std::min(kCallsPerName, kCallsPerInput - calls_);
      const std::optional<std::string> name = options_.flip ? FlippingName(budget) : Name(budget);
      if (!name) {
        ++misses;
        Require(generator_.State().NewRequest == 1, "a name that did not come ends its request");
        continue;
      }
      checks_.CheckName(*name, request_.InitialLetter);
      if (options_.log) CheckLoggedName(MemoryLog::Get().Read(), *name, chapter_.PunctMode != 0);
    }
    const AttemptCounts& counts = generator_.Counts();
    Require(counts.Attempts() == calls_, "every call ends in exactly one outcome");
    Require(counts.Accepted == checks_.Returned(), "every name returned was counted as accepted");
  }

 private:
  void AfterCall() {
    ++calls_;
    CheckRequestState(generator_.State(), stats_);
  }

  std::optional<std::string> Name(int budget) {
    return RetryUntilName(
        generator_, request_, [this](int) { AfterCall(); }, budget);
  }

  // RetryUntilName's loop, with the options changed between its calls.
  std::optional<std::string> FlippingName(int budget) {
    for (int call = 0; call < budget; ++call) {
      if (call > 0) Flip(request_, options_.flips[flip_++ % options_.flips.size()], chapter_);
      std::string name = generator_.GenerateOnce(request_);
      AfterCall();
      if (!name.empty()) return name;
    }
    generator_.EndRequest();
    return std::nullopt;
  }

  const TQorvChapter& chapter_;
  const ChapterStatistics& stats_;
  const Options& options_;
  GenerationRequest request_;
  NameGenerator generator_;
  NameChecks checks_;
  int calls_ = 0;
  std::size_t flip_ = 0;
};

FuzzClient& SharedClient() {
  static FuzzClient client;
  return client;
}

}  // namespace
}  // namespace qorv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qorv;
  using namespace qorv::fuzz;
  if (size < kOptionBytes) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size - kOptionBytes);
  // The Chapter list's estimate only decides the early "Too many names" refusal, which the
  // loader's target covers: here a larger estimate is taken as 1000, so that the text is read.
  const int estimate = ReadChapterTitle(bytes).NameCount;
  TQorvChapter chapter;
  LoadChapterFromBytes(chapter, bytes, std::clamp(estimate, 1, kMaxNames), SharedClient());
  if (!chapter.Loaded) return 0;

  const Options options = ReadOptions(data + size - kOptionBytes, chapter);
  Session(chapter, SharedClient().Statistics(), options).Run();
  return 0;
}
