#!/usr/bin/env python3
"""Writes tests/platform/codec_table.inc: file-name bytes and the UTF-16 code
units that Python's os.fsdecode turns them into, and UTF-16 texts with the
bytes os.fsencode gives for them (or its refusal). Python's surrogate-escape
codec is the reference the name codec is tested against.

Run from anywhere: python3 scripts/generate-codec-table.py
The output is deterministic; the generated file is checked in.
"""

import os
import random
import sys
from pathlib import Path

OUTPUT = Path(__file__).resolve().parent.parent / "tests" / "platform" / "codec_table.inc"
SEED = 1101
RANDOM_ROWS = 200

# Named rows: (tag, bytes). Tags say which edge case a row covers.
DECODE_CASES = [
    ("empty", b""),
    ("ascii", b"01 - Titel.mp3"),
    ("ascii-control-bytes", b"\x01\x1f\x7f"),
    ("two-byte-umlaut", "Lied ä.mp3".encode()),
    ("two-byte-lowest", b"\xc2\x80"),
    ("two-byte-highest", b"\xdf\xbf"),
    ("three-byte-euro", "€".encode()),
    ("three-byte-lowest", b"\xe0\xa0\x80"),
    ("three-byte-below-surrogates", b"\xed\x9f\xbf"),
    ("three-byte-above-surrogates", b"\xee\x80\x80"),
    ("three-byte-highest", b"\xef\xbf\xbf"),
    ("four-byte-lowest", b"\xf0\x90\x80\x80"),
    ("four-byte-highest", b"\xf4\x8f\xbf\xbf"),
    ("emoji-low-half-in-escape-range", "\U0001F480.mp3".encode()),
    ("emoji-note", "\U0001F3B5 Song.mp3".encode()),
    ("overlong-c0", b"\xc0\x80"),
    ("overlong-c1", b"\xc1\xbf"),
    ("overlong-three-byte", b"\xe0\x80\x80"),
    ("overlong-three-byte-highest", b"\xe0\x9f\xbf"),
    ("overlong-four-byte", b"\xf0\x80\x80\x80"),
    ("overlong-four-byte-highest", b"\xf0\x8f\xbf\xbf"),
    ("encoded-high-surrogate", b"\xed\xa0\x80"),
    ("encoded-low-surrogate", b"\xed\xbf\xbf"),
    ("encoded-escape-surrogate", b"\xed\xb2\x80"),
    ("encoded-surrogate-pair", b"\xed\xa0\xbd\xed\xb2\x80"),
    ("above-max-f4", b"\xf4\x90\x80\x80"),
    ("above-max-f5", b"\xf5\x80\x80\x80"),
    ("above-max-f7", b"\xf7\xbf\xbf\xbf"),
    ("five-byte-form", b"\xf8\x88\x80\x80\x80"),
    ("six-byte-form", b"\xfc\x84\x80\x80\x80\x80"),
    ("truncated-two-byte-at-end", b"a\xc3"),
    ("truncated-three-byte-at-end", b"a\xe2\x82"),
    ("truncated-four-byte-at-end", b"a\xf0\x9f\x92"),
    ("truncated-two-byte-before-ascii", b"\xc3A"),
    ("truncated-three-byte-before-ascii", b"\xe2\x82A"),
    ("truncated-four-byte-before-ascii", b"\xf0\x9f\x92A"),
    ("truncated-before-lead", b"\xe2\x82\xc3\xa4"),
    ("lone-continuation", b"\x80"),
    ("lone-continuation-between-ascii", b"A\xbfB"),
    ("continuation-after-valid", b"\xc3\xa4\xa4"),
    ("continuation-run", b"\x80\x81\x82\xbf"),
    ("latin1-name", b"Lied \xe4.mp3"),
    ("bom-like-bytes", b"\xff\xfe_x.mp3"),
    ("utf8-bom-alone", b"\xef\xbb\xbf"),
    ("utf8-bom-then-text", b"\xef\xbb\xbfx.mp3"),
    ("utf8-bom-inside", b"x\xef\xbb\xbfy.mp3"),
    ("emoji-then-escape", b"\xf0\x9f\x92\x80\x80"),
    ("escape-then-emoji", b"\x80\xf0\x9f\x92\x80"),
    ("high-lead-then-emoji", b"\xf0\xf0\x9f\x92\x80"),
    ("valid-invalid-valid", "ä".encode() + b"\xe4" + "€".encode()),
] + [("byte-%02x" % b, bytes([b])) for b in range(0x80, 0x100)]

