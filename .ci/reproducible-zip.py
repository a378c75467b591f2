#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend only on the files' contents.

  reproducible-zip.py --time YYYY-MM-DDTHH:MM:SS ARCHIVE FILE...

Each FILE is stored under its own name (no folders), in the order given,
with the time given, the same permissions and the same "made on" system
whatever the machine, and no extra fields: two runs over the same files give
the same archive, on Linux as on Windows. The archive is written beside its
final name and renamed over it only when complete.
"""

import argparse
import datetime
import os
import sys
import zipfile


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--time", required=True, help="every entry's time, YYYY-MM-DDTHH:MM:SS")
    parser.add_argument("archive")
    parser.add_argument("files", nargs="+")
    arguments = parser.parse_args()

    when = datetime.datetime.fromisoformat(arguments.time)
    partial = arguments.archive + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name in arguments.files:
            entry = zipfile.ZipInfo(os.path.basename(name), date_time=when.timetuple()[:6])
            entry.create_system = 3  # Unix, so that the permissions below are read
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(name, "rb") as contents:
                archive.writestr(entry, contents.read(), compresslevel=9)
    os.replace(partial, arguments.archive)
    return 0


if __name__ == "__main__":
    sys.exit(main())
