#pragma once

#include "scriptcheck/scriptcheck.h"
#include "scriptcheck/token.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace scriptcheck {

// Splits a script into tokens as the interpreter's scanner does: words and reserved words
// without regard to case, numbers without exponent, strings in double quotes, // and /* */
// comments, and # directives (#include brings in another file). A word directly followed by a
// period takes the period and the next word into its name ("lib.name"), except the word that
// ends the file ("endmodule." or "endfsm."). Throws Failure at a character it cannot take.
class Scanner {
public:
    Scanner(QByteArrayView text, const Options& options);

    Token next();

    // The word that a period may follow: "endmodule" (the default) or "endfsm".
    void setEndWord(const QString& word) { endWord_ = word; }

    // The name of an #include file by its number in Token::file (0: the checked text).
    QString fileName(int file) const { return names_.at(file); }

private:
    struct Source {
        QByteArray bytes;
        qsizetype pos = 0;
        int line = 1;
        int file = 0;
    };

    bool atEnd() const { return top().pos >= top().bytes.size(); }
    // The byte at the reading position, or -1 at the end. A NUL or DEL byte is a problem: the
    // interpreter ends the line at a NUL and the file at a DEL (0x7F), except in a comment.
    int cur() const;
    int ahead(int n) const;
    const Source& top() const { return sources_.back(); }
    Source& top() { return sources_.back(); }
    [[noreturn]] void failHere(const QString& message) const;

    void skipBlanks();
    void skipBlockComment();
    void directive();
    void include(const QString& directiveWord);
    Token word();
    Token number();
    Token string();
    Token special();
    Token make(Tok kind, const QString& text) const;

    const Options& options_;
    std::vector<Source> sources_;
    std::vector<QString> names_;
    QString endWord_ = QStringLiteral("endmodule");
};

} // namespace scriptcheck
