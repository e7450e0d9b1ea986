#!/usr/bin/env python3
"""Prints what a spreadsheet reader finds in an .xlsx file, as JSON: every cell of the first
sheet with its Python type, and every chart with its kind and the ranges of its series."""
import json
import sys

from openpyxl import load_workbook


def main(caminho):
    livro = load_workbook(caminho)
    folha = livro.worksheets[0]
    celulas = {}
    for linha in folha.iter_rows():
        for c in linha:
            if c.value is None:
                continue
            valor = c.value.isoformat() if hasattr(c.value, "isoformat") else c.value
            celulas[c.coordinate] = [type(c.value).__name__, valor]
    graficos = []
    for g in folha._charts:
        series = []
        for s in g.series:
            cat = s.cat.numRef or s.cat.strRef if s.cat else None
            series.append({"categorias": cat.f if cat else "", "valores": s.val.numRef.f})
        graficos.append({"tipo": type(g).__name__, "direcao": getattr(g, "barDir", ""), "series": series})
    json.dump({"folha": folha.title, "celulas": celulas, "graficos": graficos}, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
