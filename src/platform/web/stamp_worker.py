#!/usr/bin/python3
"""Writes the page's service worker: its template with the files it keeps and
the name of their cache, the first 16 hexadecimal digits of a SHA-256 hash of
their names and contents, so that a build that changes any of them has a
worker and a cache of its own.

Usage: stamp_worker.py TEMPLATE OUTPUT FOLDER FILE...
  FILE: the kept files, named from FOLDER, as the page fetches them
"""
import hashlib
import json
import os
import sys


def main():
    template, output, folder, *files = sys.argv[1:]
    digest = hashlib.sha256()
    for name in files:
        with open(os.path.join(folder, name), 'rb') as kept:
            contents = kept.read()
        digest.update(name.encode() + b'\0' + len(contents).to_bytes(8, 'little') + contents)
    with open(template) as source:
        text = source.read()
    text = text.replace('@KELMOT_BUILD@', digest.hexdigest()[:16])
    text = text.replace('@KELMOT_CACHED_FILES@', json.dumps(files))
    with open(output, 'w') as worker:
        worker.write(text)


if __name__ == '__main__':
    main()
