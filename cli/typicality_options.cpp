#include "cli/typicality_options.h"

#include <cmath>

#include <CLI/CLI.hpp>

#include "cli/generate_command.h"

namespace qorv {
namespace {

// Bits per letter: a number of zero or more.
double ParseBits(const std::string& option, const std::string& text) {
  std::size_t used = 0;
  double bits = -1;
  try {
    bits = std::stod(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || !std::isfinite(bits) || bits < 0) {
    throw CLI::ValidationError(option, "not a number of bits per letter: " + text);
  }
  return bits;
}

}  // namespace

void AddTypicalityOptions(CLI::App& command, GenerateOptions& options, const char* filter_group,
                          const char* output_group) {
  NameFilterOptions& filters = options.filters;
  command
      .add_option_function<std::string>(
          "--min-typicality",
          [&filters](const std::string& text) {
            filters.min_typicality = ParseBits("--min-typicality", text);
          },
          "names of at least B bits per letter under the seeds' letter model (the less typical)")
      ->type_name("B")
      ->group(filter_group);
  command
      .add_option_function<std::string>(
          "--max-typicality",
          [&filters](const std::string& text) {
            filters.max_typicality = ParseBits("--max-typicality", text);
          },
          "names of at most B bits per letter under the seeds' letter model (the more typical)")
      ->type_name("B")
      ->group(filter_group);
  command
      .add_flag("--typical", filters.typical,
                "names at least as typical as nine seed names in ten (their 10th percentile)")
      ->group(filter_group);
  command
      .add_option_function<std::string>(
          "--sort",
          [&options](const std::string& order) {
            if (order != "typicality") {
              throw CLI::ValidationError("--sort", "typicality, not " + order);
            }
            options.sort_by_typicality = true;
          },
          "print the run's names in this order when it ends: typicality (the most typical first)")
      ->type_name("typicality")
      ->group(output_group);
}

void CheckTypicalityRange(const GenerateOptions& options) {
  const NameFilterOptions& filters = options.filters;
  if (filters.min_typicality && filters.max_typicality &&
      *filters.min_typicality > *filters.max_typicality) {
    throw CLI::ValidationError("--min-typicality", "is above --max-typicality");
  }
}

}  // namespace qorv
