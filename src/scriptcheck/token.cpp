#include "scriptcheck/token.h"

#include <limits>
#include <QHash>

using namespace Qt::StringLiterals;

namespace scriptcheck {

namespace {

const QHash<QString, Tok>& reservedWords() {
    static const QHash<QString, Tok> words{
        {u"and"_s, Tok::And},
        {u"case"_s, Tok::Case},
        {u"code"_s, Tok::Code},
        {u"const"_s, Tok::Const},
        {u"do"_s, Tok::Do},
        {u"else"_s, Tok::Else},
        {u"endcase"_s, Tok::EndCase},
        {u"endfor"_s, Tok::EndFor},
        {u"endfsm"_s, Tok::EndFsm},
        {u"endfunction"_s, Tok::EndFunction},
        {u"endif"_s, Tok::EndIf},
        {u"endlibrary"_s, Tok::EndLibrary},
        {u"endmodule"_s, Tok::EndModule},
        {u"endorder"_s, Tok::EndOrder},
        {u"endstate"_s, Tok::EndState},
        {u"endswitch"_s, Tok::EndSwitch},
        {u"endwhile"_s, Tok::EndWhile},
        {u"eternal"_s, Tok::Eternal},
        {u"for"_s, Tok::For},
        {u"fsm"_s, Tok::Fsm},
        {u"function"_s, Tok::Function},
        {u"if"_s, Tok::If},
        {u"library"_s, Tok::Library},
        {u"mod"_s, Tok::Mod},
        {u"module"_s, Tok::Module},
        {u"not"_s, Tok::Not},
        {u"or"_s, Tok::Or},
        {u"order"_s, Tok::Order},
        {u"repeat"_s, Tok::Repeat},
        {u"state"_s, Tok::State},
        {u"static"_s, Tok::Static},
        {u"switch"_s, Tok::Switch},
        {u"then"_s, Tok::Then},
        {u"to"_s, Tok::To},
        {u"trans"_s, Tok::Trans},
        {u"transback"_s, Tok::TransBack},
        {u"type"_s, Tok::Type},
        {u"until"_s, Tok::Until},
        {u"var"_s, Tok::Var},
        {u"while"_s, Tok::While},
    };
    return words;
}

} // namespace

Tok reservedWord(const QString& lower) {
    return reservedWords().value(lower, Tok::Identifier);
}

QString spelling(Tok kind) {
    switch (kind) {
    case Tok::Eof:
        return u"the end of the file"_s;
    case Tok::Identifier:
        return u"a name"_s;
    case Tok::Integer:
    case Tok::Real:
        return u"a number"_s;
    case Tok::String:
        return u"a text"_s;
    case Tok::LParen:
        return u"("_s;
    case Tok::RParen:
        return u")"_s;
    case Tok::LBracket:
        return u"["_s;
    case Tok::RBracket:
        return u"]"_s;
    case Tok::Plus:
        return u"+"_s;
    case Tok::Minus:
        return u"-"_s;
    case Tok::Star:
        return u"*"_s;
    case Tok::Slash:
        return u"/"_s;
    case Tok::Equal:
        return u"="_s;
    case Tok::EqualEqual:
        return u"=="_s;
    case Tok::Less:
        return u"<"_s;
    case Tok::LessEqual:
        return u"<="_s;
    case Tok::Greater:
        return u">"_s;
    case Tok::GreaterEqual:
        return u">="_s;
    case Tok::NotEqual:
        return u"<>"_s;
    case Tok::Colon:
        return u":"_s;
    case Tok::Semicolon:
        return u";"_s;
    case Tok::Comma:
        return u","_s;
    case Tok::Period:
        return u"."_s;
    case Tok::At:
        return u"@"_s;
    default:
        break;
    }
    return reservedWords().key(kind);
}

qint64 wholeNumber(const QString& digits) {
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    return ok ? value : std::numeric_limits<qint64>::max();
}

} // namespace scriptcheck
