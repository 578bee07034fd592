#include "wordlist/default_options.h"

namespace qorv {

std::string DefaultGenOpt(std::size_t name_lines) {
  // A short list has few length patterns and pairs: keeping to them (STRUCTGEN) gives back its
  // own names or pieces of them, and a strict fit does not starve. A long list needs both the
  // patterns and the pairs to stay typical, at a looser fit.
  return name_lines < kLongListNames ? "STATGEN PREFIX SUFFIX FIT:2 VAL:1"
                                     : "STRUCTGEN STATGEN PREFIX SUFFIX FIT:1 VAL:1";
}

}  // namespace qorv
