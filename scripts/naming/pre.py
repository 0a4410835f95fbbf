#!/usr/bin/env python3
"""Before the camelCase pass: the tree parent of components and the enclosing
scope of scripts get names that do not hide QObject::parent()/setParent()."""
import re, subprocess, os, sys
root = sys.argv[1]
os.chdir(root)
files = subprocess.check_output(['git', 'ls-files', '*.h', '*.cpp'], text=True).split()
scope_files = {'src/script/runtime/Script.h', 'src/script/runtime/Script.cpp', 'src/script/runtime/Items.cpp',
               'src/script/analyser/ScriptAnalyser.cpp', 'tests/script/runtime/RuntimeTest.cpp'}
def code_sub(text, pat, rep):
    # only outside string literals and comments
    out, i = [], 0
    tok = re.compile(r'"(?:\\.|[^"\\])*"|//[^\n]*|/\*.*?\*/', re.S)
    for m in tok.finditer(text):
        out.append(re.sub(pat, rep, text[i:m.start()])); out.append(m.group(0)); i = m.end()
    out.append(re.sub(pat, rep, text[i:]))
    return ''.join(out)
for f in files:
    if f.startswith(('src/persist/', 'tests/persist/', 'fuzz/xml', 'bench/xml')) or 'XmlClasses' in f or 'runtime/Expression' in f:
        continue
    s = open(f, encoding='utf-8', errors='surrogateescape').read()
    if f in scope_files:
        t = code_sub(s, r'\bSetParent\(', 'SetParentScope(')
        t = code_sub(t, r'\bParent\(\)', 'ParentScope()')
    elif f.startswith(('src/script/', 'tests/script/')):
        continue
    else:
        t = code_sub(s, r'\bSetParent\(', 'SetParentComponent(')
        t = code_sub(t, r'\bParent\(\)', 'ParentComponent()')
    if t != s:
        open(f, 'w', encoding='utf-8', errors='surrogateescape').write(t); print('pre', f)
