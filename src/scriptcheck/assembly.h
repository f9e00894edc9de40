#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace scriptcheck {

// A script put together as the compile writes it: every line of the opening template, six lines
// of settings, every line of the closing template, each line ending with CR LF. A line of a
// template ends with CR LF or a lone LF; a last line without a line end is still a line.
struct AssembledScript {
    QByteArray bytes;
    int openingLines = 0;       // lines 1 to openingLines are the opening template's
    QList<QByteArray> settings; // the next six lines
};

// The settings a typical compile writes: 142, 157 and 172 knots, every option on.
QList<QByteArray> typicalSettings();

AssembledScript assembleScript(QByteArrayView opening, QByteArrayView closing,
                               const QList<QByteArray>& settings = typicalSettings());

} // namespace scriptcheck
