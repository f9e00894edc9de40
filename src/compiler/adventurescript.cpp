#include "compiler/adventurescript.h"

namespace compiler {

QList<QByteArray> scriptVariableLines(const AdventureValues& values) {
    auto option = [](const char* name, bool ticked) {
        return QByteArray(name) + (ticked ? " = 1;" : " = 0;");
    };
    return {
        "nV1=" + lineBytes(values.v1) + ";",  "nVr=" + lineBytes(values.vr) + ";",
        "nV2=" + lineBytes(values.v2) + ";",  option("CallSpeed", values.speedCalls),
        option("CallList", values.checkList), option("RateFlight", values.rateFlight),
    };
}

} // namespace compiler
