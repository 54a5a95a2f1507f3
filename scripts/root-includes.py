#!/usr/bin/env python3
"""Rewrites #include "Name.h" of the repository's own headers into paths rooted at the repository
("global/Table.h") and sorts each block of such includes (a source file's own header stays first).
Headers included as "support/X.h" are looked up beside the including file's tests folder. Prints
what it could not resolve.

    scripts/root-includes.py [REPOSITORY]"""
import os, re, sys

root = sys.argv[1] if len(sys.argv) > 1 else '.'
skip = {'build', 'build-asan', '.git'}
files = []
for dirpath, dirnames, filenames in os.walk(root):
    dirnames[:] = [d for d in dirnames if d not in skip and not d.startswith('build')]
    for f in filenames:
        if f.endswith(('.h', '.cpp')):
            files.append(os.path.relpath(os.path.join(dirpath, f), root))
by_name = {}
for f in files:
    by_name.setdefault(os.path.basename(f), []).append(f)
pattern = re.compile(r'^(\s*#\s*include\s+)"([^"]+)"', re.M)
unresolved = set()
for f in files:
    path = os.path.join(root, f)
    text = open(path, encoding='utf-8').read()
    def fix(m):
        inc = m.group(2)
        if inc.endswith('.moc') or inc in files:
            return m.group(0)
        here = os.path.dirname(f)
        # relative to the including file first
        cand = os.path.normpath(os.path.join(here, inc))
        if cand in files:
            return m.group(1) + '"' + cand + '"'
        # "support/X.h" from a tests folder
        d = here
        while d:
            cand = os.path.normpath(os.path.join(d, 'tests', inc))
            if cand in files:
                return m.group(1) + '"' + cand + '"'
            d = os.path.dirname(d)
        hits = by_name.get(os.path.basename(inc), [])
        hits = [h for h in hits if h.endswith(inc)]
        if len(hits) == 1:
            return m.group(1) + '"' + hits[0] + '"'
        unresolved.add((f, inc, tuple(hits)))
        return m.group(0)
    new = pattern.sub(fix, text)
    if new != text:
        open(path, 'w', encoding='utf-8').write(new)
for u in sorted(unresolved):
    print('unresolved:', *u)

# Sorting the blocks of quoted includes.
inc = re.compile(r'^#include "[^"]+"\s*$')
for dirpath, dirnames, filenames in os.walk(root):
    dirnames[:] = [d for d in dirnames if not d.startswith('build') and d != '.git']
    for f in filenames:
        if not f.endswith(('.h', '.cpp')): continue
        p = os.path.join(dirpath, f)
        lines = open(p, encoding='utf-8').read().split('\n')
        own = os.path.splitext(f)[0] + '.h'
        out, i = [], 0
        while i < len(lines):
            if inc.match(lines[i]):
                j = i
                while j < len(lines) and inc.match(lines[j]): j += 1
                block = lines[i:j]
                head = [l for l in block if f.endswith('.cpp') and l.endswith('/' + own + '"')]
                rest = sorted(l for l in block if l not in head)
                out += head + rest
                i = j
            else:
                out.append(lines[i]); i += 1
        new = '\n'.join(out)
        if new != '\n'.join(lines):
            open(p, 'w', encoding='utf-8').write(new)
