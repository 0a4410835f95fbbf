#!/usr/bin/env python3
"""clang-tidy leaves macro bodies alone: rename the mapped names inside #define blocks."""
import sys, re, json, os
MAP = os.environ.get("PGX_NAMING_MAP", "naming-map.json")
m = json.load(open(MAP))['map']
ident = re.compile(r'"(?:\\.|[^"\\])*"|\b[A-Za-z_]\w*\b')
for f in sys.argv[1:]:
    lines = open(f, encoding='utf-8', errors='surrogateescape').read().split('\n')
    inside = False; changed = False
    for i, l in enumerate(lines):
        if l.lstrip().startswith('#define'):
            inside = True
        if inside:
            nl = ident.sub(lambda mo: mo.group(0) if mo.group(0).startswith('"') else m.get(mo.group(0), mo.group(0)), l)
            if nl != l: lines[i] = nl; changed = True
            inside = l.rstrip().endswith('\\')
    if changed:
        open(f, 'w', encoding='utf-8', errors='surrogateescape').write('\n'.join(lines)); print('defines', f)
