#pragma once

#include <QPointer>

#include <functional>

// A window that exists at most once: created hidden (and loaded) the first time it is asked
// for, destroyed when closed (the window sets Qt::WA_DeleteOnClose), created again on the
// next request. The window registry (Janelas) keeps one of these per window.
//
// The factory only builds the window; its load steps run in its carregar(), after the window
// is held here. A load step may show a modal box, during which events run and may ask for the
// window again: they get the one being loaded, never a second one.
template <class Janela> class InstanciaUnica {
public:
    using Fabrica = std::function<Janela*()>;
    using AoCriar = std::function<void(Janela*)>;

    explicit InstanciaUnica(Fabrica fabrica) : m_fabrica(std::move(fabrica)) {}

    Janela* obter()
    {
        if (!m_janela) {
            Janela* nova = m_fabrica();
            m_janela = nova;
            if (m_aoCriar)
                m_aoCriar(nova);
            if constexpr (requires { nova->carregar(); })
                nova->carregar();
        }
        return m_janela;
    }

    // The living window, or nullptr; never creates one.
    Janela* existente() const { return m_janela; }

    // Called with every new window right after it was built, before its load steps.
    void definirAoCriar(AoCriar f) { m_aoCriar = std::move(f); }

private:
    Fabrica m_fabrica;
    AoCriar m_aoCriar;
    QPointer<Janela> m_janela;
};
