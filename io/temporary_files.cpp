#include "io/temporary_files.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace qorv {
namespace {

enum SlotState : int { kFree, kFilling, kInUse };

struct Slot {
  std::atomic<int> State{kFree};
  char Path[PATH_MAX];
};

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the states");

Slot slots[kMaxTemporaryFiles];

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Only async-signal-safe calls: unlink(), signal(), raise().
extern "C" void RemoveAndReraise(int signal_number) {
  for (Slot& slot : slots) {
    if (slot.State.load() == kInUse) ::unlink(slot.Path);
  }
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

}  // namespace

void RemoveTemporaryFilesOnSignal() {
  for (const int signal_number : kSignals) {
    struct sigaction previous {};
    if (::sigaction(signal_number, nullptr, &previous) != 0) continue;
    if (previous.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveAndReraise;
    sigemptyset(&action.sa_mask);
    // The other signals wait while the files are removed, so that no file is removed twice.
    for (const int other : kSignals) sigaddset(&action.sa_mask, other);
    ::sigaction(signal_number, &action, nullptr);
  }
}

int RegisterTemporaryFile(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < kMaxTemporaryFiles; ++i) {
    int expected = kFree;
    if (!slots[i].State.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slots[i].Path, path.c_str(), path.size() + 1);
    slots[i].State.store(kInUse);
    return i;
  }
  return -1;
}

void ForgetTemporaryFile(int slot) {
  if (slot < 0 || slot >= kMaxTemporaryFiles) return;
  slots[slot].State.store(kFree);
}

}  // namespace qorv
