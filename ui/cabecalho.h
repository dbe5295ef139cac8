#pragma once

class QFrame;
class QString;
class QWidget;

// The strip across the top of a window: a bold title (`lbltitulo`) over one line of
// explanation (`lbllinha`), on the light background of a text field.
QFrame* cabecalho(const QString& titulo, const QString& linha, QWidget* pai);