# UTF-16 texts for the encoder, beyond what decoding produces.
ENCODE_CASES = [
    ("pair-low-half-in-escape-range", [0xD83D, 0xDC80]),
    ("escape-lowest", [0xDC80]),
    ("escape-highest", [0xDCFF]),
    ("escapes-forming-valid-utf8", [0xDCC3, 0xDCA4]),
    ("pair-then-escape", [0xD83D, 0xDC80, 0xDC80]),
    ("escape-then-pair", [0xDC80, 0xD83D, 0xDC80]),
    ("low-below-escape-range", [0xDC7F]),
    ("low-lowest", [0xDC00]),
    ("low-above-escape-range", [0xDD00]),
    ("low-highest", [0xDFFF]),
    ("lone-high-lowest", [0xD800]),
    ("lone-high-highest", [0xDBFF]),
    ("lone-high-at-end", [0x41, 0xD83D]),
    ("lone-high-before-ascii", [0xD83D, 0x41]),
    ("lone-high-before-pair", [0xD83D, 0xD83D, 0xDC80]),
    ("escape-then-lone-high", [0xDC80, 0xD83D]),
]


def random_fragment(rng):
    kind = rng.randrange(6)
    if kind == 0:
        return bytes([rng.randrange(0x20, 0x7F)])
    if kind == 1:  # a valid character of any length
        while True:
            cp = rng.choice([rng.randrange(0x80, 0x800), rng.randrange(0x800, 0x10000),
                             rng.randrange(0x10000, 0x110000)])
            if not 0xD800 <= cp <= 0xDFFF:
                return chr(cp).encode()
    if kind == 2:  # any high byte
        return bytes([rng.randrange(0x80, 0x100)])
    if kind == 3:  # a lead byte with too few continuation bytes
        return bytes([rng.randrange(0xC0, 0x100)] +
                     [rng.randrange(0x80, 0xC0) for _ in range(rng.randrange(3))])
    if kind == 4:  # encoded surrogate
        return bytes([0xED, rng.randrange(0xA0, 0xC0), rng.randrange(0x80, 0xC0)])
    return bytes(rng.randrange(0x80, 0x100) for _ in range(rng.randrange(1, 4)))


def utf16_units(text):
    data = text.encode("utf-16-le", "surrogatepass")
    return [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]


def python_text(units):
    # surrogatepass joins proper pairs and keeps lone surrogates, as a QString holds them.
    data = b"".join(u.to_bytes(2, "little") for u in units)
    return data.decode("utf-16-le", "surrogatepass")


def c_units(units):
    return "{" + ", ".join("0x%04X" % u for u in units) + "}"


def main():
    if sys.getfilesystemencoding() != "utf-8" or sys.getfilesystemencodeerrors() != "surrogateescape":
        sys.exit("needs a UTF-8 file-system encoding with surrogateescape")
    rng = random.Random(SEED)
    cases = list(DECODE_CASES)
    for i in range(RANDOM_ROWS):
        cases.append(("random-%03d" % i,
                      b"".join(random_fragment(rng) for _ in range(rng.randrange(1, 7)))))

    lines = ["// Generated by scripts/generate-codec-table.py from Python's os.fsdecode and",
             "// os.fsencode. Do not edit; run the script instead.",
             "// clang-format off",
             "const DecodeRow decodeRows[] = {"]
    for tag, data in cases:
        text = os.fsdecode(data)
        assert os.fsencode(text) == data, tag
        lines.append('    {"%s", "%s", %s},' % (tag, data.hex(), c_units(utf16_units(text))))
    lines.append("};")
    lines.append("const EncodeRow encodeRows[] = {")
    for tag, units in ENCODE_CASES:
        try:
            expected = '"%s"' % os.fsencode(python_text(units)).hex()
        except UnicodeEncodeError:
            expected = "nullptr"
        lines.append('    {"%s", %s, %s},' % (tag, c_units(units), expected))
    lines.append("};")
    lines.append("// clang-format on")
    OUTPUT.write_text("\n".join(lines) + "\n", encoding="utf-8")


if __name__ == "__main__":
    main()
