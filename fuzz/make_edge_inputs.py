#!/usr/bin/env python3
"""Writes the hand-made edge inputs of the loader's seed corpus (fuzz/corpus/loader/edge_*).

Run once after changing it; its output is committed. The sample Chapters are copied beside these
as sample_*.qrv.
"""
import pathlib

OUT = pathlib.Path(__file__).resolve().parent / "corpus" / "loader"

UPPER_VOWELS = b"AEIOUY\xC4\xCB\xCF\xD6\xDC\x9F\xC1\xC9\xCD\xD3\xDA\xDD\xC2\xCA\xCE\xD4\xDB" \
               b"\xC0\xC8\xCC\xD2\xD9\xC3\xD5\xC5\xC6\xD8\x8C'"
UPPER_CONSONANTS = b"BCDFGHJKLMNPQRSTVWXZ\xC7\xD0\xD1\xDE\x8A\xDF0123456789-"


def header(spccon=b"", spcvow=b"", genopt=b"", eol=b"\r\n"):
    return eol.join([
        b'TITLE "Edge";', b'LINE1 "one";', b'LINE2 "two";', b'DATE "2026";',
        b'SPCCON "' + spccon + b'";', b'SPCVOW "' + spcvow + b'";',
        b'GENOPT "' + genopt + b'";', b""])


def names(items, separator=b", ", eol=b"\r\n"):
    return b"NAMES " + separator.join(b'"' + n + b'"' for n in items) + b";" + eol


def chapter(items, **options):
    return header(**options) + names(items)


def pairs(letters, count):
    return [bytes([a, b]) for a in letters for b in letters][:count]


def main():
    edges = {}
    edges["empty"] = b""
    edges["header_only_no_names"] = header()
    edges["names_without_terminator"] = header() + b'NAMES "Ann", "Bo"\r\n'
    edges["names_quotes_run_out"] = header() + b'NAMES "Ann", ";\r\n'
    edges["names_one_open_quote"] = header() + b'NAMES ";'
    edges["names_empty_name"] = chapter([b"Ann", b"", b"Bo"])
    edges["names_space_in_name"] = chapter([b"Anne Marie"])
    edges["names_end_before_more"] = header() + b'NAMES "Ann", "Bo"; "Cy", "Di";\r\n'
    edges["names_1000_commas"] = chapter([b"BA"] * 1000)
    edges["names_1001_commas"] = chapter([b"BA"] * 1001)
    edges["names_1001_no_commas"] = chapter([b"BA"] * 1001).replace(b'", "', b'" "')
    edges["huge_comma_count"] = header() + b'NAMES "Ann"' + b"," * 30000 + b' "Bo";\r\n'
    edges["commas_before_names"] = b"," * 2000 + chapter([b"Ann", b"Bo"])
    edges["bare_lf_comment_before_spccon"] = (
        header(eol=b"\n").replace(b"SPCCON", b"// options\nSPCCON") + names([b"Ann"], eol=b"\n"))
    edges["bare_lf_no_comments"] = header(eol=b"\n") + names([b"Ann", b"Bo"], eol=b"\n")
    edges["cr_only_comments"] = (header(eol=b"\r").replace(b"SPCCON", b"// x\rSPCCON") +
                                 b"// NAMES of the coast\r" + names([b"Ann", b"Bo"], eol=b"\r"))
    edges["comment_hides_names"] = header() + b'NAMES "Ann", // "Bo",\r\n  "Cy";\r\n'
    edges["header_tag_in_comment"] = b'// TITLE "From the comment";\r\n' + chapter([b"Ann"])
    edges["specials_10"] = chapter([b"BABCADAFAGAHAJAKALAM"],
                                   spccon=b"".join(b"<" + bytes([c]) + b">" for c in b"BCDFGHJKLM"))
    edges["specials_11"] = chapter([b"Ann"],
                                   spccon=b"".join(b"<" + bytes([c]) + b">" for c in b"BCDFGHJKLMN"))
    edges["specials_empty_entry_then_bad"] = chapter([b"Ann"], spccon=b"<TH><><Ae>")
    edges["specials_nested"] = chapter([b"Ann"], spccon=b"<<TH>>")
    edges["specials_nested_empty"] = chapter([b"Ann"], spccon=b"<<>>")
    edges["specials_unclosed"] = chapter([b"Ann"], spccon=b"<TH")
    edges["specials_digits_soft"] = chapter([b"T0HA7", b"KATHARINA"], spccon=b"<0><7H><TH> soft")
    edges["options_all"] = chapter(
        [b"QUINN", b"YARA", b"MYRA", b"BANANA", b"ALABA"], spcvow=b"multi",
        genopt=b"y:con y:semi u:semi structgen statgen shuffle punct:1 punct:2 prefix suffix "
               b"fit:\xff val:")
    edges["options_long_values"] = chapter([b"Ann"], spccon=b"<TH>" + b" " * 130 + b"<1 2>",
                                          genopt=b"X" * 200 + b"FIT:3")
    edges["elements_31"] = chapter([b"BA" * 15 + b"B"])
    edges["elements_32"] = chapter([b"BA" * 16])
    edges["elements_one"] = chapter([b"AEIOU"])
    edges["multi_one_element"] = chapter([b"ALA"], spcvow=b"MULTI")
    edges["vowel_elements_255"] = chapter([b"B" + p + b"D" for p in pairs(UPPER_VOWELS, 255)])
    edges["vowel_elements_256"] = chapter([b"B" + p + b"D" for p in pairs(UPPER_VOWELS, 256)])
    edges["consonant_elements_255"] = chapter(
        [b"A" + p + b"E" for p in pairs(UPPER_CONSONANTS, 255)])
    edges["consonant_elements_256"] = chapter(
        [b"A" + p + b"E" for p in pairs(UPPER_CONSONANTS, 256)])
    edges["all_byte_values"] = bytes(range(256))
    edges["all_byte_values_in_name"] = chapter([bytes(b for b in range(256) if b != 0x22)])
    edges["all_byte_values_in_title"] = chapter([b"Ann"]).replace(
        b'"Edge"', b'"' + bytes(range(256)) + b'"')
    edges["all_letters_in_names"] = chapter(
        [bytes([c, v]) for c in UPPER_CONSONANTS for v in b"AE"] +
        [b"B" + bytes([v]) for v in UPPER_VOWELS] +
        [b"B" + bytes([v]) for v in b"\xE4\xEB\xEF\xF6\xFC\xFF\xE1\xE9\xED\xF3\xFA\xFD"])
    valid = chapter([b"Ann", b"Bo"])
    edges["size_32768"] = valid + b"//" + b"x" * (32768 - len(valid) - 2)
    edges["size_32769"] = valid + b"//" + b"x" * (32769 - len(valid) - 2)
    edges["long_name_one_vowel"] = chapter([b"A" + b"B" * 30000])

    for name, data in edges.items():
        (OUT / ("edge_" + name)).write_bytes(data)


if __name__ == "__main__":
    main()
