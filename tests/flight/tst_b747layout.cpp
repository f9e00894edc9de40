#include "flight/b747.h"
#include "support/geometry.h"
#include "ui/application.h"
#include "ui/picturebutton.h"
#include "ui/shapes.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

struct Control {
    const char* name;
    const char* kind; // class name
    int left, top, width, height;
    const char* caption; // labels only
};

const Control kControls[] = {
    {"Label1", "QLabel", 2535, 15, 4830, 270, "AI/ATC Adventure Compiler"},
    {"Picture3", "QLabel", 30, 0, 2025, 4755, nullptr},
    {"Command7", "ui::PictureButton", 0, 4770, 2010, 405, nullptr},
    {"Command2", "ui::PictureButton", 0, 5160, 2010, 405, nullptr},
    {"Command5", "ui::PictureButton", -15, 5565, 2010, 405, nullptr},
    {"Label15", "QLabel", 5580, 7950, 6075, 270, nullptr},
    {"Shape1", "ui::RectangleShape", 2475, 450, 9015, 2880, nullptr},
    {"Label16", "QLabel", 3930, 315, 2130, 285, "    Flight Information"},
    {"Text1", "QLineEdit", 4935, 810, 5910, 255, nullptr},
    {"Label2", "QLabel", 2610, 825, 2160, 270, " Current Flight Plan "},
    {"Text3", "QLineEdit", 4935, 1350, 825, 255, nullptr},
    {"Label3", "QLabel", 2790, 1350, 1845, 270, "         Route Type"},
    {"Text5", "QLineEdit", 4950, 1815, 2745, 255, nullptr},
    {"Label5", "QLabel", 2700, 1815, 1845, 270, "Departure Position"},
    {"Text6", "QLineEdit", 4965, 2325, 3675, 255, nullptr},
    {"Label6", "QLabel", 2700, 2325, 1905, 270, "Departure Airport"},
    {"Text2", "QLineEdit", 8760, 2325, 720, 255, nullptr},
    {"Text12", "QLineEdit", 10575, 2325, 720, 255, nullptr},
    {"Label22", "QLabel", 9645, 2565, 945, 300, "Altitude"},
    {"Text7", "QLineEdit", 4965, 2820, 3675, 255, nullptr},
    {"Label7", "QLabel", 2700, 2820, 1845, 270, "      Arrival Airport"},
    {"Text10", "QLineEdit", 8760, 2790, 720, 255, nullptr},
    {"Text11", "QLineEdit", 10575, 2790, 720, 255, nullptr},
    {"Shape2", "ui::RectangleShape", 2460, 3525, 9015, 4185, nullptr},
    {"Label17", "QLabel", 3930, 3390, 2370, 285, "    Custom Parameters"},
    {"Combo1", "QComboBox", 4965, 3795, 4770, 360, nullptr},
    {"Label8", "QLabel", 2700, 3855, 1845, 270, "                 Aircraft"},
    {"Text14", "QLineEdit", 5055, 4950, 420, 255, nullptr},
    {"Label24", "QLabel", 3345, 4965, 1590, 270, "   Total Fuel (%)"},
    {"FuelOnBoard", "QLineEdit", 8775, 5415, 990, 240, nullptr},
    {"Label14", "QLabel", 5910, 5415, 2865, 270, "Total Fuel On Board (Gallons)"},
    {"Text4", "QLineEdit", 9030, 5790, 720, 255, nullptr},
    {"Label4", "QLabel", 7020, 5790, 2025, 270, "      Cruising Altitude"},
    {"V1", "QLineEdit", 5055, 6090, 420, 255, nullptr},
    {"Label9", "QLabel", 4065, 6165, 615, 270, "      V1"},
    {"Vr", "QLineEdit", 5055, 6600, 420, 255, nullptr},
    {"Label10", "QLabel", 4200, 6645, 615, 270, "    Vr"},
    {"V2", "QLineEdit", 5055, 7080, 420, 255, nullptr},
    {"Label11", "QLabel", 4185, 7125, 615, 270, "    V2"},
    {"Check3", "QCheckBox", 9525, 6240, 225, 225, nullptr},
    {"Label20", "QLabel", 7665, 6210, 2025, 270, "           Speed Calls"},
    {"Check2", "QCheckBox", 9525, 6615, 225, 225, nullptr},
    {"Label19", "QLabel", 7665, 6585, 2025, 270, "             Check List"},
    {"Check1", "QCheckBox", 9510, 6975, 225, 225, nullptr},
    {"Label18", "QLabel", 7650, 6930, 2025, 270, "      Rate the Flight"},
    {"Check4", "QCheckBox", 9525, 7320, 225, 225, nullptr},
    {"Label21", "QLabel", 7665, 7305, 2025, 270, "             Engine Off"},
};

} // namespace

