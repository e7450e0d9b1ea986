#pragma once

#include "historicoAnterior.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// "Importar histórico…": another installation's database chosen, what it holds shown, its
// history merged into this one. The chosen file is only read.
class JanelaImportacao : public QDialog {
    Q_OBJECT
public:
    // `destino`: the current database.
    explicit JanelaImportacao(const QString& destino, QWidget* parent = nullptr);

    // Reads `caminho` and shows what it holds; false (with the fault in a box) when unreadable.
    bool abrirArquivo(const QString& caminho);
    // Merges the file opened last; false when nothing was merged.
    bool importar();

private:
    void escolher();

    QString m_destino;
    std::optional<importacao::Conteudo> m_conteudo;
    QLabel* m_lblArquivo = nullptr;
    QLabel* m_lblConteudo = nullptr;
    QCheckBox* m_chkAjustes = nullptr;
    QPushButton* m_cmdImportar = nullptr;
    QProgressBar* m_barProgresso = nullptr;
    QLabel* m_lblResumo = nullptr;
};
