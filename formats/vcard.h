#pragma once

#include <QByteArray>

#include "formats/contato.h"

// Contact cards (vCard 2.1, 3.0 and 4.0 in, 3.0 out) as phones and mail programs write
// them.
namespace formatos::vcard {

// Every card of the file. A card that cannot be read whole (no end, a line that is not a
// property, text in no known encoding, no name at all) is counted, never half-read; a
// group of contacts is counted apart and left out.
Leitura<Contato> ler(const QByteArray& bytes);

// One card, version 3.0 in UTF-8 with CRLF and lines folded at 75 octets, appended to
// `saida`. `foto` is the picture to carry inline (the caller reads its file).
void escrever(const Contato& contato, const QByteArray& foto, QByteArray& saida);

}  // namespace formatos::vcard
