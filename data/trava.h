#pragma once

#include <QString>

#include "data/sqlite.h"

// A lock on a database file, held by a connection of its own until destroyed.
// Leitura keeps writers from changing the file; Exclusiva keeps everyone out.
class TravaBanco {
public:
    enum class Modo { Leitura, Exclusiva };
    TravaBanco(const QString& caminho, const QString& senha, Modo modo);
    ~TravaBanco();
    TravaBanco(const TravaBanco&) = delete;
    TravaBanco& operator=(const TravaBanco&) = delete;

    // The file's pages read back, within the lock: empty when whole, else why not.
    QString verificar();
    // The locked connection, e.g. to rewrite the file while nobody else can.
    db::Database& banco() { return banco_; }

private:
    db::Database banco_;
};
