#include "scriptcheck/scanner.h"

#include "scriptcheck/failure.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace scriptcheck {

namespace {

// The interpreter keeps at most this many source files open, the script and its includes.
constexpr int kMaxOpenFiles = 6;
constexpr int kMaxDigits = 20;

bool isLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
bool isWordChar(int c) {
    return isLetter(c) || isDigit(c) || c == '_';
}

// Directives that switch something of the interpreter on or off; the rest of their line is
// read as script text. The code between #debug_start and #debug_end is checked like any other.
bool isSwitchDirective(const QString& word) {
    static const QStringList words{u"assert_on"_s, u"assert_off"_s,     u"print_on"_s,
                                   u"print_off"_s, u"stringfuncs_on"_s, u"stringfuncs_off"_s,
                                   u"debug_on"_s,  u"debug_off"_s,      u"debug_start"_s,
                                   u"debug_end"_s};
    return words.contains(word);
}

} // namespace

Scanner::Scanner(QByteArrayView text, const Options& options)
    : options_(options) {
    sources_.push_back({text.toByteArray(), 0, 1, 0});
    names_.push_back(QString());
}

int Scanner::cur() const {
    if (atEnd())
        return -1;
    const int c = static_cast<unsigned char>(top().bytes.at(top().pos));
    if (c == 0)
        failHere(u"a NUL byte stands here: the simulator cannot read this line"_s);
    if (c == 0x7f)
        failHere(u"a DEL byte (0x7F) stands here: the simulator takes it as the end of the file"_s);
    return c;
}

int Scanner::ahead(int n) const {
    const qsizetype at = top().pos + n;
    return at < top().bytes.size() ? static_cast<unsigned char>(top().bytes.at(at)) : -1;
}

void Scanner::failHere(const QString& message) const {
    fail(top().line, top().file, message);
}

Token Scanner::make(Tok kind, const QString& text) const {
    Token token;
    token.kind = kind;
    token.text = text;
    token.line = top().line;
    token.file = top().file;
    return token;
}

Token Scanner::next() {
    skipBlanks();
    if (atEnd())
        return make(Tok::Eof, QString());
    const int c = cur();
    if (isLetter(c))
        return word();
    if (isDigit(c))
        return number();
    if (c == '"')
        return string();
    return special();
}

void Scanner::skipBlanks() {
    for (;;) {
        if (atEnd()) {
            if (sources_.size() == 1)
                return;
            sources_.pop_back(); // the rest of the #include line was skipped when it was read
            continue;
        }
        const int c = cur();
        if (c == ' ' || c == '\t' || c == '\r') {
            ++top().pos;
        } else if (c == '\n') {
            ++top().pos;
            ++top().line;
        } else if (c == '/' && ahead(1) == '/') {
            while (!atEnd() && ahead(0) != '\n') // a NUL or DEL byte does no harm here
                ++top().pos;
        } else if (c == '/' && ahead(1) == '*') {
            skipBlockComment();
        } else if (c == '#') {
            directive();
        } else {
            return;
        }
    }
}

void Scanner::skipBlockComment() {
    const int startLine = top().line;
    top().pos += 2;
    for (;;) {
        if (atEnd())
            fail(startLine, top().file, u"this comment has no end: */ expected"_s);
        const int c = ahead(0); // a NUL or DEL byte does no harm here
        ++top().pos;
        if (c == '\n')
            ++top().line;
        else if (c == '*' && ahead(0) == '/') {
            ++top().pos;
            return;
        }
    }
}

void Scanner::directive() {
    ++top().pos;
    QString word;
    while (!atEnd() && cur() != ' ' && cur() != '\r' && cur() != '\n') {
        word += QChar(cur());
        ++top().pos;
    }
    const QString lower = word.toLower();
    if (lower == u"include"_s || lower == u"include_"_s)
        include(word);
    else if (!isSwitchDirective(lower))
        failHere(u"#%1 is not a directive the simulator knows"_s.arg(word));
}

void Scanner::include(const QString& directiveWord) {
    const QString usage =
        u"#%1 needs one blank and a file name in double quotes: #%1 \"file\""_s.arg(directiveWord);
    if (cur() != ' ' || ahead(1) != '"')
        failHere(usage);
    top().pos += 2;
    QString name;
    while (!atEnd() && cur() != '"' && cur() != '\n') {
        name += QChar(cur());
        ++top().pos;
    }
    if (atEnd() || cur() != '"')
        failHere(usage);
    while (!atEnd() && cur() != '\n') // the interpreter ignores the rest of the line
        ++top().pos;
    if (!options_.includeFile)
        failHere(u"#%1 \"%2\" cannot be checked, as the checker does not see that file: "
                 "put its lines into the script itself"_s.arg(directiveWord, name));
    if (sources_.size() >= kMaxOpenFiles)
        failHere(u"too many #include files inside each other (at most %1 files are open)"_s.arg(
            kMaxOpenFiles));
    const std::optional<QByteArray> bytes = options_.includeFile(name);
    if (!bytes)
        failHere(u"the file \"%1\" of this #%2 cannot be read"_s.arg(name, directiveWord));
    names_.push_back(name);
    sources_.push_back({*bytes, 0, 1, int(names_.size() - 1)});
}

