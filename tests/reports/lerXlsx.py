#!/usr/bin/env python3
"""Prints what a spreadsheet reader finds in an .xlsx file, as JSON: every cell of the first
sheet as "type value", and every chart series as "kind direction categories values"."""
import json
import sys

from openpyxl import load_workbook


def texto(v):
    return f"{type(v).__name__} {v.isoformat() if hasattr(v, 'isoformat') else v}"


def main(caminho):
    folha = load_workbook(caminho).worksheets[0]
    celulas = {c.coordinate: texto(c.value) for linha in folha.iter_rows() for c in linha if c.value is not None}
    graficos = []
    for g in folha._charts:
        for s in g.series:
            cat = s.cat.numRef or s.cat.strRef if s.cat else None
            graficos.append(f"{type(g).__name__} {getattr(g, 'barDir', '')} {cat.f if cat else ''} {s.val.numRef.f}")
    json.dump({"celulas": celulas, "graficos": graficos}, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
