#!/usr/bin/python3
"""Writes a picture as PNG, for the page, with its pixel data deflated at the
best compression: a PNG again (the icons are kept stored, uncompressed), or an
uncompressed 24-bit BMP (the dialog's banner, which the browser then fetches and
shows itself, as it does any picture).

Usage: pack_png.py FROM.png|FROM.bmp TO.png
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


PNG_SIGNATURE = b'\x89PNG\r\n\x1a\n'


def png_from_bmp(data, name):
    """The same pixels as PNG: rows top down, red, green, blue."""
    offset, = struct.unpack_from('<I', data, 10)
    width, height, _, bits, compression = struct.unpack_from('<iiHHI', data, 18)
    if bits != 24 or compression != 0 or width <= 0 or height == 0:
        sys.exit('%s is not an uncompressed 24-bit BMP picture' % name)
    stride = (width * 3 + 3) & ~3
    if offset + stride * abs(height) > len(data):
        sys.exit('%s is cut short' % name)
    rows = []
    for y in range(abs(height)):
        at = offset + stride * (abs(height) - 1 - y if height > 0 else y)
        blue_green_red = data[at:at + width * 3]
        row = bytearray(blue_green_red)
        row[0::3], row[2::3] = blue_green_red[2::3], blue_green_red[0::3]
        rows.append(b'\0' + bytes(row))
    header = struct.pack('>IIBBBBB', width, abs(height), 8, 2, 0, 0, 0)
    return (PNG_SIGNATURE + chunk(b'IHDR', header) +
            chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b''))


def main():
    data = open(sys.argv[1], 'rb').read()
    if data[:2] == b'BM':
        open(sys.argv[2], 'wb').write(png_from_bmp(data, sys.argv[1]))
        return
    if data[:8] != PNG_SIGNATURE:
        sys.exit('%s is not a PNG or BMP picture' % sys.argv[1])
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
