// Prints every user table of a Jet file as read by the npm package mdb-reader, as JSON.
//   node lerMdbReader.mjs PASTA_NODE_MODULES ARQUIVO
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { pathToFileURL } from "node:url";

const [pasta, arquivo] = process.argv.slice(2);
const require = createRequire(pathToFileURL(pasta + "/"));
const { default: MDBReader } = await import(pathToFileURL(require.resolve("mdb-reader")));
const leitor = new MDBReader(readFileSync(arquivo));
const saida = {};
for (const nome of leitor.getTableNames()) {
  const tabela = leitor.getTable(nome);
  const colunas = tabela.getColumnNames();
  const linhas = tabela.getData().map((l) =>
    colunas.map((c) => (l[c] instanceof Date ? l[c].toISOString().slice(0, 10) : l[c])));
  saida[nome] = { colunas, linhas };
}
process.stdout.write(JSON.stringify(saida));
