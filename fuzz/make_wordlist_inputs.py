#!/usr/bin/env python3
"""Writes the seed corpus of the word-list target (fuzz/corpus/wordlist/).

Each input is one options byte (fuzz/wordlist_fuzz_target.cpp: bit 7 convert; bit 0 join words,
bits 1-2 encoding, bits 3-4 pick, bit 5 MULTI, bit 6 special consonants) and then the file. Run
once after changing it; its output is committed.
"""
import pathlib

OUT = pathlib.Path(__file__).resolve().parent / "corpus" / "wordlist"
ROOT = pathlib.Path(__file__).resolve().parent.parent

JOIN, UTF8, CP1252, SPREAD, RANDOM, MULTI, SPCCON, CONVERT = 1, 2, 4, 8, 16, 32, 64, 128


def syllable_names(count, filler=0):
    consonants, vowels = "bdfgklmnprstvz", "aeiou"
    names = []
    for i in range(count):
        name, rest = "", i
        while True:
            name += consonants[rest % 14] + vowels[(rest // 14) % 5]
            if rest < 70 and len(name) >= 4:
                break
            rest //= 70
        names.append(name + "ra" * filler)
    return names


def lines(names, eol="\n"):
    return eol.join(names).encode("utf-8") + eol.encode()


MIXED = "Arnhelm\nCaf\xe9\n".encode("latin-1") + "Łódź\nNguyễn\n".encode("utf-8")
SKIPS = "\n".join([
    "Smith & Sons", "Port Royal", "Port\tRoyal", "Paris\t2100000", "; comment", "// comment",
    "# real comment", "Bo3", "Say\"hi", "Snow☃man", "A", "ARNHELM", "Arnhelm", "Αθήνα", "O’Neil",
    "BaBaBaBaBaBaBaBaBaBaBaBaBaBaBaBa", " \u00a0 ", "", "Kırşehir", "ʻOkina",
]).encode("utf-8")

INPUTS = {
    "utf8_plain": (0, lines(["Arnhelm", "Brisa", "Corwen", "Dunmarra"])),
    "utf8_bom_crlf": (0, b"\xef\xbb\xbf" + lines(["Arnhelm", "Jos\u00e9"], "\r\n")),
    "cp1252_whole": (0, "Caf\xe9\nS\xf8ren\n\x80uro\n".encode("latin-1")),
    "mixed_per_line": (0, MIXED),
    "mixed_forced_utf8": (UTF8, MIXED),
    "mixed_forced_cp1252": (CP1252, MIXED),
    "bom_then_cp1252_line": (0, b"\xef\xbb\xbfArnhelm\nCaf\xe9\n"),
    "utf16_bom": (0, "Arnhelm\n".encode("utf-16")),
    "nul_byte": (0, b"Arnhelm\n\x00Brisa\n"),
    "cr_only": (0, b"Arnhelm\rBrisa\rCorwen"),
    "every_skip_reason": (0, SKIPS),
    "every_skip_reason_joined": (JOIN, SKIPS),
    "huge_line": (0, b"Arnhelm\n" + b"Ba" * 6000 + b"\nBrisa\n"),
    "huge_line_utf8": (0, b"Arnhelm\n" + "ł".encode("utf-8") * 3000 + b"\n"),
    "names_1200_first": (0, lines(syllable_names(1200))),
    "names_1200_spread": (SPREAD, lines(syllable_names(1200))),
    "names_1200_random": (RANDOM, lines(syllable_names(1200))),
    "names_1200_repeats_random": (RANDOM, lines(syllable_names(700) * 2)),
    "file_size": (0, lines(syllable_names(1000, 12))),
    "specials_soft_multi": (SPCCON | MULTI, lines(["Thorn", "Nangal", "Shahar", "Anana"])),
    "convert_utf8_lf": (CONVERT, 'TITLE "Łódź";\nLINE1 "";\nLINE2 "";\nDATE "";\nSPCCON "";\n'
                                 'SPCVOW "";\nGENOPT "";\n// ☃\nNAMES "Arn", "Łukas";\n'.encode()),
    "convert_cp1252": (CONVERT, b'TITLE "Caf\xe9";\r\nNAMES "Arn";'),
}


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for name, (options, data) in INPUTS.items():
        (OUT / name).write_bytes(bytes([options]) + data)
    river = (ROOT / "chapters" / "word_lists" / "river_towns.txt").read_bytes()
    (OUT / "sample_river_towns").write_bytes(bytes([JOIN]) + river)
    (OUT / "sample_river_towns_spread").write_bytes(bytes([SPREAD | SPCCON]) + river)
    coastal = (ROOT / "chapters" / "coastal_villages.qrv").read_bytes()
    (OUT / "sample_coastal_villages_convert").write_bytes(bytes([CONVERT]) + coastal)


if __name__ == "__main__":
    main()
