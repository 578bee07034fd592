#include "scoring/seed_pieces.h"

namespace qorv {

SeedPieces::SeedPieces(const std::vector<std::string>& seeds) {
  for (const std::string& seed : seeds) {
    for (std::size_t start = 0; start < seed.size(); ++start) {
      for (std::size_t length = 1; start + length <= seed.size(); ++length) {
        pieces_.insert(seed.substr(start, length));
      }
    }
  }
}

}  // namespace qorv
