#pragma once

#include <QString>

namespace scriptcheck {

enum class Tok {
    Eof,
    Identifier,
    Integer,
    Real,
    String,
    // punctuation and operators
    LParen,
    RParen,
    LBracket,
    RBracket,
    Plus,
    Minus,
    Star,
    Slash,
    Equal,
    EqualEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    NotEqual,
    Colon,
    Semicolon,
    Comma,
    Period,
    At,
    // reserved words
    And,
    Case,
    Code,
    Const,
    Do,
    Else,
    EndCase,
    EndFor,
    EndFsm,
    EndFunction,
    EndIf,
    EndLibrary,
    EndModule,
    EndOrder,
    EndState,
    EndSwitch,
    EndWhile,
    Eternal,
    For,
    Fsm,
    Function,
    If,
    Library,
    Mod,
    Module,
    Not,
    Or,
    Order,
    Repeat,
    State,
    Static,
    Switch,
    Then,
    To,
    Trans,
    TransBack,
    Type,
    Until,
    Var,
    While,
};

struct Token {
    Tok kind = Tok::Eof;
    QString text;   // as written (a string without its quotes)
    QString lower;  // an identifier in lower case: names are compared without regard to case
    int line = 0;   // 1-based line in its file
    int file = 0;   // 0: the checked text; above: an #include file (Scanner::fileName)
    int length = 0; // a string's length in characters
};

// The word or sign of a token kind as a script writes it ("endif", ";").
QString spelling(Tok kind);

// The value of a whole number as the script writes it (digits only). The interpreter takes a
// whole number of any size up to its digit limit; one beyond the 64-bit range is read as the
// largest 64-bit number, never as 0.
qint64 wholeNumber(const QString& digits);

// The reserved word a word in lower case is, or Tok::Identifier.
Tok reservedWord(const QString& lower);

} // namespace scriptcheck
