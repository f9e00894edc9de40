#include "app/navigator.h"
#include "support/geometry.h"
#include "support/installation.h"
#include "support/messagerecorder.h"
#include "support/scratchfolder.h"
#include "support/wineprefix.h"
#include "ui/application.h"
#include "ui/directorylist.h"
#include "ui/picturebutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The windows of the program that are on screen, by name.
QStringList visibleWindows() {
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            names.append(widget->objectName());
        }
    }
    return names;
}

QWidget* window(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name)) {
            return widget;
        }
    }
    return nullptr;
}

// A window, frame included, stands in the middle of the screen's free area, to the pixel: as
// much room on its left as on its right, above as below (one more on the far side when the
// difference is odd).
void verifyCentred(const QWidget* window) {
    const QRect screen = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    const int left = frame.left() - screen.left();
    const int right = screen.right() - frame.right();
    const int above = frame.top() - screen.top();
    const int below = screen.bottom() - frame.bottom();
    QVERIFY2(right - left == 0 || right - left == 1,
             qPrintable(QStringLiteral("%1 px on the left, %2 on the right").arg(left).arg(right)));
    QVERIFY2(below - above == 0 || below - above == 1,
             qPrintable(QStringLiteral("%1 px above, %2 below").arg(above).arg(below)));
}

template <typename T> T* control(const char* windowName, const char* name) {
    return window(windowName)->findChild<T*>(QLatin1String(name));
}

void click(const char* windowName, const char* name) {
    control<QAbstractButton>(windowName, name)->click();
}

// An installation with talvo.ini, whose saved flight names the sample plan EGPB-EISG.
// The working folder; the pilot's own Wine prefix, if any, is out of sight.
struct Setup : Installation {
    NoWinePrefix noWine;
    // As the pilot picks it in the directory list: in the system's own notation.
    QString folder = QDir::toNativeSeparators(prefix);
    explicit Setup(const QByteArray& ini)
        : Installation(QStringLiteral("Flight Simulator Files")) {
        work.write(QStringLiteral("talvo.ini"), ini);
        savedFlight(crlf({"[GPS_Engine]", "Filename=FLIGHTS\\MYFLTS\\EGPB-EISG", "[Sim.0]",
                          "Aircraft=Boeing 747-400 Passengers", "Center=50.000000"}));
        QFile::copy(QStringLiteral(TALVO_SAMPLES_DIR "/EGPB-EISG.pln"),
                    work.filePath(QStringLiteral("Flight Simulator Files/EGPB-EISG.pln")));
    }
};

} // namespace

class TestNavigator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void configuredFolderOpensTheMainInterface() {
        Setup installation("placeholder\r\n");
        installation.work.write(QStringLiteral("talvo.ini"),
                                installation.folder.toLatin1() + "\r\n");
        app::Navigator navigator;
        QVERIFY(navigator.start());
        QCOMPARE(navigator.savedFlightFolder(), installation.folder);
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form2")});
        QVERIFY(!window("checkp"));
    }

    void otherCaseOfTheMarkerIsAFolder() {
        Setup installation("None\r\n");
        MessageRecorder recorder;
        app::Navigator navigator;
        QVERIFY(navigator.start());
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form2")});
        click("Form2", "Command3");
        QCOMPARE(recorder.messages,
                 QStringList{QStringLiteral("The required file Talvo.flt does not exist")});
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form2")});
    }

    // An empty first line makes the working folder the saved-flights folder.
    void emptyFirstLineLooksInTheWorkingFolder() {
        Setup installation("\r\n");
        installation.work.write(QStringLiteral("Talvo.FLT"), "Aircraft=Boeing 747-400\r\n");
        MessageRecorder recorder;
        app::Navigator navigator;
        QVERIFY(navigator.start());
        QCOMPARE(navigator.savedFlightFolder(), QString());
        click("Form2", "Command3");
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("B747")});
    }

    void markerWaitsForAFolder() {
        Setup installation("none\r\n");
        MessageRecorder recorder;
        app::Navigator navigator;
        QVERIFY(navigator.start());
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("checkp")});
        // At the root of drive C:, which on a POSIX system without a Wine prefix is "/".
#ifdef Q_OS_WIN
        const QString root = QStringLiteral("C:\\");
#else
        const QString root = QStringLiteral("/");
