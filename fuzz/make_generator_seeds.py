#!/usr/bin/env python3
"""Writes the seed corpus of the generator's fuzz target (fuzz/corpus/generator/).

Every input is a Chapter followed by 16 option bytes (fuzz/generator_fuzz_target.cpp, ReadOptions).
The sample Chapters come with a few option sets each; the hand-made Chapters reach the corners of
generation: special consonants that hold digits, MULTI, SHUFFLE, Y:SEMI names that begin with a
vowel Y, names of 31 elements, Chapters of two-element names only, Chapters whose every name is
soon in the history, and length patterns past "9". Run once after changing it; its output is
committed.
"""
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "fuzz" / "corpus" / "generator"

STRUCTURAL, STATISTICAL, PREFIXES, SUFFIXES, FLIP = 1, 2, 4, 8, 16
ALL_SWITCHES = STRUCTURAL | STATISTICAL | PREFIXES | SUFFIXES
LOG = 0xE0
STAR, FROM_LIST, ANY_BYTE = 0, 1, 3


def options(seed=12345, level=3, validation=2, switches=ALL_SWITCHES, letter=STAR, pick=0,
            names=8, flips=b"\x00" * 6):
    """The 16 option bytes; `names` 1..12 (or 0xF0.. for 100 and more)."""
    names_byte = names if names >= 0xF0 else names - 1
    return struct.pack("<IBBBBBB", seed, level, validation, switches, letter, pick, names_byte) + \
        bytes(flips)


def chapter(names, spccon=b"", spcvow=b"", genopt=b""):
    lines = [b'TITLE "Generator seed";', b'LINE1 "one";', b'LINE2 "two";', b'DATE "2026";',
             b'SPCCON "' + spccon + b'";', b'SPCVOW "' + spcvow + b'";',
             b'GENOPT "' + genopt + b'";',
             b"NAMES " + b", ".join(b'"' + n + b'"' for n in names) + b";", b""]
    return b"\r\n".join(lines)


# Option sets given to most Chapters: everything on with the options changing between calls;
# the length pattern alone with the log; plain uniform placement at level 0 with any byte as the
# initial letter.
FLIPPING = options(seed=7, level=3, validation=2, switches=ALL_SWITCHES | FLIP, letter=FROM_LIST,
                   names=12, flips=b"\x01\x10\x41\x0f\x20\x00")
PATTERN_LOGGED = options(seed=99, level=1, validation=1, switches=STRUCTURAL | LOG, names=6)
PLAIN = options(seed=3, level=0, validation=0, switches=0, letter=ANY_BYTE, pick=ord("B"),
                names=4)
STANDARD_SETS = {"flipping": FLIPPING, "pattern_logged": PATTERN_LOGGED, "plain": PLAIN}


def windows_never_recurring(length):
    """The start of a de Bruijn sequence of order 4 over 20 consonants: no four-letter window
    recurs, so the repetition rule must look at every window of a candidate made of it."""
    letters = b"BCDFGHJKLMNPQRSTVWXZ"
    text = bytearray()
    word = [-1]
    while word and len(text) < length:
        word[-1] += 1
        size = len(word)
        if 4 % size == 0:
            text += bytes(letters[x] for x in word)
        while len(word) < 4:
            word.append(word[len(word) - size])
        while word and word[-1] == len(letters) - 1:
            word.pop()
    return bytes(text[:length])


