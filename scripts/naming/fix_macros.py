#!/usr/bin/env python3
"""Rename accessors inside Q_PROPERTY(...) and stored-rule names in
Q_CLASSINFO("pgx:stored:X", "Name") with the map apply_fixes.py wrote."""
import sys, re, json, os
MAP = os.environ.get("PGX_NAMING_MAP", "naming-map.json")
m = json.load(open(MAP))['map']
def low(n):
    return m.get(n, n)
prop = re.compile(r'Q_PROPERTY\(([^)]*)\)')
kw = re.compile(r'\b(READ|WRITE|RESET|NOTIFY|MEMBER)\s+(\w+)')
info = re.compile(r'(Q_CLASSINFO\("pgx:stored:\w+",\s*")(\w+)(")')
for f in sys.argv[1:]:
    s = open(f, encoding='utf-8', errors='surrogateescape').read()
    t = prop.sub(lambda mo: 'Q_PROPERTY(' + kw.sub(lambda k: k.group(1) + ' ' + low(k.group(2)), mo.group(1)) + ')', s)
    t = info.sub(lambda mo: mo.group(1) + low(mo.group(2)) + mo.group(3), t)
    if t != s:
        open(f, 'w', encoding='utf-8', errors='surrogateescape').write(t)
        print('patched', f)
