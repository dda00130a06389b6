#!/usr/bin/env python3
"""Makes the product's payload files at the sizes of the setup program's file
table, and checks the made and packed files against that table.

usage:
  make_payload.py pad   NAME IN OUT --table TABLE   IN padded to NAME's file size
  make_payload.py copy  NAME IN OUT (--table TABLE | --size N)
                                                    IN, which must be exactly that size
  make_payload.py help  NAME OUT --table TABLE      the help file's placeholder
  make_payload.py check TABLE DIR --packed NAME... --stored NAME...
                                                    DIR/NAME (made) and DIR/NAME.lzh (packed)

TABLE is what payload_table prints: resource name, file name, file size and
packed size, tab-separated, one row a line. Deterministic: the same bytes on
every run. Any failure prints what is wrong and exits with 1.
"""
import argparse
import os
import struct
import sys
import zlib


def read_table(path):
    rows = {}
    with open(path, encoding='ascii') as table:
        for line in table:
            name, file_name, file_size, packed_size = line.rstrip('\n').split('\t')
            rows[name] = (file_name, int(file_size), int(packed_size))
    return rows


def fail(message):
    sys.stderr.write('make_payload: %s\n' % message)
    sys.exit(1)


def filler(name, length, stray_eighths=1):
    """Bytes that neither pack to nothing nor resist packing: words of a small
    random vocabulary, skewed toward the first ones, with stray bytes between
    (stray_eighths of the picks), so that a packed payload holds literals,
    matches and tree rebuilds all the way through. Seeded by the resource
    name, so the two variants differ."""
    state = zlib.crc32(name.encode('ascii')) or 1

    def next_random():
        nonlocal state      # xorshift32
        state ^= (state << 13) & 0xFFFFFFFF
        state ^= state >> 17
        state ^= (state << 5) & 0xFFFFFFFF
        return state

    words = [bytes(next_random() & 0xFF for _ in range(1 + next_random() % 8)) for _ in range(256)]
    out = bytearray()
    while len(out) < length:
        r = next_random()
        if r & 7 < stray_eighths:
            out.append((r >> 8) & 0xFF)
        else:
            out += words[((r >> 8) & 0xFF) * ((r >> 16) & 0xFF) >> 8]
    return bytes(out[:length])


def file_size_of(args):
    if args.size is not None:
        return args.size
    rows = read_table(args.table)
    if args.name not in rows:
        fail('%s is not in the file table' % args.name)
    return rows[args.name][1]


def write(path, data):
    with open(path, 'wb') as out:
        out.write(data)


def pad(args):
    """A linked program plus filler after its last section: the loader maps
    sections only, so the program stays a valid one of the table's size."""
    size = file_size_of(args)
    with open(args.input, 'rb') as source:
        data = source.read()
    if len(data) > size:
        fail('%s: %s is %d bytes, more than the %d bytes that the file table gives it'
             % (args.name, args.input, len(data), size))
    write(args.output, data + filler(args.name, size - len(data)))


def copy(args):
    size = file_size_of(args)
    with open(args.input, 'rb') as source:
        data = source.read()
    if len(data) != size:
        fail('%s: %s is %d bytes but must be exactly %d; edit the text to that size'
             % (args.name, args.input, len(data), size))
    write(args.output, data)


# Compiled help starts with this header: signature, version 3, header length,
# a time stamp of 0 (none), language 1033, two class ids, then where the
# file-size section and the directory lie. Its content is compressed already,
# hence mostly stray bytes after it.
HELP_CLASS_IDS = (bytes.fromhex('10fd017caa7bd0119e0c00a0c922e6ec') +
                  bytes.fromhex('11fd017caa7bd0119e0c00a0c922e6ec'))


def help_placeholder(args):
    size = file_size_of(args)
    header_size, size_section = 0x60, 0x18
    directory = header_size + size_section
    header = (b'ITSF' + struct.pack('<IIIII', 3, header_size, 1, 0, 0x409) + HELP_CLASS_IDS +
              struct.pack('<QQQQQ', header_size, size_section, directory, size - directory, size))
    size_record = struct.pack('<IIQII', 0x1FE, 0, size, 0, 0)
    start = header + size_record
    write(args.output, start + filler(args.name, size - len(start), stray_eighths=7))


def check(args):
    rows = read_table(args.table)
    made = set(args.packed) | set(args.stored)
    problems = []
    sizes_to_set = []
    for name in sorted(made - set(rows)):
        problems.append('the build makes %s, which the file table does not list' % name)
    for name, (file_name, file_size, packed_size) in rows.items():
        if name not in made:
            problems.append('the file table lists %s (%s), which the build does not make'
                            % (name, file_name))
            continue
        made_size = os.path.getsize(os.path.join(args.dir, name))
        if made_size != file_size:
            problems.append('%s (%s) is %d bytes but the file table says %d'
                            % (name, file_name, made_size, file_size))
        if name in args.stored:
            if packed_size != 0:
                problems.append('%s is stored by the build but the file table gives it a packed '
                                'size (%d): set PACKED_SIZE_%s to 0 or pack it'
                                % (name, packed_size, name))
            continue
        if packed_size == 0:
            problems.append('%s is packed by the build but stored in the file table (packed size 0)'
                            % name)
            continue
        stream_size = os.path.getsize(os.path.join(args.dir, name + '.lzh'))
        if stream_size != packed_size:
            problems.append('%s packs to %d bytes but the file table says %d: '
                            'set PACKED_SIZE_%s in setup/payload_sizes.h'
                            % (name, stream_size, packed_size, name))
            sizes_to_set.append((name, stream_size))
    if problems:
        message = 'the payload disagrees with the file table:\n  ' + '\n  '.join(problems)
        if sizes_to_set:
            message += '\nthe measured packed sizes:\n' + ''.join(
                '#define PACKED_SIZE_%-11s %d\n' % row for row in sizes_to_set)
        fail(message)


def main():
    parser = argparse.ArgumentParser(description='Makes and checks the payload files.')
    commands = parser.add_subparsers(dest='command', required=True)
    for command, inputs in (('pad', True), ('copy', True), ('help', False)):
        sub = commands.add_parser(command)
        sub.add_argument('name')
        if inputs:
            sub.add_argument('input')
        sub.add_argument('output')
        sizes = sub.add_mutually_exclusive_group(required=True)
        sizes.add_argument('--table')
        if command == 'copy':
            sizes.add_argument('--size', type=int)
        sub.set_defaults(size=None)
    sub = commands.add_parser('check')
    sub.add_argument('table')
    sub.add_argument('dir')
    sub.add_argument('--packed', nargs='*', default=[])
    sub.add_argument('--stored', nargs='*', default=[])
    args = parser.parse_args()
    {'pad': pad, 'copy': copy, 'help': help_placeholder, 'check': check}[args.command](args)


if __name__ == '__main__':
    main()
