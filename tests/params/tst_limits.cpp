#include "params/limits.h"
#include "support/compilerwindow.h"
#include "support/geometry.h"
#include "support/messagerecorder.h"
#include "ui/application.h"

#include <QtTest>

namespace {

const QString kFuel = QStringLiteral("Range allowed: 10 to 100 ");
const QString kAltitude = QStringLiteral("Max Altitude 37000 feet.");
const QString kV1 = QStringLiteral("Max v1 speed: 151 Knt");
const QString kVr = QStringLiteral("Max Vr speed: 175 Knt");
const QString kV2 = QStringLiteral("Max V2 speed: 190 Knt");

} // namespace

class TestLimits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    // Every limit's boundary: equal passes, just above is refused and the field reads the limit.
    void boundaries_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("shown");   // the field's text afterwards
        const struct {
            const char* field;
            const char* limit;
            const char* above;
            QString message;
        } limits[] = {
            {"Text14", "100", "100.01", kFuel}, {"Text4", "37000", "37001", kAltitude},
            {"V1", "151", "151.5", kV1},        {"Vr", "175", "176", kVr},
            {"V2", "190", "191", kV2},
        };
        for (const auto& l : limits) {
            const QString field = QString::fromLatin1(l.field);
            QTest::addRow("%s at the limit", l.field) << field << l.limit << QString() << l.limit;
            QTest::addRow("%s above", l.field) << field << l.above << l.message << l.limit;
            QTest::addRow("%s far above, with letters", l.field)
                << field << "99999abc" << l.message << l.limit;
            QTest::addRow("%s beyond the double range", l.field)
                << field << "1e999" << l.message << l.limit;
            QTest::addRow("%s beyond the double range, negative", l.field)
                << field << "-1e400" << l.message << l.limit;
            QTest::addRow("%s negative", l.field) << field << "-20" << QString() << "-20";
            QTest::addRow("%s empty", l.field) << field << "" << QString() << "";
            QTest::addRow("%s not a number", l.field) << field << "12abc" << QString() << "12abc";
        }
        QTest::newRow("Text14 5, no lower limit") << "Text14"
                                                  << "5" << QString() << "5";
        QTest::newRow("Text14 0") << "Text14"
                                  << "0" << QString() << "0";
        QTest::newRow("Text14 whose fuel leaves the double range") << "Text14"
                                                                   << "-1e305" << kFuel << "100";
    }
    void boundaries() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, shown);
        MessageRecorder recorder;
        CompilerWindow window;
        QLineEdit* box = window.box(field.toLatin1().constData());
        box->setText(QStringLiteral("1"));
        QString shownAtMessage;
        recorder.onShow = [&](const QString&) {
            shownAtMessage = box->text();
        };
        box->setText(text);
        QCOMPARE(recorder.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(box->text(), shown);
        if (!message.isEmpty()) {
            // The message shows while the refused text still stands; the limit comes after.
            QCOMPARE(shownAtMessage, text);
        }
        // Whatever was typed, no field is left with a text the compile could not use.
        QCOMPARE(window.fieldWithUnusableNumber(), QString());
    }

    // A refused percentage writes nothing before the message; the reset to 100 then computes
    // the fuel and speeds of full tanks.
    void refusedPercentage() {
        MessageRecorder recorder;
        CompilerWindow window;
        window.box("Text14")->setText(QStringLiteral("50"));
        QString atMessage;
        recorder.onShow = [&](const QString&) {
            atMessage = window.fuelAndSpeeds();
        };
        window.box("Text14")->setText(QStringLiteral("150"));
        QCOMPARE(atMessage, QStringLiteral("28637/141/155/171"));
        QCOMPARE(window.fuelAndSpeeds(), QStringLiteral("57275/151/171/181"));
        QCOMPARE(recorder.messages, QStringList{kFuel});
    }

    void typing1000KeyByKey() {
        MessageRecorder recorder;
        CompilerWindow window;
        window.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.window));
        QStringList afterEachChange;
        QObject::connect(window.box("Text14"), &QLineEdit::textChanged, [&](const QString& text) {
            afterEachChange.append(text + QLatin1Char(':') + window.fuelAndSpeeds());
        });
        QTest::keyClicks(window.box("Text14"), QStringLiteral("1000"));
        QCOMPARE(recorder.messages, QStringList{kFuel});
        QCOMPARE(window.text("Text14"), QStringLiteral("100"));
        QCOMPARE(window.fuelAndSpeeds(), QStringLiteral("57275/151/171/181"));
        // 1, 10 and 100 are computed; 1000 is refused, and the reset to 100 computed again
        // (nested, so it is recorded before the refused change's own record).
        QCOMPARE(afterEachChange,
                 QStringList({"1:572/133/143/163", "10:5727/133/143/163", "100:57275/151/171/181",
                              "100:57275/151/171/181", "1000:57275/151/171/181"}));
    }

    void limitTable() {
        QCOMPARE(params::limitOf(params::LimitedField::FuelPercent).limit, 100.0);
        const params::LimitVerdict verdict =
            params::checkLimit(params::LimitedField::V1, QStringLiteral("152"));
        QVERIFY(verdict.refused);
        QCOMPARE(verdict.message, kV1);
        QCOMPARE(verdict.resetText, QStringLiteral("151"));
        QVERIFY(!params::checkLimit(params::LimitedField::V1, QStringLiteral("151")).refused);
    }

    // Fields without a limit take anything.
    void fieldsWithoutLimits() {
        MessageRecorder recorder;
        CompilerWindow window;
        for (const char* name : {"Text2", "Text12", "Text10", "Text11", "FuelOnBoard"}) {
            window.box(name)->setText(QStringLiteral("999999"));
        }
        window.combo()->setEditText(QStringLiteral("999999"));
        QVERIFY(recorder.messages.isEmpty());
        QCOMPARE(window.fuelAndSpeeds(), QStringLiteral("999999///"));
    }
};

QTEST_MAIN(TestLimits)
#include "tst_limits.moc"
