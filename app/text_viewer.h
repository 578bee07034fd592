// Opening a text file in the desktop's viewer for text files.
#pragma once

#include <string>

// Asks the desktop to open `file_name` (relative to the current directory) with its default
// application for text files, without waiting for it. Silent when nothing can open it.
void OpenInTextViewer(const std::string& file_name);
