#pragma once

#include <functional>
#include <QByteArray>
#include <QMap>
#include <QString>

namespace textio {
class LineReader;
class LineWriter;
} // namespace textio

// Every file below a folder with its bytes ("<folder>" for a folder, "<unreadable>" for a file
// that cannot be read), to prove that nothing changed.
QMap<QString, QByteArray> snapshot(const QString& root);

// How many files this process has open.
int openFiles();

// Runs a pass from bytes to bytes in memory, through the program's line reader and writer.
QByteArray throughLines(const QByteArray& input,
                        const std::function<void(textio::LineReader&, textio::LineWriter&)>& pass);
