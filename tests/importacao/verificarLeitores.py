#!/usr/bin/env python3
"""Two readers that owe nothing to tools/jetescritor, mdbtools' mdb-export and the npm package
mdb-reader, must read back exactly what fluxora-jet wrote, table by table and row by row.
  verificarLeitores.py FLUXORA_JET PASTA_NODE_MODULES"""
import csv, io, json, os, struct, subprocess, sys, tempfile

jet, modulos = sys.argv[1], sys.argv[2]
here = os.path.dirname(os.path.abspath(__file__))


def simples(v):  # what a single-precision field holds
    return struct.unpack("<f", struct.pack("<f", v))[0]


def por_mdb_export(arquivo, tabela):
    texto = subprocess.run(["mdb-export", "-T", "%Y-%m-%d", arquivo, tabela], check=True,
                           capture_output=True, text=True).stdout
    linhas = list(csv.reader(io.StringIO(texto)))
    return {"colunas": linhas[0], "linhas": [[c if c != "" else None for c in l] for l in linhas[1:]]}


def igual(esperado, lido):
    if esperado is None or lido is None:
        return esperado is None and lido is None
    if isinstance(esperado, (int, float)) and not isinstance(esperado, bool):
        return abs(simples(esperado) - float(lido)) <= 1e-6 * max(1.0, abs(esperado))
    return esperado == lido


casos = [  # name, fluxora-jet options
    ("sem_historico", ["--anos", "0"]),
    ("tres_anos", ["--anos", "3", "--semente", "7"]),
    ("cinquenta_anos", ["--anos", "50", "--ano-inicial", "1976", "--semente", "3"]),
]
falhas = total = 0
with tempfile.TemporaryDirectory() as pasta:
    for nome, opcoes in casos:
        arquivo, json_esperado = os.path.join(pasta, nome + ".mdb"), os.path.join(pasta, nome + ".json")
        subprocess.run([jet, arquivo, "--esperado", json_esperado] + opcoes, check=True)
        esperado = json.load(open(json_esperado, encoding="utf-8"))
        npm = json.loads(subprocess.run(["node", os.path.join(here, "lerMdbReader.mjs"), modulos, arquivo],
                                        check=True, capture_output=True, text=True).stdout)
        for leitor, tabelas in (("mdb-reader", npm), ("mdb-export", None)):
            if tabelas is not None and sorted(tabelas) != sorted(esperado):
                print(f"FAIL {nome} {leitor}: tabelas {sorted(tabelas)}")
                falhas, total = falhas + 1, total + 1
                continue
            for tabela, e in esperado.items():
                lido = tabelas[tabela] if tabelas is not None else por_mdb_export(arquivo, tabela)
                ok = lido["colunas"] == e["colunas"] and len(lido["linhas"]) == len(e["linhas"]) and all(
                    igual(a, b) for le, ll in zip(e["linhas"], lido["linhas"]) for a, b in zip(le, ll))
                if not ok:
                    print(f"FAIL {nome} {leitor} {tabela}")
                falhas += 0 if ok else 1
                total += 1
print(f"{total - falhas} passed, {falhas} failed")
sys.exit(1 if falhas else 0)
