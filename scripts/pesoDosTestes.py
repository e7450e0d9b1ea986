#!/usr/bin/env python3
"""Weight of the tests: non-blank, non-comment lines of tests/ against src/ + tools/.

Counts .cpp, .h, .py, .sh and CMake files; lines that are only a // comment, inside a
/* */ comment, or (in scripts and CMake) only a # comment are left out.
Usage: scripts/pesoDosTestes.py [repository folder]
"""
import os
import re
import sys

FONTES = re.compile(r"\.(cpp|h|py|sh|cmake)$|CMakeLists\.txt$")


def contar(pasta):
    total = 0
    for raiz, _, arquivos in os.walk(pasta):
        for nome in arquivos:
            if not FONTES.search(nome):
                continue
            cpp = nome.endswith((".cpp", ".h"))
            em_comentario = False
            with open(os.path.join(raiz, nome), errors="replace") as f:
                for linha in f:
                    t = linha.strip()
                    if em_comentario:
                        em_comentario = "*/" not in t
                        continue
                    if not t or t.startswith("//") or (not cpp and t.startswith("#")):
                        continue
                    if t.startswith("/*"):
                        em_comentario = "*/" not in t
                        continue
                    total += 1
    return total


raiz = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
testes = contar(os.path.join(raiz, "tests"))
programa = contar(os.path.join(raiz, "src")) + contar(os.path.join(raiz, "tools"))
print(f"testes {testes}  programa {programa}  razão {testes / programa:.2f}")
