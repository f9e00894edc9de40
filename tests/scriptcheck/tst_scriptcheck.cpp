#include "scriptcheck/scriptcheck.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Lines 1 to 7 of every statement snippet: a module with one declaration of each kind. The
// snippet's statements start on line 8, and endmodule. follows them.
const QByteArray kPrelude = "module T;\n"
                            "const N = 3; PI = 3.14; C = \"c\"; S = \"some text\";\n"
                            "type Row = integer[3]; Color = (red, green, blue);\n"
                            "var integer i, k; real x; boolean b; char ch; char[10] txt; Row r;\n"
                            "  Color col; integer[2, 3] grid; static real sr;\n"
                            "function Half (real v) : real; code return (v / 2); endfunction;\n"
                            "function Bump (@integer n); code n = n + 1; endfunction; code\n";

QByteArray inMain(const QByteArray& body) {
    return kPrelude + body + "\nendmodule.\n";
}

QString verdict(const std::optional<scriptcheck::Problem>& problem) {
    if (!problem)
        return u"loads"_s;
    return u"%1: %2"_s.arg(problem->line).arg(problem->message);
}

} // namespace

class TestScriptCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statementsThatLoad_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("assignments")
            << QByteArray("i = 1; x = i; x = 2.5; b = true; ch = \"a\"; txt = \"abc\"; r[0] = i;\n"
                          "grid[1, 2] = 3; grid[1][2] = 4; col = green; sr = PI; txt = S;");
        QTest::newRow("arithmetic") << QByteArray("i = (i + 2) * 3 - k / 2 mod 4; x = -x + i * 2.0;"
                                                  "x = +N - PI;");
        QTest::newRow("if else, comparisons in brackets")
            << QByteArray("if (i > 1) and (x < 2.5) or not b then i = 0; else i = 1; endif;");
        QTest::newRow("nested endif without semicolon, empty lists")
            << QByteArray("if b then if b then i = 1 endif endif; if b then else endif;");
        QTest::newRow("while") << QByteArray("while (i < 10) do i = i + 1; endwhile;");
        QTest::newRow("repeat") << QByteArray("repeat i = i - 1; until (i <= 0);");
        QTest::newRow("for") << QByteArray("for i = 1 to N do k = k + i; endfor;\n"
                                           "for col = red to blue do endfor;");
        QTest::newRow("switch") << QByteArray("switch (i) case 1, -2: k = 1; endcase;\n"
                                              "case N: k = 2; endcase; endswitch;\n"
                                              "switch (ch) case C: endcase; endswitch;\n"
                                              "switch (b) case true: endcase; endswitch;");
        QTest::newRow("calls") << QByteArray(
            "x = Half(i); Half(2.5); Bump(k); x = abs(i) + sqrt(x);\n"
            "i = round(x) + trunc(2.5) + random(6); print(txt); print(i); i = concat(txt, x);\n"
            "i = getcurrentstatehandle; seedrandom(i);");
        QTest::newRow("comparisons") << QByteArray("b = (txt == txt); b = (ch <> \"b\"); b = (x >= "
                                                   "i); b = (col < blue); b = (b == true);");
        QTest::newRow("empty statements") << QByteArray(";; i = 1;;");
        QTest::newRow("comments") << QByteArray(
            "i = 1; // a note\n/* a note\nover lines */ k = 2;");
        QTest::newRow("DEL bytes in comments") << QByteArray("i = 1; // \x7f\n/* \x7f */");
        QTest::newRow("directives") << QByteArray("#print_on\nprint(\"hello\");\n#debug_start\n"
                                                  "#debug_end");
        QTest::newRow("words in any case") << QByteArray("IF (I > 1) THEN K = 2; ENDIF;");
        QTest::newRow("return in the main code") << QByteArray("return;");
        QTest::newRow("whole numbers beyond 32 bits")
            << QByteArray("x = -99999999999; x = -2147483648; i = 3000000000;\n"
                          "x = 99999999999999999999; x = 18446744073709551616;");
    }
    void statementsThatLoad() {
        QFETCH(QByteArray, body);
        QCOMPARE(verdict(scriptcheck::checkScript(inMain(body))), u"loads"_s);
    }

    void filesThatLoad_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("smallest module") << QByteArray("module T;\ncode\nendmodule.");
        QTest::newRow("crlf, text after the end in a comment")
            << QByteArray("module T;\r\ncode\r\nendmodule.\r\n// the end\r\n");
        QTest::newRow("fsm with states")
            << QByteArray("fsm F;\nvar integer n;\nfunction init;\ncode\nn = 0;\nendfunction;\n"
                          "state start;\ncode\nn = n + 1;\ntrans second;\nendstate;\n"
                          "state second;\ncode\ntransback;\nendstate;\nendfsm.\n");
        QTest::newRow("order") << QByteArray("module T;\norder Go : integer;\ncode\nreturn "
                                             "(1);\nendorder;\ncode\nGo;\nendmodule.\n");
        QTest::newRow("eternal and static, locals, empty parameter list")
            << QByteArray("module T;\nvar eternal real e; static integer s;\n"
                          "function F () : integer; const K = 2; var integer j; code\n"
                          "j = K; return (j); endfunction;\ncode\ne = s + F;\nendmodule.\n");
        QTest::newRow("names of one declaration without commas")
            << QByteArray("module T;\nvar static real nV1 nVr, nV2; integer a b c,;\ncode\n"
                          "nV1 = nVr + nV2; a = b + c;\nendmodule.\n");
        QTest::newRow("module with a result")
            << QByteArray("module T : integer;\ncode\nreturn (0);\nendmodule.\n");
        QTest::newRow("host lines") << QByteArray(
            "// host integer HostInt\n//HOST routine HostShow (char[], number) : boolean\n"
            "//  host  routine  HostBeep\nmodule T;\nvar boolean b;\ncode\n"
            "b = HostShow(\"xy\", 2.5); HostInt = HostInt + 1; HostBeep;\nendmodule.\n");
    }
    void filesThatLoad() {
        QFETCH(QByteArray, text);
        QCOMPARE(verdict(scriptcheck::checkScript(text)), u"loads"_s);
    }

    // One token off, and the first problem with its line.
    void brokenStatements_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const char* body, int line, const QString& message) {
            QTest::newRow(name) << QByteArray(body) << u"%1: %2"_s.arg(line).arg(message);
        };
        row("then missing", "if (i > 1) i = 0; endif;", 8, u"then expected"_s);
        row("endif missing", "if (i > 1) then i = 0;", 8, u"endif expected"_s);
        row("semicolon missing", "i = 1\nk = 2;", 8, u"; expected"_s);
        row("semicolon missing before endmodule", "k = 2", 8, u"; expected"_s);
        row("empty value", "i = ;", 8, u"expression expected"_s);
        row("bracket missing", "i = (1 + 2;", 8, u") expected"_s);
        row("== for =", "k == 1;", 8, u"= expected"_s);
        row("real to integer", "k = 1.5;", 8, u"cannot assign a real to an integer"_s);
        row("integer to boolean", "b = 1;", 8, u"cannot assign an integer to a boolean"_s);
        row("array to integer", "i = r;", 8, u"cannot assign an array of integers to an integer"_s);
        row("long text", "txt = \"ten chars!\";", 8,
            u"cannot assign a text (char[11]) to a text (char[10])"_s);
        row("number as condition", "if (i) then endif;", 8,
            u"a condition must be a boolean (true or false), not an integer: compare it, as in "
            "(CallList == 1)"_s);
        row("comparisons without brackets", "if i > 1 and x < 2 then endif;", 8,
            u"cannot use and with an integer and a real: put each comparison in brackets, as in "
            "(a > 1) and (b < 2)"_s);
        row("compare boolean with number", "b = (b == 1);", 8,
            u"cannot compare a boolean with an integer"_s);
        row("not a number", "b = not i;", 8,
            u"not needs a boolean (true or false), not an integer"_s);
        row("sign before a boolean", "x = -b;", 8,
            u"a sign (+ or -) needs a number, not a boolean"_s);
        row("mod of reals", "i = i mod x;", 8, u"cannot use mod with an integer and a real"_s);
        row("not declared", "i = 1;\nnFoo = 1;", 9, u"nFoo is not declared"_s);
        row("constant changed", "N = 4;", 8, u"N is a constant, not a variable"_s);
        row("variable called", "i(1) = 2;", 8,
            u"i is a variable, not a routine: ( cannot follow it"_s);
        row("too many indexes", "i = r[1, 2];", 8, u"too many indexes for r"_s);
        row("real index", "r[x] = 1;", 8, u"an array index must be an integer, not a real"_s);
        row("argument too many", "x = Half(1, 2);", 8, u"Half takes only 1 argument"_s);
        row("argument missing", "x = Half;", 8, u"Half needs 1 argument"_s);
        row("argument type", "x = Half(b);", 8,
            u"argument 1 of Half must be a real, not a boolean"_s);
        row("value for a @ parameter", "Bump(3);", 8,
            u"argument 1 of Bump must be a variable, which Bump may change"_s);
        row("variable of another type for @", "Bump(x);", 8,
            u"argument 1 of Bump must be a variable holding an integer, not a real"_s);
        row("no value", "i = Bump(k);", 8,
            u"Bump gives no value, so it cannot stand in an expression"_s);
        row("standard argument", "i = round(i);", 8,
            u"argument 1 of round must be a real, not an integer"_s);
        row("standard number argument", "x = abs(b);", 8,
            u"argument 1 of abs must be an integer or a real, not a boolean"_s);
        row("brackets on no arguments", "i = getcurrentstatehandle(1);", 8,
            u"getcurrentstatehandle takes no arguments: write it without brackets"_s);
        row("return with a value in the main code", "return (1);", 8,
            u"T gives no value: write return without one"_s);
        row("do missing", "while (b) i = 0; endwhile;", 8, u"do expected"_s);
        row("endwhile missing", "while (b) do i = 0;", 8, u"endwhile expected"_s);
        row("until missing", "repeat i = 0; (b);", 8, u"until expected"_s);
        row("real counter", "for x = 1 to 2 do endfor;", 8,
            u"a for loop counts with an integer, not a real"_s);
        row("to missing", "for i = 1 do endfor;", 8, u"to expected"_s);
        row("switch on real", "switch (x) case 1: endcase; endswitch;", 8,
            u"switch needs an integer, a char or a boolean, not a real"_s);
        row("semicolon before endcase", "switch (i) case 1: k = 1 endcase; endswitch;", 8,
            u"; expected"_s);
        row("semicolon after endcase", "switch (i) case 1: endcase endswitch;", 8, u"; expected"_s);
        row("variable as case", "switch (i) case k: endcase; endswitch;", 8,
            u"k is not a constant: a case value must be one"_s);
        row("case of another type", "switch (i) case C: endcase; endswitch;", 8,
            u"this case value is a char, but the switch is on an integer"_s);
        row("text as case", "switch (ch) case \"a\": endcase; endswitch;", 8,
            u"a case value cannot be a text in double quotes: declare a constant for it"_s);
        row("trans to nowhere", "trans nowhere;", 8,
            u"the state nowhere is named here but never defined"_s);
        row("trans to a variable", "trans k;", 8,
            u"k is not a state: trans needs the name of a state"_s);
        row("exponent", "x = 1e2;", 8,
            u"a number cannot have an exponent: write it with digits and at most one decimal point"_s);
        row("comma as decimal point", "x = 148,5;", 8, u"; expected"_s);
        row("letters after digits", "x = 12abc;", 8, u"; expected"_s);
        row("point without digits", "x = 5.;", 8, u"a digit must follow the decimal point of 5."_s);
        row("too many digits", "x = 123456789012345678901;", 8,
            u"the number 123456789012345678901 has too many digits (at most 20)"_s);
        row("comment in a text", "txt = \"a // b\";", 8,
            u"a text may not hold // or /*: the simulator starts a comment there even inside "
            "double quotes"_s);
        row("directive in a text", "txt = \"#1\";", 8,
            u"a text may not hold #: the simulator reads a directive there even inside double "
            "quotes"_s);
        row("open text", "txt = \"abc;\ni = 1;", 8,
            u"this text has no closing double quote on its line"_s);
        row("open comment", "i = 1; /* and\nthe rest", 8,
            u"this comment has no end: */ expected"_s);
        row("unknown directive", "i = 1;\n#pragma once", 9,
            u"#pragma is not a directive the simulator knows"_s);
        row("include", "#include \"more.abl\"", 8,
            u"#include \"more.abl\" cannot be checked, as the checker does not see that file: put "
            "its lines into the script itself"_s);
        row("odd sign", "i = i & 1;", 8, u"the character & cannot stand here"_s);
        row("control byte", "i = 1;\x01", 8,
            u"the byte 0x01 cannot stand here: only letters, digits and signs of the script "
            "language may stand outside comments and texts"_s);
        row("DEL byte in a text", "txt = \"a\x7f\";", 8,
            u"a DEL byte (0x7F) stands here: the simulator takes it as the end of the file"_s);
    }
    void brokenStatements() {
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        QCOMPARE(verdict(scriptcheck::checkScript(inMain(body))), expected);
    }

    void brokenFiles_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const char* text, int line, const QString& message) {
            QTest::newRow(name) << QByteArray(text) << u"%1: %2"_s.arg(line).arg(message);
        };
        row("module misspelt", "modul T;\ncode\nendmodule.\n", 1,
            u"module expected: a script begins with module and its name"_s);
        row("header semicolon", "module T\ncode\nendmodule.\n", 1, u"; expected"_s);
        row("period missing", "module T;\ncode\nendmodule\n", 3, u". expected"_s);
        row("text after the end", "module T;\ncode\nendmodule.\ni = 1;\n", 4,
            u"nothing may follow endmodule. (the script ends there)"_s);
        row("code missing", "module T;\nvar integer a;\nendmodule.\n", 2, u"code expected"_s);
        row("declaration semicolon", "module T;\nvar integer a\ncode\nendmodule.\n", 2,
            u"; expected"_s);
        row("no name after the type", "module T;\nvar integer 5;\ncode\nendmodule.\n", 2,
            u"; expected"_s);
        row("declared twice", "module T;\nvar integer a;\n  real A;\ncode\nendmodule.\n", 3,
            u"A is already declared"_s);
        row("constant expression", "module T;\nconst A = 1 + 2;\ncode\nendmodule.\n", 2,
            u"; expected"_s);
        row("sections out of order", "module T;\nvar integer a;\nconst B = 1;\ncode\nendmodule.\n",
            3,
            u"const is out of order: const, type and var come once each, in this order, before "
            "the functions"_s);
        row("not a type", "module T;\nvar integer a;\n  a b;\ncode\nendmodule.\n", 3,
            u"a is not a type"_s);
        row("array size", "module T;\nvar integer[2.5] a;\ncode\nendmodule.\n", 2,
            u"an array size must be a whole number"_s);
        row("integer returned as real",
            "module T;\nfunction F : real;\ncode\nreturn (1);\nendfunction;\ncode\nendmodule.\n", 4,
            u"return gives an integer, but F gives a real: assign the value to a real variable "
            "and return that"_s);
        row("return without value",
            "module T;\nfunction F : real;\ncode\nreturn;\nendfunction;\ncode\nendmodule.\n", 4,
            u"return needs a value in brackets: F gives a real"_s);
        row("endfunction missing", "module T;\nfunction F;\ncode\nreturn;\ncode\nendmodule.\n", 4,
            u"endfunction expected"_s);
        row("semicolon after endfunction",
            "module T;\nfunction F;\ncode\nendfunction\ncode\nendmodule.\n", 4, u"; expected"_s);
        row("locals stay inside",
            "module T;\nfunction F;\nvar integer j;\ncode\nendfunction;\ncode\nj = "
            "1;\nendmodule.\n",
            7, u"j is not declared"_s);
        row("function inside a function", "module T;\nfunction F;\nfunction G;\n", 3,
            u"a function cannot be declared inside a routine: code expected"_s);
        row("order without integer", "module T;\norder Go;\ncode\nendorder;\ncode\nendmodule.\n", 2,
            u"an order must give an integer: order Go ... : integer"_s);
        row("array parameter", "module T;\nfunction F (integer[3] a);\n", 2,
            u"a parameter cannot be declared as an array here: declare a type for the array in the "
            "type section and use its name"_s);
        row("endmodule in an fsm", "fsm F;\nstate start;\ncode\nendstate;\nendmodule.\n", 4,
            u"endfsm expected"_s);
        row("placeholder", "module T;\nvar real x;\ncode\nx = 1;\nx = SimVar_Speed;\nendmodule.\n",
            5, u"SimVar_Speed is a placeholder: replace it with your simulator's name"_s);
        row("host name misspelt",
            "// host real FsSpeed\nmodule T;\nvar real x;\ncode\nx = FsSped;\nendmodule.\n", 5,
            u"FsSped is not declared"_s);
        row("host routine argument",
            "// host routine Show (char[])\nmodule T;\ncode\nShow(1);\nendmodule.\n", 4,
            u"argument 1 of Show must be a text, not an integer"_s);
        row("one letter is a char, not a text",
            "// host routine Show (char[])\nmodule T;\ncode\nShow(\"a\");\nendmodule.\n", 4,
            u"argument 1 of Show must be a text, not a char"_s);
        row("host routine without value",
            "// host routine Show (char[])\nmodule T;\nvar real x;\ncode\nx = Show(\"ab\");\n"
            "endmodule.\n",
            5, u"Show gives no value, so it cannot stand in an expression"_s);
        row("host type unknown", "module T;\n// host reel FsSpeed\ncode\nendmodule.\n", 2,
            u"this host line is not understood: reel is not a type a host name may have"_s);
        row("host argument unknown", "// host routine Show (text)\nmodule T;\ncode\nendmodule.\n",
            1,
            u"this host line is not understood: text is not an argument type: write integer, real, "
            "boolean, char, number, any, char[], integer[], real[] or boolean[]"_s);
        row("host line with more", "// host real FsSpeed knots\nmodule T;\ncode\nendmodule.\n", 1,
            u"this host line is not understood: nothing may follow on the line"_s);
        row("host name of the language", "// host routine abs\nmodule T;\ncode\nendmodule.\n", 1,
            u"abs is a name of the script language itself"_s);
        row("host name twice", "// host real A\n// host integer a\nmodule T;\ncode\nendmodule.\n",
            2, u"a is listed twice as a host name"_s);
        row("code problem before a host line", "module T\n// host reel X\ncode\nendmodule.\n", 1,
            u"; expected"_s);
    }
    void brokenFiles() {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        QCOMPARE(verdict(scriptcheck::checkScript(text)), expected);
    }

    // A script nested without end is a problem of its own, not a crash of the checker.
    void deepNesting_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("brackets") << QByteArray("i = ") + QByteArray(5000, '(');
        QTest::newRow("not") << QByteArray("b = ") + QByteArray("not ").repeated(5000) + "b;";
        QTest::newRow("if") << QByteArray("if b then ").repeated(5000);
    }
    void deepNesting() {
        QFETCH(QByteArray, body);
        const auto problem = scriptcheck::checkScript(inMain(body));
        QVERIFY(problem);
        QCOMPARE(problem->message, u"this is nested too deeply (more than 200 levels of brackets "
                                   "or statements)"_s);
    }

    void placeholderNamed() {
        const auto problem = scriptcheck::checkScript(inMain("simcall_Show(\"x\");"));
        QVERIFY(problem);
        QCOMPARE(problem->placeholder, u"simcall_Show"_s);
        QCOMPARE(problem->line, 8);
        QVERIFY(scriptcheck::checkScript(inMain("k = 1.5;"))->placeholder.isEmpty());
    }

    // Scripts of another host: its names are taken as they come, the grammar still holds, and
    // an #include is followed with its own file and line.
    void lenientCheck_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("host names of any kind")
            << QByteArray(
                   "module T;\n#include_ \"consts.abi\"\nvar real x;\ncode\n"
                   "x = getSpeed(1, LIMIT) + height; setGear(true); x = pos[2];\nendmodule.\n")
            << u"loads"_s;
        QTest::newRow("grammar still holds")
            << QByteArray("module T;\ncode\nif (getSpeed > 1) then\nendmodule.\n")
            << u"3: endif expected"_s;
        QTest::newRow("problem in the included file")
            << QByteArray("module T;\n#include \"broken.abi\"\ncode\nendmodule.\n")
            << u"broken.abi 2: ; expected"_s;
        QTest::newRow("included file missing")
            << QByteArray("module T;\n#include \"missing.abi\"\ncode\nendmodule.\n")
            << u"2: the file \"missing.abi\" of this #include cannot be read"_s;
    }
    void lenientCheck() {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        scriptcheck::Options options;
        options.allowUndeclared = true;
        options.includeFile = [](const QString& name) -> std::optional<QByteArray> {
            if (name == u"consts.abi"_s)
                return QByteArray("const\n  LIMIT = 2;\n");
            if (name == u"broken.abi"_s)
                return QByteArray("const\n  LIMIT = 2\n  OTHER = 3;\n");
            return std::nullopt;
        };
        const auto problem = scriptcheck::checkScript(text, options);
        QString got = verdict(problem);
        if (problem && !problem->file.isEmpty())
            got = problem->file + u" "_s + got;
        QCOMPARE(got, expected);
    }
};

QTEST_APPLESS_MAIN(TestScriptCheck)
#include "tst_scriptcheck.moc"
