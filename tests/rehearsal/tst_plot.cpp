// The rehearsal's picture: every flight gets its panel, every text the script showed is marked,
// and a broken rule shows in red in its flight's panel only.
#include "rehearsal/plot.h"

#include <QGuiApplication>
#include <QtTest>

using namespace rehearsal;

namespace {

// Whether the rows [top, bottom) of the image hold a pixel of the colour.
bool holds(const QImage& image, int top, int bottom, QRgb colour) {
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class TestPlot : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void panelsMarksAndBrokenRules() {
        const std::vector<Flight> flights = builtInFlights(148, 166, 178);
        std::vector<PlottedFlight> plotted;
        for (const Flight& flight : flights) {
            PlottedFlight p;
            p.flight = &flight;
            for (const Sample& sample : flight.samples) {
                if (sample.speed >= 80 && p.records.empty()) {
                    p.records.push_back({sample, QStringLiteral("Eighty knots")});
                }
            }
            plotted.push_back(p);
        }
        plotted[1].broken.push_back({12.5, QStringLiteral("\"Rotate\" before \"V1\"")});
        const QImage image = plotRehearsal(plotted);
        image.save(QStringLiteral("rehearsal-plot.png"));

        const int panel = 300;
        const int rule = 16;
        QCOMPARE(image.height(), panel * int(flights.size()) + rule);
        const QRgb red = qRgb(0xc8, 0x1e, 0x1e);
        const QRgb speed = qRgb(0x1f, 0x4e, 0xb4);
        int top = 0;
        for (std::size_t i = 0; i < plotted.size(); ++i) {
            const int bottom = top + panel + (i == 1 ? rule : 0);
            QVERIFY2(holds(image, top, bottom, speed), qPrintable(flights[i].name));
            QCOMPARE(holds(image, top, bottom, red), i == 1);
            top = bottom;
        }
    }
};

QTEST_MAIN(TestPlot)
#include "tst_plot.moc"
