// `qorv generate` for whole names of several parts (--part and --template, or a recipe), over
// the library's Composer.
#pragma once

#include <iosfwd>

#include "store/store_file.h"

namespace qorv {

struct GenerateOptions;

// Reads the parts and templates (from the command line or the recipe file) and prints `count`
// whole names, or with --key/--keys the whole name of each key. The filters apply to the whole
// name (--novel: no part equal to a seed name of its part's Chapter). Forms: text, one name a
// line; json, {"name":...,"parts":{PART:...}} a line ({"key":...} first for keys); csv, a header
// row "name" (or "key,name") and one column per part, a part that the template did not use
// empty. With --store, the names go to the Store under one dated title line holding the recipe's
// title, or the templates when there is none. Returns the exit status:
//   0;
//   kExitFailure when the recipe file cannot be read or a part's Chapter does not load
//     ("qorv: WHERE: part NAME: CHAPTER: MESSAGE");
//   kExitUsage, before any Chapter is read, for a recipe or template that cannot be read, a
//     template naming a part not given, a part no template uses, two run files that are the
//     same file; after the load, for options a part's Chapter cannot make names with;
//   kExitNoNewName when no whole name was found (the names before it stay printed and stored);
//   kExitOutputNotWritten as RunGenerate.
int RunComposed(const GenerateOptions& options, std::ostream& out, std::ostream& err,
                const StoreClock& store_clock);

}  // namespace qorv
