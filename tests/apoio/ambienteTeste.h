#pragma once

// The usual scene of a test: a copy of the shipped database in a temporary folder that is the
// program's folder, the clock at the tests' fixed day (10/03/2024 14:05:33), message boxes
// noted and answered, files and addresses "opened" into a list. Made in init() with
// `amb.emplace()`, undone in cleanup() with `amb.reset()`: the seams go back to the real ones.
#include "abertura.h"
#include "bancoTeste.h"
#include "mensagens.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace apoio {

class Ambiente {
public:
    Ambiente()
    {
        using namespace Qt::StringLiterals;
        banco = copiarBancoEntregue(pasta);
        costuras::fixarRelogio(u"10/03/2024"_s, u"14:05:33"_s);
        mensagens::instalar([this](const mensagens::Pedido& p) {
            caixas.append(p);
            if (aoMostrar)
                aoMostrar();
            return p.botoes == mensagens::Botoes::SimNao ? resposta : mensagens::Resposta::Ok;
        });
        costuras::abrirEndereco = [this](const QUrl& u) {
            abertos << (u.isLocalFile() ? u.toLocalFile() : u.toString());
            return true;
        };
    }
    ~Ambiente()
    {
        // A test may have taken the write permission away to provoke a failure.
        QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        mensagens::instalar({});
        costuras::restaurar();
        costuras::restaurarAbertura();
    }
    Q_DISABLE_COPY(Ambiente)

    bool valido() const { return pasta.isValid() && !banco.isEmpty(); }
    QString caminho(const QString& nome) const { return pasta.filePath(nome); }
    // Plain SQL on the copy: the first column of the first row; the engine's error, if any.
    QString consulta(const QString& sql) const { return apoio::consulta(banco, sql); }
    QString executar(const QString& sql) const { return apoio::executar(banco, sql); }

    QTemporaryDir pasta;
    QString banco; // the copy's path
    QList<mensagens::Pedido> caixas;
    mensagens::Resposta resposta = mensagens::Resposta::Nao; // to Yes/No boxes
    std::function<void()> aoMostrar;                         // runs inside each box
    QStringList abertos;
};

} // namespace apoio
