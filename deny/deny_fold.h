// The fold under which a deny-list word and a name are compared, so that a word is heard through
// spelling games. Both sides are folded the same way, in this order:
//   1. every character becomes its plain small letters: case and accents go (E acute and e
//      acute become e; AE ae, OE oe, sharp s ss, thorn th, eth d), and the digits 0 1 3 4 5 7
//      are read as o i e a s t (other digits stay); everything else (apostrophes, hyphens,
//      spaces, signs) is dropped;
//   2. from left to right: ph becomes f, ck becomes k, then c and q become k, y becomes i and z
//      becomes s;
//   3. a run of one letter becomes that letter once ("ss" is "s", so "kk" from "ck" too).
// A name holds a word when the fold of the name contains the fold of the word.
#pragma once

#include <string>
#include <string_view>

namespace qorv {

// The fold of a Windows-1252 text.
std::string DenyFold(std::string_view cp1252);

}  // namespace qorv