class TestB747Layout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::prepareApplication(); }

    void window() {
        flight::B747 window(QString{});
        QCOMPARE(window.objectName(), QStringLiteral("B747"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Talvo 2003 - AI / ATC Adventure Compiler"));
        QCOMPARE(window.size(), ui::twipsSize(11880, 8490));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(window.font().bold());
        QCOMPARE(window.font().pixelSize(), 13); // 9.75 points at 96 dots per inch
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        for (const Control& c : kControls) {
            QTest::newRow(c.name) << QString::fromLatin1(c.name) << QString::fromLatin1(c.kind)
                                  << ui::twipsRect(c.left, c.top, c.width, c.height)
                                  << (c.caption ? QString::fromLatin1(c.caption) : QString());
        }
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        flight::B747 window(QString{});
        auto* control = window.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        QCOMPARE(control->geometry(), place);
        if (!caption.isNull()) {
            auto* label = qobject_cast<QLabel*>(control);
            QCOMPARE(label->text(), caption);
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(caption) <= label->width(),
                     "the caption runs out of its box");
        }
    }

    void altitudeBracket_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("Line1") << "Line1" << ui::twipsPoint(10560, 2445)
                               << ui::twipsPoint(9975, 2445);
        QTest::newRow("Line3") << "Line3" << ui::twipsPoint(9975, 2445)
                               << ui::twipsPoint(9975, 2565);
        QTest::newRow("Line4") << "Line4" << ui::twipsPoint(9990, 2910)
                               << ui::twipsPoint(9990, 2790);
        QTest::newRow("Line2") << "Line2" << ui::twipsPoint(10575, 2910)
                               << ui::twipsPoint(9990, 2910);
    }
    void altitudeBracket() {
        QFETCH(QString, name);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        flight::B747 window(QString{});
        auto* line = window.findChild<ui::LineShape*>(name);
        QVERIFY(line);
        QCOMPARE(line->from(), from);
        QCOMPARE(line->to(), to);
        QVERIFY(line->geometry().contains(from) && line->geometry().contains(to));
    }

    void fieldsStartEmptyAndBoxesTicked() {
        flight::B747 window(QString{});
        for (QLineEdit* box : window.findChildren<QLineEdit*>()) {
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        }
        QVERIFY(window.findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText().isEmpty());
        QCOMPARE(window.findChild<QComboBox*>(QStringLiteral("Combo1"))->count(), 0);
        for (const char* name : {"Check1", "Check2", "Check3", "Check4"}) {
            auto* box = window.findChild<QCheckBox*>(QLatin1String(name));
            QVERIFY(box->isChecked());
            QCOMPARE(box->text(), QStringLiteral("Check1"));
            QCOMPARE(box->palette().color(QPalette::Window), QColor(192, 192, 255));
        }
    }

    void whatThePilotMayEdit_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("editable");
        for (const char* name : {"Text1", "Text3", "Text5", "Text6", "Text7", "FuelOnBoard"}) {
            QTest::newRow(name) << QString::fromLatin1(name) << false;
        }
        for (const char* name :
             {"Text2", "Text12", "Text10", "Text11", "Text14", "Text4", "V1", "Vr", "V2"}) {
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        }
    }
    void whatThePilotMayEdit() {
        QFETCH(QString, name);
        QFETCH(bool, editable);
        flight::B747 window(QString{});
        auto* box = window.findChild<QLineEdit*>(name);
        QCOMPARE(!box->isReadOnly(), editable);
    }

    void colours() {
        flight::B747 window(QString{});
        const QColor outline(128, 128, 255);
        auto colourOf = [&](const char* name, QPalette::ColorRole role) {
            return window.findChild<QWidget*>(QLatin1String(name))->palette().color(role);
        };
        QCOMPARE(colourOf("Label2", QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(!window.findChild<QLabel*>(QStringLiteral("Label2"))->autoFillBackground());
        for (const char* heading : {"Label16", "Label17"}) {
            QCOMPARE(colourOf(heading, QPalette::WindowText), QColor(0, 0, 128));
            QCOMPARE(colourOf(heading, QPalette::Window), QColor(192, 192, 255));
            QVERIFY(window.findChild<QLabel*>(QLatin1String(heading))->autoFillBackground());
        }
        QCOMPARE(colourOf("Label15", QPalette::WindowText), outline);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label15"))->font().pixelSize(), 11);
        QCOMPARE(colourOf("Label22", QPalette::WindowText),
                 window.palette().color(QPalette::Highlight));
    }

    // What the pilot sees: every field and check box on the 192, 192, 255 background, the check
    // boxes all round their white box, with no fringe of another colour.
    void fieldAndCheckBoxBackgrounds() {
        flight::B747 window(QString{});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QColor lilac(192, 192, 255);
        const QImage shot = window.grab().toImage();
        // The colour at a window point, in whatever device pixels the screen has.
        const qreal scale = shot.devicePixelRatio();
        auto colourAt = [&](QPointF point) {
            return QColor(shot.pixel(int(point.x() * scale), int(point.y() * scale)));
        };
        for (const char* name : {"Text1", "Text4", "V1", "FuelOnBoard", "Combo1"}) {
            const QRect box = window.findChild<QWidget*>(QLatin1String(name))->geometry();
            QCOMPARE(colourAt(box.topLeft() + QPoint(3, box.height() / 2)), lilac);
        }
        for (const char* name : {"Check1", "Check2", "Check3", "Check4"}) {
            auto* check = window.findChild<QCheckBox*>(QLatin1String(name));
            QStyleOptionButton option;
            option.initFrom(check);
            const QRect indicator =
                check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check);
            const QRect box = check->geometry();
            int outside = 0;
            for (qreal y = 0.25; y < box.height(); y += 0.5) {
                for (qreal x = 0.25; x < box.width(); x += 0.5) {
                    if (indicator.contains(QPoint(int(x), int(y)))) {
                        continue;
                    }
                    ++outside;
                    const QColor seen = colourAt(box.topLeft() + QPointF(x, y));
                    QVERIFY2(seen == lilac, qPrintable(QStringLiteral("%1 at %2,%3: %4")
                                                           .arg(QLatin1String(name))
                                                           .arg(x)
                                                           .arg(y)
                                                           .arg(seen.name())));
                }
            }
            QVERIFY(outside > 0);
            QCOMPARE(colourAt(box.topLeft() + indicator.center()), QColor(Qt::white));
        }
    }

    // Headings stand in front of their frames; fields and boxes in front of their labels.
    void stackingOrder() {
        flight::B747 window(QString{});
        const QObjectList order = window.children();
        auto before = [&](const char* back, const char* front) {
            return order.indexOf(window.findChild<QObject*>(QLatin1String(back))) <
                   order.indexOf(window.findChild<QObject*>(QLatin1String(front)));
        };
        QVERIFY(before("Shape1", "Label16"));
        QVERIFY(before("Shape2", "Label17"));
        QVERIFY(before("Label20", "Check3"));
        QVERIFY(before("Label4", "Text4"));
        QVERIFY(before("Label22", "Text12"));
    }

    void tabOrderAndFocus() {
        flight::B747 window(QString{});
        const QStringList order = {"Text1",    "Text3",    "Text4",    "Text5",   "Text6",
                                   "Text7",    "V1",       "Vr",       "V2",      "FuelOnBoard",
                                   "Combo1",   "Check1",   "Check2",   "Check3",  "Check4",
                                   "Text2",    "Text10",   "Text11",   "Text12",  "Text14",
                                   "Command5", "Command2", "Command7", "Picture3"};
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text1"));
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            // The combo box's own line edit takes the focus for it.
            if (focus->parentWidget()->objectName() == QStringLiteral("Combo1")) {
                focus = focus->parentWidget();
            }
            QCOMPARE(focus->objectName(), order[i]);
        }
    }

    void exitAndCloseAskToEnd() {
        flight::B747 window(QString{});
        QSignalSpy exits(&window, &flight::B747::exitRequested);
        window.findChild<ui::PictureButton*>(QStringLiteral("Command5"))->click();
        window.show();
        window.close();
        QCOMPARE(exits.count(), 2);
    }
};

QTEST_MAIN(TestB747Layout)
#include "tst_b747layout.moc"
