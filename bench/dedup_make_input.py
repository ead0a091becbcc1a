#!/usr/bin/env python3
"""Writes a line file for dedup_bench: LINES lines of code page 936 text
ending in CR LF, of which the share REPEATS repeats an earlier line.

usage: dedup_make_input.py LINES REPEATS OUT
"""
import random
import sys


def main():
    count, repeats, out = int(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
    rng = random.Random(20261211)
    # Two-byte characters from the GB2312 block, ASCII words and digits,
    # about 32 bytes a line on average.
    hanzi = [bytes([lead, trail]) for lead in range(0xB0, 0xD8)
             for trail in range(0xA1, 0xFF)]
    words = [b"alpha", b"beta", b"gamma", b"delta", b"Tab\t", b"x ", b"42"]
    distinct = []
    with open(out, "wb") as f:
        chunk = []
        for i in range(count):
            if distinct and rng.random() < repeats:
                line = distinct[rng.randrange(len(distinct))]
            else:
                parts = [b"%d " % i]
                while sum(map(len, parts)) < rng.randint(19, 49):
                    if rng.random() < 0.6:
                        parts.append(b"".join(rng.choices(hanzi, k=3)))
                    else:
                        parts.append(rng.choice(words))
                line = b"".join(parts)
                distinct.append(line)
            chunk.append(line)
            if len(chunk) == 65536:
                f.write(b"\r\n".join(chunk) + b"\r\n")
                chunk = []
        if chunk:
            f.write(b"\r\n".join(chunk) + b"\r\n")


if __name__ == "__main__":
    main()
