#pragma once

#include <QString>

// Fixed values of the program.
namespace constantes {

inline const QString tituloAplicacao = QStringLiteral("Fluxora");
inline const QString legendaPrincipal = QStringLiteral("Fluxora Ver.04");
inline const QString nomeBanco = QStringLiteral("Fluxoradb.mdb");

// The maker's site, opened by the help link of the network window.
inline const QString siteFabricante = QStringLiteral("https://www.norvale.com.br/");

// Reply format of the counting device.
inline const QString marcadorStatus = QStringLiteral("\"status\":1,");
inline const QString assinaturaDispositivo = QStringLiteral("Arduino");

// A reply is handed to the dispatcher only once the log holds more than this.
constexpr int tamanhoMinimoResposta = 600;
// The device log never holds more than this per request.
constexpr qsizetype limiteLogDispositivo = 64 * 1024;

constexpr int intervaloTimeOutMs = 4000;
constexpr int intervaloTentandoConectarMs = 200;
constexpr int intervaloDadoRecebidoMs = 500;
constexpr int maximoTentativasConexao = 20;

} // namespace constantes
