#!/usr/bin/env python3
"""Turns the line breaks of the help strings in a type library that widl compiled into CR LF.

widl keeps an IDL string's \\n as the two characters backslash and n. Both are replaced in
place by CR LF, which has the same length, so that nothing else in the library moves. The IDL
names how many such breaks there are; any other count stops the build.
"""

import argparse
import pathlib
import re
import sys


def expected_breaks(idl_text):
    count = 0
    for literal in re.findall(r'helpstring\("((?:[^"\\]|\\.)*)"\)', idl_text):
        count += literal.count("\\n")
    return count


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--idl", required=True, type=pathlib.Path)
    parser.add_argument("library", type=pathlib.Path)
    args = parser.parse_args()
    data = args.library.read_bytes()
    wanted = expected_breaks(args.idl.read_text(encoding="utf-8"))
    found = data.count(b"\\n")
    if found != wanted:
        print(f"{args.library}: {found} line breaks to fix, the IDL has {wanted}", file=sys.stderr)
        return 1
    args.library.write_bytes(data.replace(b"\\n", b"\r\n"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
