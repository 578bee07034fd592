// The temporary files a program has open, removed when SIGINT, SIGTERM or SIGHUP ends it, so that
// an interrupted run leaves nothing half-written behind.
//
// The registry is a fixed table (no allocation, so the signal handler may read it): at most
// kMaxTemporaryFiles paths of fewer than PATH_MAX bytes at once. Registering and forgetting are
// safe from any thread.
#pragma once

#include <string>

namespace qorv {

inline constexpr int kMaxTemporaryFiles = 8;

// Installs the handler for SIGINT, SIGTERM and SIGHUP, each unless it is ignored (a background
// job's SIGINT stays ignored): it removes every registered file with unlink(), then ends the
// program by the same signal with its default action. Call once, early in main().
void RemoveTemporaryFilesOnSignal();

// Adds `path` to the registry; returns its slot, or -1 when the table is full or the path too
// long (the file is then only removed by its owner).
int RegisterTemporaryFile(const std::string& path);

// Takes the slot out of the registry (after the file was renamed or removed); -1 is ignored.
void ForgetTemporaryFile(int slot);

}  // namespace qorv
