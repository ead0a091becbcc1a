#!/usr/bin/env python3
"""Turns Microsoft's bestfit936.txt into the compact table the converter uses.

Usage:
  make_cp936_table.py BESTFIT936 OUTPUT [--strict CP936.TXT] [--verify]

With --verify, OUTPUT is compared with what would be written instead of
being replaced: exit status 1 when they differ, 77 (a skip to CTest) when
BESTFIT936 is not there.

The output keeps only numbers: the single bytes, the double-byte rows in
trail-byte order, and the Unicode-to-bytes entries that are not simply the
inverse of a decoding (the best-fit substitutions). The converter rebuilds
its lookup arrays from these at compile time.

Everything the converter assumes about the data is checked here, so a
different or damaged input fails loudly instead of producing a subtly wrong
table. With --strict, every entry of the round-trip table CP936.TXT must
agree with the decoding taken from the best-fit file.
"""

import argparse
import os
import sys

# The converter tests trail bytes by this rule rather than by a table, so the
# data must use exactly these.
TRAIL_BYTES = list(range(0x40, 0x7F)) + list(range(0x80, 0xFF))
ROW_WIDTH = len(TRAIL_BYTES)  # 190


class TableError(Exception):
    pass


def records(path):
    """Yields the fields of each non-empty line, comments removed."""
    with open(path, 'rb') as f:
        for number, raw in enumerate(f, 1):
            line = raw.split(b';', 1)[0].strip()
            if line:
                yield number, [field.decode('ascii') for field in line.split()]


def parse_bestfit(path):
    single = {}       # byte -> unit
    double = {}       # lead << 8 | trail -> unit
    wide = {}         # unit -> bytes
    section = None
    declared = {}
    leads = None
    lead = None
    row_counts = {}
    for number, fields in records(path):
        tag = fields[0]
        if tag == 'CODEPAGE':
            if fields[1:] != ['936']:
                raise TableError(f'line {number}: not code page 936')
            continue
        if tag == 'CPINFO':
            if [int(x, 0) for x in fields[1:4]] != [2, 0x3F, 0x3F]:
                raise TableError(f'line {number}: unexpected CPINFO {fields}')
            continue
        if tag == 'ENDCODEPAGE':
            break
        if tag in ('MBTABLE', 'WCTABLE'):
            section = tag
            declared[tag] = int(fields[1])
            continue
        if tag == 'DBCSRANGE':
            if int(fields[1]) != 1:
                raise TableError(f'line {number}: expected one lead byte range')
            section = 'DBCSRANGE'
            continue
        if tag == 'DBCSTABLE':
            if leads is None:
                raise TableError(f'line {number}: DBCSTABLE before its range')
            lead = leads[0] if lead is None else lead + 1
            if lead > leads[1]:
                raise TableError(f'line {number}: more tables than lead bytes')
            row_counts[lead] = int(fields[1])
            section = 'DBCSTABLE'
            continue
        if len(fields) < 2:
            raise TableError(f'line {number}: expected two numbers')
        first, second = int(fields[0], 16), int(fields[1], 16)
        if section == 'MBTABLE':
            single[first] = second
        elif section == 'DBCSRANGE':
            leads = (first, second)
        elif section == 'DBCSTABLE':
            if first > 0xFF:
                raise TableError(f'line {number}: trail byte out of range')
            double[lead << 8 | first] = second
        elif section == 'WCTABLE':
            if first in wide:
                raise TableError(f'line {number}: unit {first:#06x} twice')
            wide[first] = second
        else:
            raise TableError(f'line {number}: record outside a section')
    if len(single) != declared.get('MBTABLE'):
        raise TableError('MBTABLE count does not match its records')
    if len(wide) != declared.get('WCTABLE'):
        raise TableError('WCTABLE count does not match its records')
    if lead != leads[1]:
        raise TableError('a lead byte has no DBCSTABLE')
    return single, leads, double, row_counts, wide


def check(single, leads, double, row_counts, wide):
    first_lead, last_lead = leads
    for b in range(256):
        is_lead = first_lead <= b <= last_lead
        if is_lead == (b in single):
            raise TableError(f'byte {b:#04x} must be either a lead byte or '
                             'a single byte')
    for lead in range(first_lead, last_lead + 1):
        trails = sorted(k & 0xFF for k in double if k >> 8 == lead)
        if trails != TRAIL_BYTES or row_counts[lead] != ROW_WIDTH:
            raise TableError(f'lead byte {lead:#04x}: unexpected trail bytes')
    decoded = {**single, **double}
    units = {}
    for code, unit in decoded.items():
        if unit in units:
            raise TableError(f'unit {unit:#06x} decodes from two codes')
        if 0xD800 <= unit <= 0xDFFF:
            raise TableError(f'code {code:#06x} decodes to a surrogate')
        if unit == 0 and code != 0:
            raise TableError(f'code {code:#06x} decodes to zero')
        if unit == 0xFFFF:
            raise TableError(f'code {code:#06x} decodes to U+FFFF, which '
                             'the converter uses to mark lead bytes')
        units[unit] = code
    for unit, code in units.items():
        if wide.get(unit) != code:
            raise TableError(f'unit {unit:#06x} does not encode back')
    best_fit = sorted((u, c) for u, c in wide.items() if units.get(u) != c)
    for unit, code in best_fit:
        if code not in decoded:
            raise TableError(f'best fit {unit:#06x} -> {code:#06x} is no code')
        if code == 0:
            raise TableError(f'best fit {unit:#06x} encodes to zero')
    return best_fit


