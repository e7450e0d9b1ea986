#pragma once

#include "jetEscritor.h"

#include <QJsonObject>

// The database of an earlier installation: the five tables with their settings rows and a
// seeded history of whole years, or one of the ways such a file goes wrong.
namespace jet {

struct Opcoes {
    int anos = 3;
    int anoInicial = 2021;
    quint32 semente = 1;
    QString semTabela; // this table is left out
    QString outroTipo; // "Tabela.campo": that field becomes a 32-bit integer
    QString senha;     // a database password
    int versao = 1;    // the version byte of the header; 1 is Jet 4.0
    bool truncado = false;
    bool danificado = false; // the catalogue's definition page overwritten
};

QList<Tabela> tabelasFluxora(const Opcoes& opcoes);

// The file's bytes with the chosen damage; empty when it could not be written.
QByteArray arquivoFluxora(const Opcoes& opcoes);

// What a reader must find: {"tabela": {"colunas": [...], "linhas": [[...], ...]}}, dates as
// yyyy-MM-dd, single-precision numbers as written.
QJsonObject comoJson(const QList<Tabela>& tabelas);

} // namespace jet
