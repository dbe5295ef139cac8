#pragma once

#include <QPointer>
#include <QString>
#include <vector>

class QAbstractItemModel;
class QObject;
class QProgressBar;
class Saida;

// Writes the rows of a list, column 0 included, into an export file that its caller
// opened and closes: as an HTML table, or as a text table padded with blanks. One
// instance serves one export.
class c_relatorios {
public:
    // The text table: column titles and their underline when `Encabezado`, then one
    // line per row. False, with nothing written, for a list without rows; false too
    // when the file refuses a write, which ends the table there.
    bool Exportar_listaparaTXT(Saida& ArquivoTemp, const QAbstractItemModel& ListView,
                               bool Encabezado = false);
    // The HTML table, texts escaped. False as for the text table.
    bool Exportar_listaparaHTML(const QAbstractItemModel& ListView, Saida& TempFile);

    // Width cap of the text table's columns after the first; a longer text is written whole.
    void Max_LetraForFields(qint16 vnewval);
    qint16 Max_LetraForFields() const { return maxLetra_; }
    // Fill character of the underline row; only the first character is kept, and an
    // empty text keeps a blank.
    void mLetraTXT(const QString& vnewval);
    QString mLetraTXT() const { return letra_; }
    // Kept for a CSV export; neither table reads them.
    void FieldEncloseCSV(const QString& vnewval);
    QString FieldEncloseCSV() const { return delimitador_; }
    void FieldSeparatorCSV(const QString& vnewval);
    QString FieldSeparatorCSV() const { return separador_; }
    // Kept only when it is a progress bar; anything else leaves the export without one.
    void Progresbar(QObject* ProgressBar);
    QProgressBar* Progresbar() const { return barra_; }

    // The width of each text column found by the last text export.
    const std::vector<qsizetype>& larguras() const { return larguras_; }

private:
    std::vector<qsizetype> larguras_;
    QPointer<QProgressBar> barra_;
    QString letra_ = QStringLiteral("*");
    QString delimitador_;
    QString separador_ = QStringLiteral(";");
    qint16 maxLetra_ = 9999;
};

namespace exportacao {

// `<`, `>`, `&`, `"` and `'` as entities, so a stored text shows as typed.
QString escaparHtml(QStringView texto);
void acrescentarHtml(QString& destino, QStringView texto);

}  // namespace exportacao
