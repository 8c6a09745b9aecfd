#!/usr/bin/env python3
"""Structure checks of src/ that no compiler makes.

- No include cycle between units (a unit is a header with the source file of
  the same name): when a.cpp includes b.h and b.cpp includes a.h, neither can
  be understood, changed or tested without the other.
- Only src/ui/win32.h includes <windows.h>, so every Windows file of the
  program sees Windows with the same definitions.
- With --duplicates FILE: the `duplicates` tool (when it is on PATH) finds no
  pair of files in src/ sharing six or more lines of code (not boilerplate)
  that FILE does not list.

Prints each finding and exits 1 when there is one; --graph prints the unit
graph of one folder (e.g. --graph app) instead.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
SOURCES = ('.h', '.cpp', '.inc')


def read_units(src):
    """unit name -> set of unit names it includes (relative to src/, no extension)."""
    units = {}
    for folder, _, files in os.walk(src):
        for f in sorted(files):
            if not f.endswith(SOURCES):
                continue
            path = os.path.join(folder, f)
            rel = os.path.relpath(path, src)
            unit = os.path.splitext(rel)[0]
            deps = units.setdefault(unit, set())
            with open(path, encoding='utf-8', errors='replace') as fh:
                text = fh.read()
            for kind, name in INCLUDE.findall(text):
                if kind != '"':
                    continue
                for candidate in (name, os.path.join(os.path.dirname(rel), name)):
                    if os.path.isfile(os.path.join(src, candidate)):
                        target = os.path.splitext(os.path.normpath(candidate))[0]
                        if target != unit:
                            deps.add(target)
                        break
    return units


def cycles(units):
    """Strongly connected groups of more than one unit (Tarjan)."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on_stack.add(v)
        for w in units.get(v, ()):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    sys.setrecursionlimit(10000)
    for v in sorted(units):
        if v not in index:
            visit(v)
    return groups


def windows_includes(src):
    found = []
    for folder, _, files in os.walk(src):
        for f in sorted(files):
            if not f.endswith(SOURCES):
                continue
            rel = os.path.relpath(os.path.join(folder, f), src)
            if rel == os.path.join('ui', 'win32.h'):
                continue
            with open(os.path.join(src, rel), encoding='utf-8', errors='replace') as fh:
                for n, line in enumerate(fh, 1):
                    m = INCLUDE.match(line)
                    if m and m.group(2).lower() == 'windows.h':
                        found.append(f'{rel}:{n}')
    return found


def duplicate_pairs(src):
    """Sorted 'a ~ b' file pairs reported by the duplicates tool, or None without it."""
    tool = shutil.which('duplicates')
    if not tool:
        return None
    out = subprocess.run([tool, '--repo', src, '--most', '200', '--seconds', '120'],
                         capture_output=True, text=True).stdout
    pairs = set()
    for line in out.splitlines():
        # Runs of include lines, braces and one-line forwarders look alike
        # everywhere; only real code counts.
        if 'boilerplate' in line:
            continue
        m = re.match(r'D\d+\s+(\S+?):\d+-\d+\s+~\s+(\S+?):\d+-\d+', line)
        if m:
            pairs.add(' ~ '.join(sorted(m.groups())))
    return sorted(pairs)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--src', default=os.path.join(os.path.dirname(__file__), '..', 'src'))
    ap.add_argument('--graph', metavar='FOLDER')
    ap.add_argument('--duplicates', metavar='KNOWN_PAIRS')
    ap.add_argument('--write-duplicates', action='store_true',
                    help='record the pairs found now as the known ones')
    args = ap.parse_args()
    src = os.path.normpath(args.src)
    units = read_units(src)

    if args.graph:
        prefix = args.graph.rstrip('/') + '/'
        for unit in sorted(u for u in units if u.startswith(prefix)):
            inner = sorted(d for d in units[unit] if d.startswith(prefix))
            print(f'{unit} -> {", ".join(inner) if inner else "-"}')
        return 0

    problems = []
    for group in cycles(units):
        problems.append('include cycle between units: ' + ', '.join(group))
    for where in windows_includes(src):
        problems.append(f'{where}: includes <windows.h> directly (include "ui/win32.h")')

    if args.duplicates:
        pairs = duplicate_pairs(src)
        if pairs is None:
            print('duplicates check SKIPPED: the duplicates command is not on PATH')
        elif args.write_duplicates:
            with open(args.duplicates, 'w') as fh:
                fh.write(''.join(p + '\n' for p in pairs))
            print(f'{len(pairs)} known pairs written to {args.duplicates}')
        else:
            with open(args.duplicates) as fh:
                known = {line.strip() for line in fh if line.strip()}
            for pair in pairs:
                if pair not in known:
                    problems.append(f'new repeated code (6+ lines) between {pair}')

    for p in problems:
        print(p)
    if not problems:
        print(f'structure of {src}: no include cycle, Windows seen through ui/win32.h only')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
