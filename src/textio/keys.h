#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Keys and values of the lines of saved flights and flight plans.
namespace textio {

// A line matches a key when its first characters are exactly the key: case-sensitive, leading
// blanks not skipped; a line shorter than the key never matches.
inline bool matchesKey(QByteArrayView line, QByteArrayView key) {
    return line.startsWith(key);
}

// The value after a key of keyLength characters: from the character after the key, at most
// maxLength characters, fewer when the line ends earlier; neither trimmed nor checked.
inline QByteArray keyValue(QByteArrayView line, qsizetype keyLength, qsizetype maxLength) {
    if (line.size() <= keyLength) {
        return QByteArray();
    }
    return line.sliced(keyLength, qMin(maxLength, line.size() - keyLength)).toByteArray();
}

} // namespace textio
