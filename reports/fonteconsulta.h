#pragma once

#include <QHash>
#include <QString>
#include <optional>

#include "data/sqlite.h"
#include "reports/relatorio.h"

namespace relatorios {

// The rows of one statement on the shared connection, read forward and rewound by
// running the statement again. A statement that cannot run gives no rows, and its reason.
class FonteConsulta : public FonteLinhas {
public:
    explicit FonteConsulta(QString sql) : sql_(std::move(sql)) {}

    int quantidade() override;
    void inicio() override;
    void proximo() override;
    // The current row's column (any case); empty text past the end or for no such column.
    QString valor(const QString& coluna) override;
    void terminar() override;
    QString falha() const override { return falha_; }
    bool fim() const { return !temLinha_; }

private:
    QString sql_;
    std::optional<db::Statement> st_;
    bool temLinha_ = false;
    QHash<QString, int> indices_;
    QString falha_;
};

}  // namespace relatorios
