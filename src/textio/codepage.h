#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The program's one 8-bit code page: Windows-1252, with the five bytes that code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) kept as the control characters of the same number.
// Every byte therefore decodes to one character and encodes back to itself, so a file read and
// written again keeps its bytes.
namespace textio {

QString decode8bit(QByteArrayView bytes);

// Characters outside the code page become '?'.
QByteArray encode8bit(QStringView text);

// True when every character of text has a byte of its own in the code page.
bool canEncode8bit(QStringView text);

} // namespace textio
