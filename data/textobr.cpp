#include "data/textobr.h"

#include <array>

namespace textobr {
namespace {

// Folded forms of U+00C0..U+017F; 0 means "fold by case only".
constexpr std::array<char, 0x180 - 0xC0> kLatin = [] {
    std::array<char, 0x180 - 0xC0> t{};
    const char* l1 =
        "aaaaaaaceeeeiiii"     // C0-CF
        "dnooooo\0ouuuuy\0s"   // D0-DF (×, Þ kept)
        "aaaaaaaceeeeiiii"     // E0-EF
        "dnooooo\0ouuuuy\0y";  // F0-FF (÷, þ kept)
    for (int i = 0; i < 64; ++i)
        t[i] = l1[i];
    const char* ext =
        "aaaaaaccccccccdd"   // 100-10F
        "ddeeeeeeeeeegggg"   // 110-11F
        "gggghhhhiiiiiiii"   // 120-12F
        "iiiijjkkklllllll"   // 130-13F
        "lllnnnnnnnnnoooo"   // 140-14F
        "oooorrrrrrssssss"   // 150-15F
        "ssttttttuuuuuuuu"   // 160-16F
        "uuuuwwyyyzzzzzzs";  // 170-17F
    for (int i = 0; i < 128; ++i)
        t[64 + i] = ext[i];
    return t;
}();

// Decodes one code point and advances; malformed bytes stand for themselves.
inline char32_t proximo(std::string_view s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int n = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    // A lead byte needs n continuation bytes after it.
    if (n == 0 || i + static_cast<std::size_t>(n) >= s.size()) {
        ++i;
        return c;
    }
    char32_t cp = c & (0x3F >> n);
    for (int k = 1; k <= n; ++k) {
        const unsigned char cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) {
            ++i;
            return c;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    i += n + 1;
    return cp;
}

}  // namespace

char32_t dobrar(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    if (c >= 0xC0 && c < 0x180) {
        const char f = kLatin[c - 0xC0];
        if (f)
            return static_cast<char32_t>(f);
        // Þ folds to þ; × and ÷ are signs, not letters of two cases.
        return c == 0xDE ? 0xFE : c;
    }
    // Greek, Cyrillic and the rest: plain case folding of the common ranges.
    if ((c >= 0x391 && c <= 0x3AB) || (c >= 0x410 && c <= 0x42F))
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

int comparar(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        // Sorting a list runs this a million times; most names are plain ASCII.
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[j]);
        if (ca == cb && ca < 0x80) {
            ++i;
            ++j;
            continue;
        }
        const char32_t x = dobrar(proximo(a, i));
        const char32_t y = dobrar(proximo(b, j));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

bool combina(std::string_view p, std::string_view t) {
    // Iterative wildcard match with backtracking to the last "%".
    std::size_t pi = 0, ti = 0;
    std::size_t estrelaP = std::string_view::npos, estrelaT = 0;
    while (ti < t.size()) {
        if (pi < p.size() && p[pi] == '%') {
            while (pi < p.size() && p[pi] == '%')
                ++pi;
            if (pi == p.size())
                return true;
            estrelaP = pi;
            estrelaT = ti;
            continue;
        }
        if (pi < p.size()) {
            std::size_t pn = pi, tn = ti;
            if (dobrar(proximo(p, pn)) == dobrar(proximo(t, tn))) {
                pi = pn;
                ti = tn;
                continue;
            }
        }
        if (estrelaP == std::string_view::npos)
            return false;
        // The star takes one more character of the text.
        std::size_t tn = estrelaT;
        proximo(t, tn);
        estrelaT = tn;
        ti = tn;
        pi = estrelaP;
    }
    while (pi < p.size() && p[pi] == '%')
        ++pi;
    return pi == p.size();
}

bool comecaCom(std::string_view texto, std::string_view prefixo) {
    std::size_t i = 0, j = 0;
    while (j < prefixo.size()) {
        if (i >= texto.size())
            return false;
        if (dobrar(proximo(texto, i)) != dobrar(proximo(prefixo, j)))
            return false;
    }
    return true;
}

namespace {

void codificar(std::string& saida, char32_t c) {
    if (c < 0x80) {
        saida += char(c);
    } else if (c < 0x800) {
        saida += char(0xC0 | (c >> 6));
        saida += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        saida += char(0xE0 | (c >> 12));
        saida += char(0x80 | ((c >> 6) & 0x3F));
        saida += char(0x80 | (c & 0x3F));
    } else {
        saida += char(0xF0 | (c >> 18));
        saida += char(0x80 | ((c >> 12) & 0x3F));
        saida += char(0x80 | ((c >> 6) & 0x3F));
        saida += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string dobrado(std::string_view texto) {
    std::string r;
    r.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size();) {
        const unsigned char c = static_cast<unsigned char>(texto[i]);
        if (c < 0x80) {
            r += char(c >= 'A' && c <= 'Z' ? c + 32 : c);
            ++i;
            continue;
        }
        codificar(r, dobrar(proximo(texto, i)));
    }
    return r;
}

bool combinaDobrado(std::string_view p, std::string_view t) {
    // Folded texts are valid UTF-8 and "%" the only wildcard, so every piece between two
    // "%" is found whole and leftmost, byte for byte.
    std::size_t fimP = p.find('%');
    if (fimP == std::string_view::npos)
        return p == t;
    const std::string_view primeiro = p.substr(0, fimP);
    if (!t.starts_with(primeiro))
        return false;
    std::size_t ti = primeiro.size();
    const std::size_t inicioUltimo = p.rfind('%') + 1;
    const std::string_view ultimo = p.substr(inicioUltimo);
    std::size_t pi = fimP + 1;
    while (pi < inicioUltimo) {
        const std::size_t proximoP = p.find('%', pi);
        const std::string_view pedaco = p.substr(pi, proximoP - pi);
        pi = proximoP + 1;
        if (pedaco.empty())
            continue;
        const std::size_t achado = t.find(pedaco, ti);
        if (achado == std::string_view::npos)
            return false;
        ti = achado + pedaco.size();
    }
    return t.size() >= ti + ultimo.size() && t.ends_with(ultimo);
}

}  // namespace textobr
