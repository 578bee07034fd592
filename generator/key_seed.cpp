#include "generator/key_seed.h"

namespace qorv {

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x00000100000001B3ULL;
  }
  return hash;
}

std::uint64_t SplitMix64(std::uint64_t x) {
  std::uint64_t z = x + 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint32_t KeySeed(std::uint64_t world_seed, std::string_view key) {
  return static_cast<std::uint32_t>(SplitMix64(Fnv1a64(key) ^ SplitMix64(world_seed)) >> 32);
}

}  // namespace qorv
