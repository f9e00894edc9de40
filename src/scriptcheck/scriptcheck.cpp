#include "scriptcheck/scriptcheck.h"

#include "scriptcheck/hostblock.h"
#include "scriptcheck/parser.h"

using namespace Qt::StringLiterals;

namespace scriptcheck {

bool isPlaceholder(QStringView name) {
    return name.startsWith(u"SimVar_"_s, Qt::CaseInsensitive) ||
           name.startsWith(u"SimCall_"_s, Qt::CaseInsensitive);
}

std::optional<Problem> checkScript(QByteArrayView bytes) {
    return checkScript(bytes, Options());
}

std::optional<Problem> checkScript(QByteArrayView bytes, const Options& options) {
    const HostBlock host = readHostBlock(bytes);
    SymbolTable symbols;
    for (const HostName& name : host.names)
        symbols.add(0, name.lower, name.symbol);
    Scanner scanner(bytes, options);
    std::optional<Failure> failure;
    try {
        Parser(scanner, symbols, options).parseFile();
    } catch (const Failure& parseFailure) {
        failure = parseFailure;
    }
    // The first in file order; a host line stands in the checked text itself.
    if (host.problem && (!failure || failure->file != 0 || host.problem->line <= failure->line))
        failure = host.problem;
    if (!failure)
        return std::nullopt;
    return Problem{failure->line, failure->message, failure->placeholder,
                   scanner.fileName(failure->file)};
}

} // namespace scriptcheck
