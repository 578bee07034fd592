// Names by key: the first name of a fresh Generator seeded from the key and the world, so that
// nothing but the Chapter, the options, the world seed and the key decides it.
#include "generator/key_seed.h"
#include "quorvane/lexicon.h"

namespace quorvane {

std::string NameFor(const Lexicon& lexicon, const Options& options, std::uint64_t world_seed,
                    std::string_view key) {
  Generator generator(lexicon, options, qorv::KeySeed(world_seed, key));
  return generator.Next().value_or(std::string());
}

}  // namespace quorvane
