#include "scriptcheck/assembly.h"

namespace scriptcheck {

namespace {

int appendLines(QByteArray& out, QByteArrayView text) {
    int lines = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        else if (end > start && text.at(end - 1) == '\r')
            --end;
        out += text.sliced(start, end - start);
        out += "\r\n";
        ++lines;
        start = next;
    }
    return lines;
}

} // namespace

QList<QByteArray> typicalSettings() {
    return {"nV1=142;",       "nVr=157;",      "nV2=172;",
            "CallSpeed = 1;", "CallList = 1;", "RateFlight = 1;"};
}

AssembledScript assembleScript(QByteArrayView opening, QByteArrayView closing,
                               const QList<QByteArray>& settings) {
    AssembledScript script;
    script.openingLines = appendLines(script.bytes, opening);
    script.settings = settings;
    for (const QByteArray& line : settings)
        script.bytes += line + "\r\n";
    appendLines(script.bytes, closing);
    return script;
}

} // namespace scriptcheck
