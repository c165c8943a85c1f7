"""Writes the release zip and SHA256SUMS so that one commit always gives the same bytes.

Usage: package_zip.py SOURCE_DIR OUTPUT_DIR ZIP_NAME EXE DOCUMENT...

The exe goes first, under its file name, then each document: one made by the
build, given by its absolute path, under its file name (readme.txt), the
others under their path in SOURCE_DIR (so the pictures stay in docs/, where
the guide says they are). All entries have the commit time of SOURCE_DIR, as
commit_time.py tells it, and
nothing of the host: one plain file mode, no owner, no extra time field.
CMake's own archive writer stores each file's access and change times, so it
cannot do this. The entries are stored, not deflated: compressors differ
between zlib builds, and the zip must come out the same on any machine.
SHA256SUMS lists the zip first, the line a downloader looks for, then the
files inside it, as `sha256sum -c` reads them.
"""

import hashlib
import pathlib
import sys
import time
import zipfile

from commit_time import commit_time


def main(source_dir, output_dir, zip_name, exe, *documents):
    # Zip times are local times without a zone; UTC makes them the same anywhere.
    entry_time = time.gmtime(commit_time(source_dir))[:6]
    output = pathlib.Path(output_dir)
    sums = []
    with zipfile.ZipFile(output / zip_name, "w") as archive:
        entries = [(pathlib.Path(exe).name, pathlib.Path(exe))]
        for document in map(pathlib.Path, documents):
            name = document.name if document.is_absolute() else document.as_posix()
            entries.append((name, pathlib.Path(source_dir, document)))
        for name, file in entries:
            data = file.read_bytes()
            entry = zipfile.ZipInfo(name, entry_time)
            entry.create_system = 3  # Unix, to give every file the same plain mode
            entry.external_attr = 0o100644 << 16
            archive.writestr(entry, data)
            sums.append((hashlib.sha256(data).hexdigest(), name))
    sums.insert(0, (hashlib.sha256((output / zip_name).read_bytes()).hexdigest(), zip_name))
    (output / "SHA256SUMS").write_bytes("".join(f"{h}  {n}\n" for h, n in sums).encode())


if __name__ == "__main__":
    main(*sys.argv[1:])