def hand_made():
    c = {}
    # Special consonants that hold each other's digits: "0" grows to 4^9 characters unless the
    # expansion stops at its cap; the last one (B) also codes every B of the names.
    c["specials_digits_explode"] = chapter(
        [b"A0A", b"BA0", b"0ABA", b"ODIN", b"ELAB"],
        spccon=b"".join(b"<" + bytes([ord("1") + k]) * 4 + b">" for k in range(9)) + b"<B>")
    c["specials_digits_chain"] = chapter(
        [b"BAT1A", b"HALO", b"TOHIT1", b"ATHA", b"T1ORIN"], spccon=b"<T1><H>")
    # Special consonants in small letters, reached only through digits typed in the names: the
    # soft t expands to TH, the accented small c stays small at the start of a name.
    c["specials_small_letters"] = chapter(
        [b"A0A", b"1ARA", b"0OLIN", b"ELI1"], spccon=b"<th><\xE7>", genopt=b"PUNCT:1")
    c["multi"] = chapter(
        [b"BANANA", b"ALANA", b"ORORO", b"ELELE", b"KAPAPA", b"TIRIS", b"MORAGA", b"ABAK"],
        spcvow=b"MULTI", genopt=b"STRUCTGEN")
    c["shuffle"] = chapter(
        [b"BARAKADORAN", b"ELIMORASTEN", b"KOTUVANIMELA", b"ASTRAGONEL", b"VIRODANESKA",
         b"ULMARETHIN"], genopt=b"SHUFFLE STRUCTGEN")
    # Y:SEMI: a Y before a consonant is a vowel, so these names begin with a vowel element while
    # the initial letter Y is tested as a consonant. YA and BY join to YY, which PUNCT:1 contracts.
    c["y_semi_vowel_start"] = chapter(
        [b"YRSA", b"YLVA", b"YNGVE", b"YA", b"BY", b"BORG"], genopt=b"Y:SEMI PUNCT:1")
    c["y_semi_only_vowel_y"] = chapter([b"YRSA", b"YLVA", b"YNGVE"], genopt=b"Y:SEMI")
    c["elements_31"] = chapter(
        [b"BA" * 15 + b"B", b"AB" * 15 + b"A", b"BAD", b"ELO", b"KARANDOLIMETH"])
    c["two_elements_only"] = chapter(
        [b"BA", b"DO", b"AK", b"EL", b"STRA", b"OSK", b"QUI"], genopt=b"PUNCT:2")
    c["history_one_name"] = chapter([b"BA"])
    c["history_two_names"] = chapter([b"BA", b"DA"], genopt=b"STRUCTGEN")
    # Elements of 10 to 12 characters: pattern characters ":" to "<".
    c["patterns_past_9"] = chapter(
        [b"ABCDFGHJKLMA", b"BAEIOUAEIOUAD", b"ABCDFGHJKLMNPA", b"OSTRA"],
        spccon=b"<BCDFGHJKLMNP>")
    c["soft_semivowels_accents"] = chapter(
        [b"THEA", b"KATHARINA", b"QUINN", b"MYRA", b"LEANE", b"EARON", b"TAAVI", b"CHLOE",
         b"ANNE-MARIE", b"OOLA", b"UUSI"],
        spccon=b"SOFT", genopt=b"U:SEMI Y:CON PUNCT:2")
    c["hyphens"] = chapter([b"JEAN-LUC", b"ANNE-MARIE", b"-ABA", b"KA-", b"A-A-A-BE"])
    # A seed name of 3000 letters: every attempt validates a candidate that long.
    c["long_name_windows_never_recurring"] = chapter(
        [b"A" + windows_never_recurring(3000) + b"A", b"BOR"], genopt=b"PUNCT:1")
    consonants = b"BCDFGHJKLMNPRSTVZ"
    vowels = b"AEIOU"
    c["names_1000"] = chapter(
        [bytes([a, v, b, w]) for a in consonants for v in vowels for b in consonants
         for w in vowels][:1000], genopt=b"PREFIX SUFFIX")
    return c


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    seeds = {}
    for sample in sorted((ROOT / "chapters").glob("*.qrv")):
        for set_name, tail in STANDARD_SETS.items():
            seeds["sample_%s_%s" % (sample.stem, set_name)] = sample.read_bytes() + tail
    for name, text in hand_made().items():
        for set_name, tail in STANDARD_SETS.items():
            seeds["%s_%s" % (name, set_name)] = text + tail
    made = hand_made()
    # The initial letter Y under Y:SEMI, where it fits only the classes that begin with "y".
    seeds["y_semi_vowel_start_letter_y"] = made["y_semi_vowel_start"] + options(
        level=0, validation=0, switches=0, letter=FROM_LIST, pick=0, names=12)
    seeds["y_semi_only_vowel_y_letter_y"] = made["y_semi_only_vowel_y"] + options(
        level=2, validation=1, switches=STRUCTURAL, letter=FROM_LIST, pick=0, names=4)
    # A digit as the initial letter: an initial pair's coded form matches it.
    seeds["specials_digits_chain_letter_0"] = made["specials_digits_chain"] + options(
        switches=PREFIXES, letter=ANY_BYTE, pick=ord("0"), names=4)
    seeds["specials_small_letters_letter_c_cedilla"] = made["specials_small_letters"] + options(
        switches=STATISTICAL, level=0, validation=0, letter=ANY_BYTE, pick=0xE7, names=4)
    # Structural switched on after the first attempt: no pattern was drawn for the request.
    seeds["shuffle_structural_late"] = made["shuffle"] + options(
        level=3, validation=2, switches=FLIP, names=12, flips=b"\x00\x01\x00\x00\x00\x00")
    # More names than the history ring holds, at levels outside the dialog's range.
    seeds["names_1000_past_the_ring"] = made["names_1000"] + options(
        level=0xF3, validation=0xF0, switches=STATISTICAL, names=0xF5)
    for name, data in seeds.items():
        (OUT / name).write_bytes(data)


if __name__ == "__main__":
    main()
