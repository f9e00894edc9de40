#!/usr/bin/env python3
"""Prints the target and the working folder of a Windows shortcut (.lnk), one a line, as the
shell link format stores them: the target's local path in the link information, the working
folder among the strings after it."""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR, IS_UNICODE = (
    0x1, 0x2, 0x4, 0x8, 0x10, 0x80)


def c_string(data, start, wide):
    if wide:
        end = start
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[start:end].decode("utf-16-le")
    return data[start:data.index(b"\0", start)].decode("cp1252")


def main(path):
    data = open(path, "rb").read()
    if len(data) < 76 or struct.unpack_from("<I", data, 0)[0] != 0x4C:
        sys.exit(f"{path}: not a shortcut")
    flags = struct.unpack_from("<I", data, 20)[0]
    offset = 76
    if flags & HAS_ID_LIST:
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        size, header, info_flags, _, base = struct.unpack_from("<IIIII", data, offset)
        if info_flags & 1:
            if header >= 0x24:
                base_unicode = struct.unpack_from("<I", data, offset + 28)[0]
                target = c_string(data, offset + base_unicode, True)
            else:
                target = c_string(data, offset + base, False)
        offset += size
    wide = bool(flags & IS_UNICODE)
    working = ""
    for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR):
        if flags & flag:
            count = struct.unpack_from("<H", data, offset)[0]
            length = count * 2 if wide else count
            text = data[offset + 2:offset + 2 + length]
            text = text.decode("utf-16-le") if wide else text.decode("cp1252")
            offset += 2 + length
            if flag == HAS_WORKING_DIR:
                working = text.rstrip("\0")
    print(target)
    print(working)


if __name__ == "__main__":
    main(sys.argv[1])
