#!/usr/bin/env python3
"""Generates the font width tables and the Windows-1252 glyph names the library compiles in.

The Courier, Helvetica and Times tables are indexed by Windows-1252 code, the encoding the writers
set their texts in, so that what is measured is what is drawn. Each code is mapped to its glyph name;
a glyph that the fonts' built-in StandardEncoding also has keeps exactly the width the
built-in-encoding tables give it (scripts/standard-encoding-widths.tsv, the reference); the other
glyphs (accented letters, the euro sign, the typographic quotes below 160 ...) take their widths from
the AFM files of Debian's fonts-urw-base35, which are metric-compatible with the standard fonts.
Codes that Windows-1252 leaves undefined keep the width of the space. Symbol and ZapfDingbats have
their own built-in encodings and keep their reference tables unchanged.

Usage:
  scripts/generate-font-widths.py            rewrite the generated sources
  scripts/generate-font-widths.py --check    exit 1 when the checked-in sources differ from what
                                             would be generated (nothing is written); without
                                             the AFM files, exit 77 (skipped), or 2 when the
                                             environment variable CI is set

Only the Python 3 standard library is used.
"""

import argparse
import os
import pathlib
import re
import sys

REPOSITORY = pathlib.Path(__file__).resolve().parent.parent
DEFAULT_AFM_DIR = pathlib.Path("/usr/share/fonts/type1/urw-base35")
DEFAULT_REFERENCE = REPOSITORY / "scripts" / "standard-encoding-widths.tsv"
WIDTHS_SOURCE = REPOSITORY / "library" / "fonts" / "font_widths_data.cpp"
GLYPHS_SOURCE = REPOSITORY / "library" / "services" / "windows1252_glyphs.cpp"

# The ten tables in the library's order: (name, column in the reference, AFM file or None when the
# table is copied from the reference unchanged).
TABLES = [
    ("Helvetica (101)", 1, "NimbusSans-Regular"),
    ("Helvetica-Bold (102)", 2, "NimbusSans-Bold"),
    ("Helvetica-Oblique (103)", 3, "NimbusSans-Italic"),
    ("Helvetica-BoldOblique (104)", 4, "NimbusSans-BoldItalic"),
    ("Times-Roman (105)", 5, "NimbusRoman-Regular"),
    ("Times-Bold (106)", 6, "NimbusRoman-Bold"),
    ("Times-Italic (107)", 7, "NimbusRoman-Italic"),
    ("Times-BoldItalic (108)", 8, "NimbusRoman-BoldItalic"),
    ("Symbol (109)", 9, None),
    ("ZapfDingbats (110)", 10, None),
]

# Glyph names of the Windows-1252 codes 32 to 255; None where the code page defines no character.
# Codes 0 to 31 are control characters and have no glyph either.
_ASCII = (
    "space exclam quotedbl numbersign dollar percent ampersand quotesingle parenleft parenright "
    "asterisk plus comma hyphen period slash zero one two three four five six seven eight nine colon "
    "semicolon less equal greater question at A B C D E F G H I J K L M N O P Q R S T U V W X Y Z "
    "bracketleft backslash bracketright asciicircum underscore grave a b c d e f g h i j k l m n o p "
    "q r s t u v w x y z braceleft bar braceright asciitilde -"
)
_HIGH = (
    "Euro - quotesinglbase florin quotedblbase ellipsis dagger daggerdbl circumflex perthousand "
    "Scaron guilsinglleft OE - Zcaron - - quoteleft quoteright quotedblleft quotedblright bullet "
    "endash emdash tilde trademark scaron guilsinglright oe - zcaron Ydieresis "
    # 160 is the no-break space and 173 the soft hyphen: the fonts draw them as space and hyphen.
    "space exclamdown cent sterling currency yen brokenbar section dieresis copyright ordfeminine "
    "guillemotleft logicalnot hyphen registered macron degree plusminus twosuperior threesuperior "
    "acute mu paragraph periodcentered cedilla onesuperior ordmasculine guillemotright onequarter "
    "onehalf threequarters questiondown Agrave Aacute Acircumflex Atilde Adieresis Aring AE Ccedilla "
    "Egrave Eacute Ecircumflex Edieresis Igrave Iacute Icircumflex Idieresis Eth Ntilde Ograve Oacute "
    "Ocircumflex Otilde Odieresis multiply Oslash Ugrave Uacute Ucircumflex Udieresis Yacute Thorn "
    "germandbls agrave aacute acircumflex atilde adieresis aring ae ccedilla egrave eacute ecircumflex "
    "edieresis igrave iacute icircumflex idieresis eth ntilde ograve oacute ocircumflex otilde "
    "odieresis divide oslash ugrave uacute ucircumflex udieresis yacute thorn ydieresis"
)
WINDOWS_1252 = [None] * 32 + [None if name == "-" else name for name in (_ASCII + " " + _HIGH).split()]
assert len(WINDOWS_1252) == 256, len(WINDOWS_1252)


class GenerationError(Exception):
    pass


def read_reference(path):
    """The 256 widths of each of the ten built-in-encoding tables, and their published sums."""
    rows = [line.rstrip("\n").split("\t") for line in path.read_text(encoding="utf-8").splitlines()]
    body = [row for row in rows[1:] if row and row[0] != "sum"]
    if [int(row[0]) for row in body] != list(range(256)):
        raise GenerationError(f"{path}: expected one row for each code 0 to 255")
    tables = [[int(row[column]) for row in body] for column in range(1, 11)]
    sums = next((row for row in rows if row and row[0] == "sum"), None)
    if sums is not None:
        for index, (table, total) in enumerate(zip(tables, sums[1:])):
            if sum(table) != int(total):
                raise GenerationError(f"{path}: table {TABLES[index][0]} does not add up to {total}")
    return tables


