// The Store's backups: "STORED.bak" beside "STORED.txt", and the older backups kept under
// numbered names "STORED.1.bak", "STORED.2.bak", ...
//
// A backup never costs the user a file. The copy goes to a hidden temporary file beside the Store
// (removed on failure, and on SIGINT, SIGTERM or SIGHUP: io/temporary_files.h) and is renamed to
// "STORED.bak" only when it is complete and on disk; an existing "STORED.bak" with
// other content (or one that is a link, a device or a FIFO: anything but a folder) is first
// renamed to the lowest free numbered name, never overwritten; a folder named "STORED.bak" makes
// the backup fail. When anything fails, the temporary file is removed and every earlier file
// stays as it was.
//
// Safe from any thread and any process for different directories; within one directory the
// caller holds the Store's lock, so that two backups do not race for the same number.
#pragma once

#include <sys/types.h>

#include <string>

#include "store/store_file.h"

namespace qorv {

// "STORED.<number>.bak".
std::string NumberedBackupName(int number);

// Copies the first `size` bytes of the open Store `fd` (fewer when it is shorter) to
// "STORED.bak" in `directory`, as the header comment says. The failure names the file that could
// not be read (kStoreFileName) or written (kStoreBackupFileName).
Result<void> KeepBackup(int fd, off_t size, const std::string& directory);

}  // namespace qorv