def check_strict(path, single, double):
    agreed = 0
    with open(path, 'rb') as f:
        for raw in f:
            line = raw.split(b'#', 1)[0].split()
            if len(line) < 2:
                continue  # comment or lead-byte marker
            code, unit = int(line[0], 16), int(line[1], 16)
            ours = single.get(code) if code <= 0xFF else double.get(code)
            if ours != unit:
                raise TableError(f'{path}: {code:#06x} -> {unit:#06x}, '
                                 f'best-fit table says {ours}')
            agreed += 1
    return agreed


def hex_lines(items, per_line):
    return [' '.join(items[i:i + per_line]) for i in range(0, len(items), per_line)]


def unit_items(values):
    return [f'0x{v:04X},' for v in values]


def pairs(entries):
    return [f'{{0x{a:04X}, 0x{b:04X}}},' for a, b in entries]


def render(single, leads, double, best_fit, source_name):
    first_lead, last_lead = leads
    out = [
        f'// Generated by gen/make_cp936_table.py from {source_name}; do not edit.',
        '// Included once, by cp936_table.cc.',
        '',
        f'inline constexpr int kSingleByteCount = {len(single)};',
        f'inline constexpr int kFirstLeadByte = 0x{first_lead:02X};',
        f'inline constexpr int kLastLeadByte = 0x{last_lead:02X};',
        f'inline constexpr int kTrailBytesPerLead = {ROW_WIDTH};',
        f'inline constexpr int kBestFitCount = {len(best_fit)};',
        '',
        '// Byte, then the UTF-16 unit it decodes to.',
        'inline constexpr std::uint16_t kSingleByteData[kSingleByteCount][2] = {',
    ]
    out += ['    ' + l for l in hex_lines(pairs(sorted(single.items())), 5)]
    out += [
        '};',
        '',
        '// One row per lead byte, one unit per trail byte 0x40-0x7E, 0x80-0xFE.',
        'inline constexpr char16_t',
        '    kDoubleByteData[kLastLeadByte - kFirstLeadByte + 1]'
        '[kTrailBytesPerLead] = {',
    ]
    for lead in range(first_lead, last_lead + 1):
        row = [double[lead << 8 | t] for t in TRAIL_BYTES]
        out.append(f'        {{  // 0x{lead:02X}')
        out += ['            ' + l for l in hex_lines(unit_items(row), 10)]
        out.append('        },')
    out += [
        '};',
        '',
        '// Unit, then the code it encodes to, for units that no code decodes to.',
        'inline constexpr std::uint16_t kBestFitData[kBestFitCount][2] = {',
    ]
    out += ['    ' + l for l in hex_lines(pairs(best_fit), 5)]
    out += ['};', '']
    return '\n'.join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('bestfit')
    parser.add_argument('output')
    parser.add_argument('--strict', help='round-trip table to cross-check')
    parser.add_argument('--verify', action='store_true',
                        help='compare OUTPUT instead of writing it')
    args = parser.parse_args()
    if args.verify and not os.path.exists(args.bestfit):
        print(f'make_cp936_table: {args.bestfit} not found, nothing to verify '
              'against', file=sys.stderr)
        return 77
    try:
        single, leads, double, row_counts, wide = parse_bestfit(args.bestfit)
        best_fit = check(single, leads, double, row_counts, wide)
        agreed = check_strict(args.strict, single, double) if args.strict else None
    except TableError as error:
        print(f'make_cp936_table: {error}', file=sys.stderr)
        return 1
    text = render(single, leads, double, best_fit, 'bestfit936.txt')
    if args.verify:
        with open(args.output, encoding='ascii', newline='') as f:
            if f.read() != text:
                print(f'make_cp936_table: {args.output} differs from what '
                      f'{args.bestfit} generates', file=sys.stderr)
                return 1
    else:
        with open(args.output, 'w', encoding='ascii', newline='\n') as f:
            f.write(text)
    print(f'single bytes {len(single)}, double-byte codes {len(double)}, '
          f'encodings {len(wide)} ({len(wide) - len(best_fit)} round trips, '
          f'{len(best_fit)} best fits)')
    if agreed is not None:
        print(f'{args.strict}: all {agreed} entries agree')
    return 0


if __name__ == '__main__':
    sys.exit(main())
