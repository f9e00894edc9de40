#include "textio/codepage.h"

#include <QtTest>

class TestCodePage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteRoundTrips() {
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte) {
            all.append(static_cast<char>(byte));
        }
        const QString text = textio::decode8bit(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(textio::encode8bit(text), all);
        QVERIFY(textio::canEncode8bit(text));
    }

    void decodesAsWindows1252_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("character");
        QTest::newRow("ascii") << 0x41 << 0x41;
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 0x81 kept") << 0x81 << 0x81;
        QTest::newRow("undefined 0x8D kept") << 0x8D << 0x8D;
        QTest::newRow("undefined 0x8F kept") << 0x8F << 0x8F;
        QTest::newRow("undefined 0x90 kept") << 0x90 << 0x90;
        QTest::newRow("undefined 0x9D kept") << 0x9D << 0x9D;
        QTest::newRow("left double quote") << 0x93 << 0x201C;
        QTest::newRow("y diaeresis capital") << 0x9F << 0x0178;
        QTest::newRow("e acute") << 0xE9 << 0xE9;
        QTest::newRow("y diaeresis") << 0xFF << 0xFF;
    }
    void decodesAsWindows1252() {
        QFETCH(int, byte);
        QFETCH(int, character);
        const QString text = textio::decode8bit(QByteArray(1, static_cast<char>(byte)));
        QCOMPARE(text.at(0).unicode(), character);
    }

    void charactersOutsideTheCodePageBecomeQuestionMarks() {
        const QString text = QStringLiteral("Z\u00fcrich \u041c\u043e\u0441\u043a\u0432\u0430");
        QCOMPARE(textio::encode8bit(text), QByteArray("Z\xfcrich ??????"));
        QVERIFY(!textio::canEncode8bit(text));
        // C1 control characters that the code page gives to other characters have no byte.
        QVERIFY(!textio::canEncode8bit(QString(QChar(0x80))));
    }
};

QTEST_APPLESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
