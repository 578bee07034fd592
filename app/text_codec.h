// The widget boundary: the core's Windows-1252 bytes become Unicode text for the widgets, and text
// read back from a widget becomes Windows-1252 again.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qorv::app {

QString FromCp1252(std::string_view cp1252);

// Characters that Windows-1252 lacks become "?"; they cannot come from the program's own texts.
std::string ToCp1252(const QString& text);

}  // namespace qorv::app
