// The random source's seed for a key: what makes a name by key the same on every machine.
//
// A game asks for "the name of npc-42 in world 7" and must get the same name on every machine,
// build and later version. The key's bytes and the world seed become the 32-bit seed of a fresh
// generator by this fixed function, written out so that it can be checked by hand:
//
//   FNV-1a, 64 bits, over the key's bytes (UTF-8, no terminator):
//     h = 0xCBF29CE484222325;  for each byte b: h = (h ^ b) * 0x00000100000001B3  (mod 2^64)
//   SplitMix64's finaliser:
//     mix(x): z = x + 0x9E3779B97F4A7C15;
//             z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
//             z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
//             return z ^ (z >> 31)                                      (all mod 2^64)
//   seed = upper 32 bits of mix(h ^ mix(world_seed))
//
// The world seed goes through its own mix first, so that two worlds do not merely swap the
// names of keys whose hashes differ in the same bits. Only fixed-width unsigned arithmetic is
// used: no std::hash, nothing that depends on the platform.
#pragma once

#include <cstdint>
#include <string_view>

namespace qorv {

// 64-bit FNV-1a over the bytes of `bytes`.
std::uint64_t Fnv1a64(std::string_view bytes);

// SplitMix64's step and finaliser: the output for the state `x` before its increment.
std::uint64_t SplitMix64(std::uint64_t x);

// The seed of the random source for `key` in the world `world_seed` (see above).
std::uint32_t KeySeed(std::uint64_t world_seed, std::string_view key);

}  // namespace qorv
