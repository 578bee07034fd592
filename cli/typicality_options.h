// The options of `qorv generate` that read a name's typicality (scoring/name_scorer.h): the
// filters --min-typicality B, --max-typicality B and --typical, and --sort typicality.
#pragma once

namespace CLI {
class App;
}

namespace qorv {

struct GenerateOptions;

// Adds the filters to `filter_group` and --sort to `output_group` of `command`.
void AddTypicalityOptions(CLI::App& command, GenerateOptions& options, const char* filter_group,
                          const char* output_group);

// A --min-typicality above --max-typicality, refused as the parser refuses a value.
void CheckTypicalityRange(const GenerateOptions& options);

}  // namespace qorv
