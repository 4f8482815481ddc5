#!/usr/bin/python3
"""Writes a PNG picture again with its pixel data deflated at the best
compression, for the page: the icons are kept stored, uncompressed.

Usage: pack_png.py FROM.png TO.png
"""
import struct
import sys
import zlib


def chunks(data):
    at = 8
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))


def main():
    data = open(sys.argv[1], 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit('%s is not a PNG picture' % sys.argv[1])
    pixels = b''.join(body for kind, body in chunks(data) if kind == b'IDAT')
    out = [data[:8]]
    for kind, body in chunks(data):
        if kind == b'IDAT':
            if pixels is not None:
                out.append(chunk(b'IDAT', zlib.compress(zlib.decompress(pixels), 9)))
                pixels = None
        else:
            out.append(chunk(kind, body))
    open(sys.argv[2], 'wb').write(b''.join(out))


if __name__ == '__main__':
    main()
