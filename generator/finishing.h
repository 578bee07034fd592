// Turning a row of elements into the upper-case candidate text (with the special consonant
// expansion that placement also uses to measure consonant elements), and giving an accepted
// candidate its final form: accents, then capitals.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "chapter/limits.h"
#include "chapter/statistics.h"
#include "generator/element_facts.h"

namespace qorv {

// No expansion makes a text longer than this.
inline constexpr std::size_t kMaxExpandedLength = 4096;

// For d = 0, 1, ... in turn, every digit d is replaced by special consonant d's text and the scan
// resumes after the inserted text; later passes may still expand digits an earlier pass inserted.
// Always ends, whatever the texts hold: an insertion that would pass kMaxExpandedLength stops
// the expansion.
void ExpandSpecialConsonants(std::string& text, const ChapterStatistics& stats);

// Each lower-case soft consonant becomes its capital followed by "H".
void ExpandSoftConsonants(std::string& text);

// The expanded form of a consonant element: special consonants written out, then upper-cased.
std::string ExpandedConsonant(const std::string& coded, const ChapterStatistics& stats);

// The candidate text of the elements up to the -1 entry: coded forms joined, special and soft
// consonants written out, upper-cased (ASCII letters only).
std::string AssembleCandidate(std::span<const ElementId> elements, const ChapterStatistics& stats);

// Contracts runs of equal vowels into accented ones (PUNCT:1), and with `punct_mode` 2 also
// marks the diaeresis of EA, EO and a final E.
void FinishAccents(std::string& name, int punct_mode);

// The first letter stays as it is; the rest goes to lower case, except a letter right after a
// hyphen (at position 1 or later), which becomes a capital.
void Capitalise(std::string& name);

// The final form of an accepted upper-case candidate: accents as `punct_mode` asks (0: none),
// then capitals.
std::string FinishedName(std::string candidate, int punct_mode);

// The same text, into `text`: the elements' own candidate texts joined, which is the same as long
// as the special consonants expanded never reach the cap on the whole text; otherwise as above.
void AssembleCandidate(std::span<const ElementId> elements, const ElementFacts& facts,
                       const ChapterStatistics& stats, std::string& text);

}  // namespace qorv
