#!/usr/bin/env python3
"""Reads the RCDATA resources of a built setup.exe and checks each against the
file table and the files that the build made: a packed resource is exactly its
packed size and unpacks (lzhpack unpack) to exactly its made file, a stored
one is its made file, the texts are their files; no resource is missing,
none is left over, and each is in US English.

usage: payload_resources_test.py SETUP_EXE LZHPACK FILE_TABLE PAYLOAD_DIR [TEXT_NAME...]
FILE_TABLE is payload_table's output; PAYLOAD_DIR holds the made file of each
resource under its resource name. Prints one line per failed case; exit 1.
"""
import os
import struct
import subprocess
import sys
import tempfile

RT_RCDATA = 10
US_ENGLISH = 1033


def rcdata_resources(exe_path):
    """{name: [(language, bytes)]} of the RT_RCDATA resources with text names."""
    with open(exe_path, 'rb') as exe:
        image = exe.read()
    pe = struct.unpack_from('<I', image, 0x3C)[0]
    if image[pe:pe + 4] != b'PE\0\0':
        raise ValueError('%s is not a PE file' % exe_path)
    section_count, optional_size = struct.unpack_from('<H12xH', image, pe + 6)
    optional = pe + 24
    if struct.unpack_from('<H', image, optional)[0] != 0x10B:
        raise ValueError('%s is not a 32-bit PE file' % exe_path)
    resource_rva = struct.unpack_from('<I', image, optional + 96 + 2 * 8)[0]
    sections = [struct.unpack_from('<8xIIII', image, optional + optional_size + 40 * i)
                for i in range(section_count)]

    def offset_of(rva):
        for virtual_size, address, raw_size, raw_offset in sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError('address 0x%x lies in no section' % rva)

    root = offset_of(resource_rva)

    def entries(directory):
        named, numbered = struct.unpack_from('<12xHH', image, root + directory)
        for i in range(named + numbered):
            key, target = struct.unpack_from('<II', image, root + directory + 16 + 8 * i)
            if key & 0x80000000:
                length = struct.unpack_from('<H', image, root + (key & 0x7FFFFFFF))[0]
                start = root + (key & 0x7FFFFFFF) + 2
                key = image[start:start + 2 * length].decode('utf-16-le')
            yield key, target

    resources = {}
    for type_id, types in entries(0):
        if type_id != RT_RCDATA:
            continue
        for name, languages in entries(types & 0x7FFFFFFF):
            for language, data_entry in entries(languages & 0x7FFFFFFF):
                rva, size = struct.unpack_from('<II', image, root + data_entry)
                start = offset_of(rva)
                resources.setdefault(name, []).append((language, image[start:start + size]))
    return resources


def read_table(path):
    with open(path, encoding='ascii') as table:
        for line in table:
            name, file_name, file_size, packed_size = line.rstrip('\n').split('\t')
            yield name, file_name, int(file_size), int(packed_size)


def unpack(lzhpack, stream, size, work):
    packed = os.path.join(work, 'stream')
    unpacked = os.path.join(work, 'unpacked')
    with open(packed, 'wb') as out:
        out.write(stream)
    result = subprocess.run([lzhpack, 'unpack', packed, unpacked, str(size)],
                            capture_output=True, text=True)
    if result.returncode != 0:
        return None, 'lzhpack unpack failed (%d): %s' % (result.returncode, result.stderr.strip())
    with open(unpacked, 'rb') as data:
        return data.read(), None


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return i
    return min(len(a), len(b))


def compare(got, expected, what):
    if got == expected:
        return None
    return '%s: %d bytes, the made file %d; they first differ at byte %d' % (
        what, len(got), len(expected), first_difference(got, expected))


def check(setup_exe, lzhpack, table_path, payload_dir, text_names):
    resources = rcdata_resources(setup_exe)
    failures = []
    expected_names = set(text_names)
    cases = [(name, file_name, file_size, packed_size)
             for name, file_name, file_size, packed_size in read_table(table_path)]
    cases += [(name, name, None, 0) for name in text_names]
    with tempfile.TemporaryDirectory() as work:
        for name, file_name, file_size, packed_size in cases:
            expected_names.add(name)
            case = '%s (%s)' % (name, file_name)
            found = resources.get(name)
            if not found:
                failures.append('%s: no RCDATA resource of that name in setup.exe' % case)
                continue
            languages = [language for language, _ in found]
            if languages != [US_ENGLISH]:
                failures.append('%s: languages %s, not just %d' % (case, languages, US_ENGLISH))
            stream = found[0][1]
            with open(os.path.join(payload_dir, name), 'rb') as made_file:
                made = made_file.read()
            if file_size is not None and len(made) != file_size:
                failures.append('%s: the made file is %d bytes, the file table says %d'
                                % (case, len(made), file_size))
            if packed_size == 0:
                problem = compare(stream, made, '%s: the stored resource' % case)
            elif len(stream) != packed_size:
                problem = '%s: the resource is %d bytes, the file table says %d' % (
                    case, len(stream), packed_size)
            else:
                unpacked, error = unpack(lzhpack, stream, file_size, work)
                problem = ('%s: %s' % (case, error) if error
                           else compare(unpacked, made, '%s: unpacked' % case))
            if problem:
                failures.append(problem)
    for name in sorted(set(resources) - expected_names, key=str):
        failures.append('%s: an RCDATA resource that neither the file table nor the texts name'
                        % name)
    return failures


def main():
    if len(sys.argv) < 5:
        sys.stderr.write(__doc__)
        return 2
    failures = check(sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5:])
    for failure in failures:
        print('FAIL ' + failure)
    if not failures:
        print('every payload resource matches its made file')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
