#pragma once
// Module strings. The file is not called strings.h: that would hide the C library header.

#include <QString>

// Text rules shared by the windows and the reply handlers.
namespace strings {

// Key filter of the address fields: backspace and digits pass, anything else becomes 0.
int filtrarDigitos(int codigo);

// The leading decimal number of a text: blanks skipped, an optional sign, digits with an
// optional decimal point; reading stops at the first character that cannot continue the
// number; no number gives 0.
double valorNumerico(const QString& texto);

// The shortest decimal text of a number: 42 for 42.0, 0.5 for 0.5.
QString textoNumero(double valor);

// The last two characters of "00" followed by n: 5 -> "05", 12 -> "12".
QString doisDigitos(int n);

// The last five characters of "00000" followed by the text.
QString cincoDigitos(const QString& texto);

} // namespace strings