#endif
        QCOMPARE(control<ui::DirectoryList>("checkp", "Dir1")->path(), root);
        click("checkp", "Command1");
        QCOMPARE(recorder.messages, QStringList{QStringLiteral("Incorrect Path")});
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("checkp")});

        control<ui::DirectoryList>("checkp", "Dir1")
            ->setPath(installation.work.filePath(QStringLiteral("Flight Simulator Files")));
        click("checkp", "Command1");
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form2")});
        QCOMPARE(navigator.savedFlightFolder(), installation.folder);
        QCOMPARE(installation.work.read(QStringLiteral("talvo.ini")),
                 installation.folder.toLatin1() + "\r\n");
    }

    void setupAndCompilerWindowsAreCentred() {
        Setup installation("none\r\n");
        MessageRecorder recorder;
        app::Navigator navigator;
        QVERIFY(navigator.start());
        QVERIFY(QTest::qWaitForWindowExposed(window("checkp")));
        verifyCentred(window("checkp"));
        control<ui::DirectoryList>("checkp", "Dir1")
            ->setPath(installation.work.filePath(QStringLiteral("Flight Simulator Files")));
        click("checkp", "Command1");
        click("Form2", "Command3");
        QVERIFY(QTest::qWaitForWindowExposed(window("B747")));
        verifyCentred(window("B747"));
    }

    // Each window the program shows again starts with the focus on its first control: not on
    // the button that hiding moved it to, which Enter would press (on the compiler window, Load
    // Flight Plan, reloading the flight over the pilot's edits).
    void windowsShownAgainFocusTheirFirstControl() {
        Setup installation("x\r\n");
        installation.work.write(QStringLiteral("talvo.ini"),
                                installation.folder.toLatin1() + "\r\n");
        MessageRecorder recorder;
        app::Navigator navigator;
        QVERIFY(navigator.start());
        auto focusIn = [](const char* name) {
            QWidget* shown = window(name);
            return QTest::qWaitForWindowActive(shown) && QApplication::focusWidget()
                       ? QApplication::focusWidget()->objectName()
                       : QString();
        };
        QCOMPARE(focusIn("Form2"), QStringLiteral("Command3"));
        QTest::mouseClick(control<QWidget>("Form2", "Command3"), Qt::LeftButton);
        QCOMPARE(focusIn("B747"), QStringLiteral("Text1"));
        control<QComboBox>("B747", "Combo1")->setEditText(QStringLiteral("Cessna"));
        QTest::mouseClick(control<QWidget>("B747", "Command2"), Qt::LeftButton);
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form2")});
        QCOMPARE(focusIn("Form2"), QStringLiteral("Command3"));
        QTest::mouseClick(control<QWidget>("Form2", "Command3"), Qt::LeftButton);
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("B747")});
        QCOMPARE(focusIn("B747"), QStringLiteral("Text1"));
    }

    void closingTheSetupWindowEndsTheProgram() {
        Setup installation("none\r\n");
        app::Navigator navigator;
        QSignalSpy finished(&navigator, &app::Navigator::finished);
        QVERIFY(navigator.start());
        window("checkp")->close();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
        QCOMPARE(installation.work.read(QStringLiteral("talvo.ini")), QByteArray("none\r\n"));
    }

    void startupFailureReportsAndStops() {
        ScratchFolder work;
        work.write(QStringLiteral("talvo.ini"), "none\r\n");
        MessageRecorder recorder;
        app::Navigator navigator;
        QVERIFY(!navigator.start());
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(recorder.messages[0].contains(QStringLiteral("lib\\talvo.abl")));
        QVERIFY(visibleWindows().isEmpty());
    }

    // The compiler window is created once: hidden and shown again, it keeps its fields and boxes.
    void windowsAreCreatedOnceAndOneIsVisible() {
        Setup installation("x\r\n");
        installation.work.write(QStringLiteral("talvo.ini"),
                                installation.folder.toLatin1() + "\r\n");
        MessageRecorder recorder;
        QStringList visibleDuringLoad;
        recorder.onShow = [&](const QString&) {
            visibleDuringLoad = visibleWindows();
        };
        app::Navigator navigator;
        QVERIFY(navigator.start());
        click("Form2", "Command3");
        // The load's messages come before the compiler window shows.
        QCOMPARE(visibleDuringLoad, QStringList{QStringLiteral("Form2")});
        QCOMPARE(recorder.messages.last(), QStringLiteral("Flight Plan EGPB-EISG Loaded"));
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("B747")});
        QWidget* compiler = window("B747");

        control<QCheckBox>("B747", "Check2")->setChecked(false);
        control<QLineEdit>("B747", "Text4")->setText(QStringLiteral("31000"));
        control<QLineEdit>("B747", "V1")->setText(QStringLiteral("140"));
        // A foreign aircraft sends the pilot back to the main interface.
        control<QComboBox>("B747", "Combo1")->setEditText(QStringLiteral("Cessna"));
        click("B747", "Command2");
        QCOMPARE(recorder.messages.last(),
                 QStringLiteral(
                     "Cannot compile the Adventure. Please save the flight with Talvo Fleet"));
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("Form2")});

        const qsizetype before = recorder.messages.size();
        click("Form2", "Command3");
        QCOMPARE(recorder.messages.size(), before); // no second load
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("B747")});
        QCOMPARE(window("B747"), compiler);
        QVERIFY(!control<QCheckBox>("B747", "Check2")->isChecked());
        QCOMPARE(control<QLineEdit>("B747", "Text4")->text(), QStringLiteral("31000"));
        QCOMPARE(control<QLineEdit>("B747", "V1")->text(), QStringLiteral("140"));
        QCOMPARE(control<QComboBox>("B747", "Combo1")->currentText(), QStringLiteral("Cessna"));
    }

    void exitEndsTheProgramFromEitherWindow_data() {
        QTest::addColumn<bool>("fromCompiler");
        QTest::newRow("main interface") << false;
        QTest::newRow("compiler window") << true;
    }
    void exitEndsTheProgramFromEitherWindow() {
        QFETCH(bool, fromCompiler);
        Setup installation("x\r\n");
        installation.work.write(QStringLiteral("talvo.ini"),
                                installation.folder.toLatin1() + "\r\n");
        MessageRecorder recorder;
        app::Navigator navigator;
        QSignalSpy finished(&navigator, &app::Navigator::finished);
        QVERIFY(navigator.start());
        if (fromCompiler) {
            click("Form2", "Command3");
        }
        click(fromCompiler ? "B747" : "Form2", "Command5");
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
    }
};

QTEST_MAIN(TestNavigator)
#include "tst_navigator.moc"
