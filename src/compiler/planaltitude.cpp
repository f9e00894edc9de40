#include "compiler/planaltitude.h"

#include "textio/keys.h"
#include "textio/linereader.h"
#include "textio/linewriter.h"

namespace compiler {

// Sample:
//   routetype=1
//   cruising_altitude=22000   ->  cruising_altitude=<altitude>
//   departure_id=EGPB, N59* 52.88', W001* 17.63', +000020.00
void rewriteCruisingAltitude(textio::LineReader& in, textio::LineWriter& out,
                             QByteArrayView altitude) {
    const QByteArray cruisingLine = "cruising_altitude=" + altitude.toByteArray();
    QByteArray line;
    while (in.readLine(line)) {
        if (textio::matchesKey(line, "cruising")) {
            out.writeLine(cruisingLine);
            if (!in.readLine(line)) {
                return;
            }
        }
        out.writeLine(line);
    }
}

qsizetype copyLines(textio::LineReader& in, textio::LineWriter& out) {
    qsizetype count = 0;
    QByteArray line;
    while (in.readLine(line)) {
        out.writeLine(line);
        ++count;
    }
    return count;
}

} // namespace compiler
