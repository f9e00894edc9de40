#pragma once

#include <cstring>
#include <QByteArray>
#include <QByteArrayView>

// Keys and values of the lines of saved flights and flight plans.
namespace textio {

// A line matches a key when its first characters are exactly the key: case-sensitive, leading
// blanks not skipped; a line shorter than the key never matches.
// Written out so that, for a key known at compile time, the test is a few inline instructions:
// it runs on every line of files of any size.
inline bool matchesKey(QByteArrayView line, QByteArrayView key) {
    return line.size() >= key.size() &&
           std::memcmp(line.data(), key.data(), static_cast<std::size_t>(key.size())) == 0;
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
