#include "compiler/adventurescript.h"

#include "textio/codepage.h"

namespace compiler {

QList<QByteArray> scriptVariableLines(const AdventureValues& values) {
    auto option = [](const char* name, bool ticked) {
        return QByteArray(name) + (ticked ? " = 1;" : " = 0;");
    };
    return {
        "nV1=" + textio::encode8bit(values.v1) + ";", "nVr=" + textio::encode8bit(values.vr) + ";",
        "nV2=" + textio::encode8bit(values.v2) + ";", option("CallSpeed", values.speedCalls),
        option("CallList", values.checkList),         option("RateFlight", values.rateFlight),
    };
}

} // namespace compiler