Token Scanner::word() {
    Token token = make(Tok::Identifier, QString());
    while (!atEnd() && isWordChar(cur())) {
        token.text += QChar(cur());
        ++top().pos;
    }
    bool qualified = false;
    if (!atEnd() && cur() == '.' && token.text.toLower() != endWord_) {
        qualified = true;
        token.text += QLatin1Char('.');
        ++top().pos;
        while (!atEnd() && isWordChar(cur())) {
            token.text += QChar(cur());
            ++top().pos;
        }
    }
    token.lower = token.text.toLower();
    if (!qualified)
        token.kind = reservedWord(token.lower);
    return token;
}

Token Scanner::number() {
    Token token = make(Tok::Integer, QString());
    int digits = 0;
    auto takeDigits = [&] {
        while (!atEnd() && isDigit(cur())) {
            token.text += QChar(cur());
            ++top().pos;
            ++digits;
        }
    };
    takeDigits();
    if (!atEnd() && cur() == '.') {
        token.kind = Tok::Real;
        token.text += QLatin1Char('.');
        ++top().pos;
        if (atEnd() || !isDigit(cur()))
            failHere(u"a digit must follow the decimal point of %1"_s.arg(token.text));
        takeDigits();
    }
    if (!atEnd() && (cur() == 'e' || cur() == 'E'))
        failHere(u"a number cannot have an exponent: write it with digits and at most one "
                 "decimal point"_s);
    if (digits > kMaxDigits)
        failHere(
            u"the number %1 has too many digits (at most %2)"_s.arg(token.text).arg(kMaxDigits));
    // A whole number beyond the 32-bit range still loads: the interpreter has no size test
    // for it, only the digit limit above.
    return token;
}

Token Scanner::string() {
    Token token = make(Tok::String, QString());
    ++top().pos;
    for (;;) {
        if (atEnd() || cur() == '\n' || (cur() == '\r' && ahead(1) == '\n'))
            failHere(u"this text has no closing double quote on its line"_s);
        const int c = cur();
        if (c == '"')
            break;
        if (c == '/' && (ahead(1) == '/' || ahead(1) == '*'))
            failHere(u"a text may not hold // or /*: the simulator starts a comment there even "
                     "inside double quotes"_s);
        if (c == '#')
            failHere(u"a text may not hold #: the simulator reads a directive there even inside "
                     "double quotes"_s);
        token.text += QChar(c); // Latin-1 is enough: only the length matters to the check
        ++top().pos;
    }
    ++top().pos;
    token.length = int(token.text.size());
    return token;
}

Token Scanner::special() {
    const int c = cur();
    const int next = ahead(1);
    auto one = [&](Tok kind) {
        Token token = make(kind, QString(QChar(c)));
        ++top().pos;
        return token;
    };
    auto two = [&](Tok kind) {
        Token token = make(kind, QString(QChar(c)) + QChar(next));
        top().pos += 2;
        return token;
    };
    switch (c) {
    case '(':
        return one(Tok::LParen);
    case ')':
        return one(Tok::RParen);
    case '[':
        return one(Tok::LBracket);
    case ']':
        return one(Tok::RBracket);
    case '+':
        return one(Tok::Plus);
    case '-':
        return one(Tok::Minus);
    case '*':
        return one(Tok::Star);
    case '/':
        return one(Tok::Slash);
    case ':':
        return one(Tok::Colon);
    case ';':
        return one(Tok::Semicolon);
    case ',':
        return one(Tok::Comma);
    case '.':
        return one(Tok::Period);
    case '@':
        return one(Tok::At);
    case '=':
        return next == '=' ? two(Tok::EqualEqual) : one(Tok::Equal);
    case '<':
        if (next == '=')
            return two(Tok::LessEqual);
        return next == '>' ? two(Tok::NotEqual) : one(Tok::Less);
    case '>':
        return next == '=' ? two(Tok::GreaterEqual) : one(Tok::Greater);
    default:
        break;
    }
    if (c == '_')
        failHere(u"a name must begin with a letter, not with _"_s);
    if (c > ' ' && c < 0x7f)
        failHere(u"the character %1 cannot stand here"_s.arg(QChar(c)));
    const QString hex = QString::number(c, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    failHere(u"the byte 0x%1 cannot stand here: only letters, digits and signs of the script "
             "language may stand outside comments and texts"_s.arg(hex));
}

} // namespace scriptcheck