def read_afm(path):
    """(code -> glyph name in the font's built-in encoding, glyph name -> advance width)."""
    text = path.read_text(encoding="latin-1")
    if not re.search(r"^EncodingScheme AdobeStandardEncoding\s*$", text, re.MULTILINE):
        raise GenerationError(f"{path}: not in StandardEncoding")
    builtin, widths = {}, {}
    for match in re.finditer(r"^C (-?\d+) ; WX (\d+) ; N (\S+) ;", text, re.MULTILINE):
        code, width, name = int(match[1]), int(match[2]), match[3]
        widths[name] = width
        if code >= 0:
            builtin[code] = name
    return builtin, widths


def windows_table(name, reference, builtin, widths):
    """The widths of one text font by Windows-1252 code; notes where the AFM and the reference differ."""
    standard_code = {glyph: code for code, glyph in builtin.items()}
    space = reference[32]
    table, notes = [], []
    for code, glyph in enumerate(WINDOWS_1252):
        if glyph is None:
            table.append(space)
        elif glyph in standard_code:
            width = reference[standard_code[glyph]]
            if widths[glyph] != width:
                notes.append(f"{name}: {glyph} is {widths[glyph]} in the AFM, {width} kept")
            table.append(width)
        elif glyph in widths:
            table.append(widths[glyph])
        else:
            raise GenerationError(f"{name}: no glyph {glyph} for code {code}")
    return table, notes


def prove(name, table, reference, builtin):
    """Every glyph the built-in encoding also has keeps its reference width; undefined codes the space."""
    standard_code = {glyph: code for code, glyph in builtin.items()}
    for code, glyph in enumerate(WINDOWS_1252):
        expected = reference[32] if glyph is None else reference[standard_code[glyph]] if glyph in standard_code else None
        if expected is not None and table[code] != expected:
            raise GenerationError(f"{name}: code {code} ({glyph}) is {table[code]}, not {expected}")
        if builtin.get(code) == glyph and glyph is not None and table[code] != reference[code]:
            raise GenerationError(f"{name}: code {code} ({glyph}) moved from {reference[code]}")


def build_tables(afm_dir, reference_path):
    reference = read_reference(reference_path)
    tables, notes = [], []
    for (name, column, afm), old in zip(TABLES, reference):
        if afm is None:
            tables.append(old)
            continue
        builtin, widths = read_afm(afm_dir / f"{afm}.afm")
        table, table_notes = windows_table(name, old, builtin, widths)
        prove(name, table, old, builtin)
        tables.append(table)
        notes += table_notes
    return tables, notes


def widths_source(tables):
    lines = [
        "// Generated by scripts/generate-font-widths.py; do not edit.",
        "// The advance widths of the standard fonts, in thousandths of the font size. Each table lists the",
        "// codes 0 to 255 in order: by Windows-1252 code for Helvetica and Times, by the fonts' own",
        "// encoding for Symbol and ZapfDingbats.",
        '#include "fonts/font_widths.h"',
        "",
        "namespace paginor {",
        "",
        "const std::array<WidthTable, 10> FontWidthTables = {{",
    ]
    for (name, _, _), table in zip(TABLES, tables):
        lines += [f"    // {name}", "    {{"]
        for row in range(0, 256, 16):
            lines.append("        " + ", ".join(str(width) for width in table[row:row + 16]) + ",")
        lines.append("    }},")
    lines += ["}};", "", "}  // namespace paginor", ""]
    return "\n".join(lines)


def glyphs_source():
    lines = [
        "// Generated by scripts/generate-font-widths.py; do not edit.",
        '#include "services/windows1252_glyphs.h"',
        "",
        "namespace paginor {",
        "",
        "const std::array<const char*, 256> Windows1252GlyphNames = {",
    ]
    for row in range(0, 256, 8):
        names = ('"' + glyph + '"' if glyph else "nullptr" for glyph in WINDOWS_1252[row:row + 8])
        lines.append("    " + ", ".join(names) + ",")
    lines += ["};", "", "}  // namespace paginor", ""]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--afm-dir", type=pathlib.Path, default=DEFAULT_AFM_DIR)
    parser.add_argument("--reference", type=pathlib.Path, default=DEFAULT_REFERENCE)
    parser.add_argument("--check", action="store_true", help="compare with the checked-in sources")
    arguments = parser.parse_args()
    if arguments.check and not arguments.afm_dir.is_dir() and not os.environ.get("CI"):
        print(f"generate-font-widths: skipped, {arguments.afm_dir} is missing (fonts-urw-base35)")
        return 77
    try:
        tables, notes = build_tables(arguments.afm_dir, arguments.reference)
    except (GenerationError, OSError) as error:
        print(f"generate-font-widths: {error}", file=sys.stderr)
        return 2
    for note in notes:
        print(f"note: {note}", file=sys.stderr)
    outputs = {WIDTHS_SOURCE: widths_source(tables), GLYPHS_SOURCE: glyphs_source()}
    stale = [path for path, text in outputs.items() if not path.exists() or path.read_text(encoding="utf-8") != text]
    if arguments.check:
        for path in stale:
            print(f"generate-font-widths: {path.relative_to(REPOSITORY)} is not what the script generates",
                  file=sys.stderr)
        return 1 if stale else 0
    for path in stale:
        path.write_text(outputs[path], encoding="utf-8")
        print(f"wrote {path.relative_to(REPOSITORY)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
