#include "textio/numbers.h"

#include <cmath>
#include <limits>
#include <QtTest>

namespace {
const double kInfinity = std::numeric_limits<double>::infinity();
}

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lenientReading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("whole number") << "35000" << 35000.0;
        QTest::newRow("decimal point") << "55.5" << 55.5;
        QTest::newRow("six decimals") << "89.999992" << 89.999992;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("number then letters") << "12abc" << 12.0;
        QTest::newRow("FL350 has no leading number") << "FL350" << 0.0;
        QTest::newRow("blanks before") << "  \t42" << 42.0;
        QTest::newRow("blanks between digits") << "1 2 3" << 123.0;
        QTest::newRow("line feed skipped") << "1\n5" << 15.0;
        QTest::newRow("blank after sign") << "- 5" << -5.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("negative") << "-0.1" << -0.1;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("comma stops") << "1,5" << 1.0;
        QTest::newRow("comma after identifier") << "JFK," << 0.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent capital, signed") << "25E-1" << 2.5;
        QTest::newRow("exponent with blanks") << "1 e 3" << 1000.0;
        QTest::newRow("exponent without digits") << "1e" << 1.0;
        QTest::newRow("exponent sign without digits") << "7e+x" << 7.0;
        QTest::newRow("altitude field") << "+000433." << 433.0;
        QTest::newRow("negative altitude field") << "-000010." << -10.0;
        QTest::newRow("carriage return stops") << "1\r5" << 1.0;
        QTest::newRow("beyond double range") << "1e999" << kInfinity;
        QTest::newRow("beyond double range, negative") << "-1e400" << -kInfinity;
        QTest::newRow("many digits beyond range") << QString(400, QLatin1Char('9')) << kInfinity;
        QTest::newRow("too small is zero") << "1e-999" << 0.0;
        QTest::newRow("exponent beyond any range") << "1e99999999999999999999" << kInfinity;
        QTest::newRow("zero with a huge exponent") << "0e99999" << 0.0;
        QTest::newRow("tiny but not zero") << "-4.9e-324" << -4.9e-324;
        QTest::newRow("large mantissa, small exponent") << "0.01e310" << 1e308;
        QTest::newRow("just beyond the largest double") << "10e308" << kInfinity;
        QTest::newRow("largest double") << "1.7976931348623157e308" << 1.7976931348623157e308;
        QTest::newRow("non-ASCII stops") << QStringLiteral("4\u00bd") << 4.0;
    }
    void lenientReading() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(textio::lenientNumber(text), value);
        QCOMPARE(textio::lenientNumber(QByteArrayView(text.toLatin1())), value);
    }

    void lenientReadingIgnoresTheLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(textio::lenientNumber(u"55.5"), 55.5);
        QLocale::setDefault(QLocale::c());
    }

    void strictReading_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("whole number") << "en_US"
                                      << "22337" << true << 22337.0;
        QTest::newRow("surrounding blanks") << "en_US"
                                            << " 57275 " << true << 57275.0;
        QTest::newRow("negative") << "en_US"
                                  << "-58" << true << -58.0;
        QTest::newRow("empty fails") << "en_US"
                                     << "" << false << 0.0;
        QTest::newRow("blanks only fail") << "en_US"
                                          << "   " << false << 0.0;
        QTest::newRow("trailing letters fail") << "en_US"
                                               << "12abc" << false << 0.0;
        QTest::newRow("German decimal comma") << "de_DE"
                                              << "1,5" << true << 1.5;
        QTest::newRow("German whole number") << "de_DE"
                                             << "22337" << true << 22337.0;
        QTest::newRow("out of range fails") << "en_US"
                                            << "1e999" << false << 0.0;
    }
    void strictReading() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const std::optional<double> read = textio::strictNumber(text, QLocale(locale));
        QCOMPARE(read.has_value(), ok);
        if (ok) {
            QCOMPARE(*read, value);
        }
    }

    void wholeNumbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("full tanks") << 57275.0 << "57275";
        QTest::newRow("negative") << -58.0 << "-58";
        QTest::newRow("no grouping") << 1234567.0 << "1234567";
        QTest::newRow("beyond 64 bits") << 1e20 << "100000000000000000000";
        QTest::newRow("largest double")
            << 1e308
            << "1000000000000000010979063629440455417404923096773118463368106829031575854049114915"
               "3716332897849468889906124966972117251561159028374314008832830700919814604603127166"
               "4502933027185697489699588559043338384466165001178426897626212945177628091195786707"
               "458122783970171784415105291802893207873272974885715430223118336";
    }
    void wholeNumbers() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(textio::wholeNumberText(value), text);
    }

    // Rounding down goes towards minus infinity, so the floor of a negative value is below it.
    void floorsOfNegativeValues_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("-0.1 % of full tanks") << -57.275 << "-58";
        QTest::newRow("-0.5") << -0.5 << "-1";
        QTest::newRow("-5") << -5.0 << "-5";
        QTest::newRow("72.9") << 72.9 << "72";
    }
    void floorsOfNegativeValues() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(textio::wholeNumberText(std::floor(value)), text);
    }

    void numbersWithAFraction_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole, English") << "en_US" << 35000.0 << "35000";
        QTest::newRow("whole, German, no grouping") << "de_DE" << 35000.0 << "35000";
        QTest::newRow("fraction, English") << "en_US" << 350.5 << "350.5";
        QTest::newRow("fraction, German") << "de_DE" << 350.5 << "350,5";
        QTest::newRow("shortest form") << "en_US" << 0.1 << "0.1";
        QTest::newRow("negative fraction") << "en_US" << -2.25 << "-2.25";
    }
    void numbersWithAFraction() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(textio::numberText(value, QLocale(locale)), text);
    }
};

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
