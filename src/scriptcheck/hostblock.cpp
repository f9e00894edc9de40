#include "scriptcheck/hostblock.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace scriptcheck {

namespace {

// The words and signs of one host line, after "host".
class HostLine {
public:
    HostLine(const QString& text, int line)
        : text_(text)
        , line_(line) {}

    HostName read() {
        const QString kind = word(u"integer, real, boolean, char or routine"_s);
        HostName host;
        host.symbol.line = line_;
        if (kind.toLower() == u"routine"_s) {
            readRoutine(host);
        } else {
            host.symbol.kind = Kind::Variable;
            host.symbol.type = scalar(kind, true);
            readName(host);
        }
        skipBlanks();
        if (pos_ < text_.size())
            bad(u"nothing may follow on the line"_s);
        return host;
    }

private:
    [[noreturn]] void bad(const QString& what) const {
        fail(line_, 0, u"this host line is not understood: "_s + what);
    }
    void skipBlanks() {
        while (pos_ < text_.size() && text_[pos_].isSpace())
            ++pos_;
    }
    bool take(QChar sign) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == sign) {
            ++pos_;
            return true;
        }
        return false;
    }
    QString word(const QString& expected) {
        skipBlanks();
        const qsizetype start = pos_;
        while (pos_ < text_.size() && (text_[pos_].isLetterOrNumber() || text_[pos_] == u'_'))
            ++pos_;
        if (pos_ == start)
            bad(expected + u" expected"_s);
        return text_.mid(start, pos_ - start);
    }
    TypePtr scalar(const QString& name, bool charAllowed) const {
        const Builtins& b = builtins();
        const QString lower = name.toLower();
        if (lower == u"integer"_s)
            return b.integer;
        if (lower == u"real"_s)
            return b.real;
        if (lower == u"boolean"_s)
            return b.boolean;
        if (lower == u"char"_s && charAllowed)
            return b.character;
        bad(u"%1 is not a type a host name may have"_s.arg(name));
    }
    void readName(HostName& host) {
        host.symbol.name = word(u"the simulator's name"_s);
        host.lower = host.symbol.name.toLower();
        const QChar first = host.symbol.name.front();
        if (first.unicode() > 0x7f || !first.isLetter())
            bad(u"a name begins with a letter"_s);
        for (QChar c : host.symbol.name) {
            if (c.unicode() > 0x7f)
                bad(u"a name is made of the letters A to Z, digits and _"_s);
        }
    }
    ArgClass argument() {
        const QString name = word(u"an argument type"_s);
        const QString lower = name.toLower();
        const bool array = take(u'[');
        if (array && !take(u']'))
            bad(u"] expected"_s);
        static const QHash<QString, std::pair<ArgClass, ArgClass>> classes{
            {u"integer"_s, {ArgClass::Integer, ArgClass::Integers}},
            {u"real"_s, {ArgClass::Real, ArgClass::Reals}},
            {u"boolean"_s, {ArgClass::Boolean, ArgClass::Booleans}},
            {u"char"_s, {ArgClass::Char, ArgClass::Text}},
            {u"number"_s, {ArgClass::Number, ArgClass::Number}},
            {u"any"_s, {ArgClass::Anything, ArgClass::Anything}},
        };
        const auto found = classes.constFind(lower);
        if (found == classes.constEnd() ||
            (array && found->first == found->second && lower != u"char"_s))
            bad(u"%1 is not an argument type: write integer, real, boolean, char, number, any, "
                "char[], integer[], real[] or boolean[]"_s.arg(name +
                                                               (array ? u"[]"_s : QString())));
        return array ? found->second : found->first;
    }
    void readRoutine(HostName& host) {
        host.symbol.kind = Kind::Standard;
        readName(host);
        if (take(u'(')) {
            do
                host.symbol.args.push_back(argument());
            while (take(u','));
            if (!take(u')'))
                bad(u", or ) expected"_s);
        }
        if (take(u':'))
            host.symbol.type = scalar(word(u"the result type"_s), false);
    }

    QString text_;
    int line_;
    qsizetype pos_ = 0;
};

// The text after "//  host" when the line is a host line.
std::optional<QString> hostText(QByteArrayView line) {
    QString text = QString::fromLatin1(line.data(), line.size()).trimmed();
    if (!text.startsWith(u"//"_s))
        return std::nullopt;
    text = text.mid(2).trimmed();
    if (!text.startsWith(u"host"_s, Qt::CaseInsensitive) || (text.size() > 4 && !text[4].isSpace()))
        return std::nullopt;
    return text.mid(4);
}

} // namespace

HostBlock readHostBlock(QByteArrayView bytes) {
    HostBlock block;
    const SymbolTable language; // the language's own names, which no host name may take
    QSet<QString> seen;
    int lineNumber = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        ++lineNumber;
        const std::optional<QString> text = hostText(bytes.sliced(start, end - start));
        start = end + 1;
        if (!text)
            continue;
        try {
            HostName host = HostLine(*text, lineNumber).read();
            if (language.find(host.lower))
                fail(lineNumber, 0,
                     u"%1 is a name of the script language itself"_s.arg(host.symbol.name));
            if (seen.contains(host.lower))
                fail(lineNumber, 0, u"%1 is listed twice as a host name"_s.arg(host.symbol.name));
            seen.insert(host.lower);
            block.names.push_back(std::move(host));
        } catch (const Failure& failure) {
            block.problem = failure;
            break;
        }
    }
    return block;
}

} // namespace scriptcheck
