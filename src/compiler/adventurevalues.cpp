#include "compiler/adventurevalues.h"

#include "textio/codepage.h"

namespace compiler {

QByteArray lineBytes(const QString& text) {
    QByteArray bytes = textio::encode8bit(text);
    bytes.replace("\r\n", " ");
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    return bytes;
}

} // namespace compiler
