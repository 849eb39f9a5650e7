#!/usr/bin/env python3
"""Fails when a public declaration in Doxygen's XML output has no description.

Doxygen's own check (WARN_IF_UNDOCUMENTED) passes over enumerators and namespaces; this one reads every
namespace, class, file, member and enumerator of the reference and lists those left without a word.
Usage: check_documented.py <doxygen xml directory>
"""
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path


def described(element):
    """True when the element's brief or detailed description holds any text."""
    for kind in ("briefdescription", "detaileddescription"):
        part = element.find(kind)
        if part is not None and "".join(part.itertext()).strip():
            return True
    return False


def undocumented(xml_directory):
    """Yields 'kind name (file:line)' for every declaration without a description."""
    for path in sorted(Path(xml_directory).glob("*.xml")):
        if path.name == "index.xml":
            continue
        for compound in ElementTree.parse(path).getroot().iter("compounddef"):
            kind = compound.get("kind")
            name = compound.findtext("compoundname")
            if kind in ("page", "dir") or (kind == "file" and not name.endswith(".h")):
                continue
            # A header needs no description of its own, but every declaration in it does.
            if kind != "file" and not described(compound):
                yield f"{kind} {name}"
            for member in compound.iter("memberdef"):
                if member.get("prot") == "private":
                    continue
                where = member.find("location")
                place = f"{where.get('file')}:{where.get('line')}" if where is not None else name
                member_name = f"{name}::{member.findtext('name')}"
                if not described(member):
                    yield f"{member.get('kind')} {member_name} ({place})"
                for value in member.iter("enumvalue"):
                    if not described(value):
                        yield f"enumerator {member_name}::{value.findtext('name')} ({place})"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    missing = sorted(set(undocumented(sys.argv[1])))
    for entry in missing:
        print(f"undocumented: {entry}", file=sys.stderr)
    if missing:
        sys.exit(1)
    print("every public declaration is documented")


if __name__ == "__main__":
    main()
