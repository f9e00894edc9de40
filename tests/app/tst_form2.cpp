#include "app/form2.h"
#include "support/files.h"
#include "support/geometry.h"
#include "support/messagerecorder.h"
#include "support/scratchfolder.h"
#include "ui/application.h"
#include "ui/picturebutton.h"
#include "ui/twips.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString kMissingFlight = QStringLiteral("The required file Talvo.flt does not exist");
}

class TestForm2 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void window() {
        app::Form2 form(QString{});
        QCOMPARE(form.objectName(), QStringLiteral("Form2"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Talvo 2003 - Main Interface"));
        QCOMPARE(form.size(), ui::twipsSize(11880, 8595));
        QCOMPARE(form.minimumSize(), form.maximumSize());
    }

    // Every control but Command3 sits on the picture container Picture1.
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("place");
        const TwipsPlace onContainer[] = {
            {"Picture4", 3420, 390, 5415, 840},   {"Picture3", 15, 45, 2025, 4530},
            {"Picture2", 2565, 2265, 8070, 4515}, {"Label2", 4080, 1650, 4665, 600},
            {"Label1", 4575, 6915, 5685, 270},    {"Command4", 15, 4935, 2010, 405},
            {"Command5", 15, 5325, 2010, 405},
        };
        const TwipsPlace onWindow[] = {{"Picture1", -60, 0, 11850, 8550},
                                       {"Command3", -15, 4560, 2010, 405}};
        for (const TwipsPlace& p : onContainer) {
            QTest::newRow(p.name) << QString::fromLatin1(p.name) << QStringLiteral("Picture1")
                                  << ui::twipsRect(p.left, p.top, p.width, p.height);
        }
        for (const TwipsPlace& p : onWindow) {
            QTest::newRow(p.name) << QString::fromLatin1(p.name) << QStringLiteral("Form2")
                                  << ui::twipsRect(p.left, p.top, p.width, p.height);
        }
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, place);
        app::Form2 form(QString{});
        auto* control = form.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget()->objectName(), parent);
        QCOMPARE(control->geometry(), place);
    }

    void picturesLabelsAndButtons() {
        app::Form2 form(QString{});
        const std::pair<const char*, QSize> pictures[] = {{"Picture4", QSize(356, 61)},
                                                          {"Picture3", QSize(133, 390)},
                                                          {"Picture2", QSize(600, 480)}};
        for (const auto& [name, size] : pictures) {
            auto* picture = form.findChild<QLabel*>(QLatin1String(name));
            QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), size);
        }
        auto* welcome = form.findChild<QLabel*>(QStringLiteral("Label2"));
        QCOMPARE(welcome->text(), QStringLiteral("Welcome aboard..."));
        QCOMPARE(welcome->palette().color(QPalette::WindowText), QColor(128, 128, 255));
        QVERIFY(welcome->font().bold());
        for (const char* name : {"Label1", "Label2"}) {
            auto* label = form.findChild<QLabel*>(QLatin1String(name));
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                     name);
        }
        const std::pair<const char*, const char*> buttons[] = {{"Command3", "Load Flight Plan"},
                                                               {"Command4", "Compile Adventure"},
                                                               {"Command5", "Exit"}};
        for (const auto& [name, label] : buttons) {
            auto* button = form.findChild<ui::PictureButton*>(QLatin1String(name));
            QCOMPARE(button->accessibleName(), QLatin1String(label));
            QVERIFY(button->text().isEmpty());
        }
        auto* first = form.findChild<QWidget*>(QStringLiteral("Command3"));
        QCOMPARE(first->nextInFocusChain()->objectName(), QStringLiteral("Command4"));
        QCOMPARE(first->nextInFocusChain()->nextInFocusChain()->objectName(),
                 QStringLiteral("Command5"));
    }

    void loadFlightPlan_data() {
        QTest::addColumn<QByteArray>("savedFlight"); // null: no Talvo.FLT
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("747-400") << crlf({"[Sim.0]", "Aircraft=Boeing 747-400 Passengers"}) << true
                                 << QString();
        QTest::newRow("exactly the model")
            << crlf({"Aircraft=Boeing 747-400"}) << true << QString();
        QTest::newRow("lower case")
            << crlf({"Aircraft=boeing 747-400"}) << false
            << QStringLiteral("The saved flight Talvo.flt was saved with the boeing 747-400. The "
                              "adventure compiler is made for the Boeing 747-400: please save the "
                              "flight with Talvo Fleet.");
        QTest::newRow("last line wins, 747 last")
            << crlf({"Aircraft=Cessna Skyhawk", "Aircraft=Boeing 747-400"}) << true << QString();
        QTest::newRow("last line wins, 747 first")
            << crlf({"Aircraft=Boeing 747-400", "Aircraft=Cessna Skyhawk"}) << false
            << QStringLiteral("The saved flight Talvo.flt was saved with the Cessna Skyhawk. The "
                              "adventure compiler is made for the Boeing 747-400: please save the "
                              "flight with Talvo Fleet.");
        QTest::newRow("longer than 30 characters")
            << crlf({"Aircraft=Boeing 747-400 with a very long livery name"}) << true << QString();
        QTest::newRow("shorter than the model")
            << crlf({"Aircraft=Boeing 747"}) << false
            << QStringLiteral("The saved flight Talvo.flt was saved with the Boeing 747. The "
                              "adventure compiler is made for the Boeing 747-400: please save the "
                              "flight with Talvo Fleet.");
        QTest::newRow("no aircraft line")
            << crlf({"[Main]", "Title=x"}) << false
            << QStringLiteral("The saved flight Talvo.flt names no aircraft. The adventure "
                              "compiler is made for the Boeing 747-400: please save the flight "
                              "with Talvo Fleet.");
        QTest::newRow("key with a blank before")
            << crlf({" Aircraft=Boeing 747-400"}) << false << QString();
        QTest::newRow("missing saved flight") << QByteArray() << false << kMissingFlight;
    }
    void loadFlightPlan() {
        QFETCH(QByteArray, savedFlight);
        QFETCH(bool, opens);
        QFETCH(QString, message);
        ScratchFolder work;
        if (!savedFlight.isNull()) {
            work.write(QStringLiteral("Flight Simulator Files/Talvo.FLT"), savedFlight);
        }
        MessageRecorder recorder;
        app::Form2 form(work.filePath(QStringLiteral("Flight Simulator Files")) +
                        QLatin1Char('\\'));
        QSignalSpy opened(&form, &app::Form2::compilerRequested);
        form.findChild<ui::PictureButton*>(QStringLiteral("Command3"))->click();
        QCOMPARE(opened.count(), opens ? 1 : 0);
        if (!message.isEmpty()) {
            QCOMPARE(recorder.messages, QStringList{message});
        } else if (opens) {
            QVERIFY(recorder.messages.isEmpty());
        }
    }

    // A saved flight that is no text file is not opened; the answer, which says why, comes at
    // once.
    void savedFlightThatIsNoFile_data() {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("why");
        QTest::newRow("FIFO") << int(NotAFile::Fifo) << "it is a pipe (FIFO), not a regular file";
        QTest::newRow("link to /dev/urandom")
            << int(NotAFile::EndlessDevice) << "it is a device, not a regular file";
        QTest::newRow("line of 16 MiB") << int(NotAFile::HugeLine)
                                        << "it holds a line longer than 16 MiB, so it is no text "
                                           "file of the simulator";
        QTest::newRow("2 GiB") << int(NotAFile::TwoGiB)
                               << "it is larger than 1 GiB, so it is no text file of the simulator";
    }
    void savedFlightThatIsNoFile() {
        QFETCH(int, what);
        if (!canPutInPlace(NotAFile(what))) {
            QSKIP("this system has no FIFOs nor devices in its folders");
        }
        QFETCH(QString, why);
        ScratchFolder work;
        putInPlace(work.filePath(QStringLiteral("Flight Simulator Files/Talvo.FLT")),
                   NotAFile(what));
        MessageRecorder recorder;
        app::Form2 form(work.filePath(QStringLiteral("Flight Simulator Files")) +
                        QLatin1Char('\\'));
        form.findChild<ui::PictureButton*>(QStringLiteral("Command3"))->click();
        QCOMPARE(recorder.messages,
                 QStringList{
                     QStringLiteral("The required file Talvo.flt cannot be read: %1.").arg(why)});
    }

    void missingSavedFlightsFolder() {
        MessageRecorder recorder;
        app::Form2 form(QStringLiteral("/no/such/Flight Simulator Files\\"));
        QSignalSpy opened(&form, &app::Form2::compilerRequested);
        form.findChild<ui::PictureButton*>(QStringLiteral("Command3"))->click();
        QCOMPARE(opened.count(), 0);
        QCOMPARE(recorder.messages, QStringList{kMissingFlight});
    }

    // A picture button with the focus is pressed with Enter (on either key) as with Space.
    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void enterPressesTheFocusedButton() {
        QFETCH(int, key);
        MessageRecorder recorder;
        app::Form2 form(QString{});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* compile = form.findChild<ui::PictureButton*>(QStringLiteral("Command4"));
        compile->setFocus();
        QTest::keyClick(compile, Qt::Key(key));
        QCOMPARE(recorder.messages,
                 QStringList{QStringLiteral("Please, load the Flight Plan first!")});
    }

    void compileRemindsEveryTime() {
        MessageRecorder recorder;
        app::Form2 form(QString{});
        auto* compile = form.findChild<ui::PictureButton*>(QStringLiteral("Command4"));
        compile->click();
        compile->click();
        const QString reminder = QStringLiteral("Please, load the Flight Plan first!");
        QCOMPARE(recorder.messages, (QStringList{reminder, reminder}));
    }

    void exitAndCloseAskToEnd() {
        app::Form2 form(QString{});
        QSignalSpy exits(&form, &app::Form2::exitRequested);
        form.findChild<ui::PictureButton*>(QStringLiteral("Command5"))->click();
        form.show();
        form.close();
        QCOMPARE(exits.count(), 2);
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
