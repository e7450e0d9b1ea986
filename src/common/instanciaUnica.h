#pragma once

#include <QPointer>

#include <functional>

// A window that exists at most once: created hidden (and loaded) the first time it is asked
// for, destroyed when closed (the window sets Qt::WA_DeleteOnClose), created again on the
// next request. Each window library keeps one of these behind its accessor in namespace janelas.
template <class Janela> class InstanciaUnica {
public:
    using Fabrica = std::function<Janela*()>;
    using AoCriar = std::function<void(Janela*)>;

    explicit InstanciaUnica(Fabrica fabrica) : m_fabrica(std::move(fabrica)) {}

    Janela* obter()
    {
        if (!m_janela) {
            m_janela = m_fabrica();
            if (m_aoCriar)
                m_aoCriar(m_janela);
        }
        return m_janela;
    }

    // The living window, or nullptr; never creates one.
    Janela* existente() const { return m_janela; }

    // Called with every new window right after it was created and loaded.
    void definirAoCriar(AoCriar f) { m_aoCriar = std::move(f); }

private:
    Fabrica m_fabrica;
    AoCriar m_aoCriar;
    QPointer<Janela> m_janela;
};
