#include "rehearsal/plot.h"

#include <algorithm>
#include <cmath>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace rehearsal {
namespace {

constexpr int kWidth = 1400;
constexpr int kPanelHeight = 300;
constexpr int kLeft = 70;  // room for the speed scale
constexpr int kRight = 80; // room for the height scale
constexpr int kTop = 86;   // the flight's name and the rows of call-outs
constexpr int kBottom = 34;
constexpr int kRuleLine = 16;
constexpr int kLabelRows = 4; // the rows of call-outs kTop has room for; a panel grows for more

const QColor kSpeedColour(0x1f, 0x4e, 0xb4);
const QColor kHeightColour(0x2e, 0x8b, 0x3e);
const QColor kMarkColour(0x30, 0x30, 0x30);
const QColor kBrokenColour(0xc8, 0x1e, 0x1e);

// A round upper end for a scale, at least value, whose quarters are round too.
double niceCeiling(double value) {
    if (value <= 0) {
        return 1;
    }
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 1.2, 1.6, 2.0, 2.4, 3.2, 4.0, 6.0, 8.0, 10.0}) {
        if (step * power >= value) {
            return step * power;
        }
    }
    return 10 * power;
}

double durationOf(const PlottedFlight& flight) {
    double duration = 0;
    for (const Sample& sample : flight.flight->samples) {
        duration = std::max(duration, sample.time);
    }
    return niceCeiling(duration);
}

// The row above the panel of each text's label: labels that would overlap in a row go to
// another, the rows taken in turn so that close labels climb like stairs; a panel gets as many
// rows as its labels need.
struct Labels {
    std::vector<int> rows;
    int rowCount = kLabelRows;
};

Labels labelRows(const PlottedFlight& flight, const QFontMetrics& metrics) {
    Labels labels;
    if (flight.flight == nullptr) {
        return labels;
    }
    const double duration = durationOf(flight);
    const double width = kWidth - kLeft - kRight;
    std::vector<double> rowEnds(kLabelRows, -1e9);
    std::size_t next = 0;
    for (const Record& record : flight.records) {
        const double at = kLeft + width * record.state.time / duration;
        std::size_t row = rowEnds.size();
        for (std::size_t tried = 0; tried < rowEnds.size(); ++tried) {
            const std::size_t candidate = (next + tried) % rowEnds.size();
            if (rowEnds[candidate] < at) {
                row = candidate;
                break;
            }
        }
        if (row == rowEnds.size()) {
            rowEnds.push_back(-1e9);
        }
        rowEnds[row] = at + metrics.horizontalAdvance(record.text) + 8;
        labels.rows.push_back(static_cast<int>(row));
        next = (row + 1) % rowEnds.size();
    }
    labels.rowCount = static_cast<int>(rowEnds.size());
    return labels;
}

int panelHeight(const PlottedFlight& flight, const Labels& labels, const QFontMetrics& metrics) {
    return kPanelHeight + (labels.rowCount - kLabelRows) * metrics.height() +
           kRuleLine * static_cast<int>(flight.broken.size());
}

class Panel {
public:
    Panel(QPainter& painter, const PlottedFlight& plotted, const Labels& labels, int top)
        : painter_(painter)
        , plotted_(plotted)
        , labels_(labels)
        , extra_((labels.rowCount - kLabelRows) * QFontMetrics(painter.font()).height())
        , area_(kLeft, top + kTop + extra_, kWidth - kLeft - kRight,
                kPanelHeight - kTop - kBottom) {
        const std::vector<Sample>& samples = plotted.flight->samples;
        for (const Sample& sample : samples) {
            topSpeed_ = std::max(topSpeed_, sample.speed);
            topHeight_ = std::max(topHeight_, sample.height);
        }
        duration_ = durationOf(plotted);
        topSpeed_ = niceCeiling(std::max(topSpeed_, 100.0));
        topHeight_ = niceCeiling(std::max(topHeight_, 100.0));
    }

    void draw(int top) {
        title(top);
        axes();
        curve([](const Sample& s) { return s.speed; }, topSpeed_, kSpeedColour);
        curve([](const Sample& s) { return s.height; }, topHeight_, kHeightColour);
        marks();
        brokenRules(top);
    }

private:
    double x(double time) const { return area_.left() + area_.width() * time / duration_; }
    double y(double value, double top) const {
        return area_.bottom() - area_.height() * std::clamp(value / top, 0.0, 1.0);
    }

    void title(int top) {
        const QFont normal = painter_.font();
        QFont bold = normal;
        bold.setBold(true);
        painter_.setFont(bold);
        painter_.setPen(Qt::black);
        painter_.drawText(QPointF(kLeft, top + 20), plotted_.flight->name);
        const QString verdict =
            plotted_.broken.empty()
                ? QStringLiteral("every rule kept")
                : QStringLiteral("%1 rule(s) broken").arg(plotted_.broken.size());
        painter_.setPen(plotted_.broken.empty() ? kHeightColour : kBrokenColour);
        painter_.drawText(
            QPointF(kLeft + QFontMetrics(bold).horizontalAdvance(plotted_.flight->name) + 16,
                    top + 20),
            verdict);
        painter_.setFont(normal);
    }

    void axes() {
        painter_.setPen(QColor(0xd0, 0xd0, 0xd0));
        for (int i = 0; i <= 4; ++i) {
            const double yy = area_.bottom() - area_.height() * i / 4.0;
            painter_.drawLine(QPointF(area_.left(), yy), QPointF(area_.right(), yy));
        }
        painter_.setPen(Qt::black);
        painter_.drawRect(area_);
        const QFontMetrics metrics(painter_.font());
        for (int i = 0; i <= 4; ++i) {
            const double yy = area_.bottom() - area_.height() * i / 4.0 + metrics.ascent() / 2.0;
            painter_.setPen(kSpeedColour);
            const QString speed = QString::number(topSpeed_ * i / 4, 'f', 0);
            painter_.drawText(QPointF(area_.left() - 6 - metrics.horizontalAdvance(speed), yy),
                              speed);
            painter_.setPen(kHeightColour);
            painter_.drawText(QPointF(area_.right() + 6, yy),
                              QString::number(topHeight_ * i / 4, 'f', 0));
        }
        painter_.setPen(kSpeedColour);
        painter_.drawText(QPointF(6, area_.top() - 4), QStringLiteral("kt"));
        painter_.setPen(kHeightColour);
        painter_.drawText(QPointF(area_.right() + 6, area_.top() - 4), QStringLiteral("ft"));
        painter_.setPen(Qt::black);
        for (int i = 0; i <= 10; ++i) {
            const double time = duration_ * i / 10;
            const QString label = QString::number(time, 'f', 0) + QStringLiteral(" s");
            painter_.drawText(QPointF(x(time) - metrics.horizontalAdvance(label) / 2.0,
                                      area_.bottom() + metrics.height()),
                              label);
        }
    }

    template <typename Value> void curve(Value value, double top, const QColor& colour) {
        QPainterPath path;
        bool first = true;
        for (const Sample& sample : plotted_.flight->samples) {
            const QPointF point(x(sample.time), y(value(sample), top));
            if (first) {
                path.moveTo(point);
                first = false;
            } else {
                path.lineTo(point);
            }
        }
        painter_.setPen(QPen(colour, 2));
        painter_.drawPath(path);
    }

    // Each text on the speed line, its label in its row above the panel, joined to it by a thin
    // line.
    void marks() {
        const QFontMetrics metrics(painter_.font());
        for (std::size_t i = 0; i < plotted_.records.size(); ++i) {
            const Record& record = plotted_.records[i];
            const QPointF at(x(record.state.time), y(record.state.speed, topSpeed_));
            const int row = labels_.rows[i];
            const double labelY = area_.top() - 8 - (labels_.rowCount - 1 - row) * metrics.height();
            painter_.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 1, Qt::DotLine));
            painter_.drawLine(QPointF(at.x(), labelY + 2), at);
            painter_.setPen(kMarkColour);
            painter_.setBrush(Qt::white);
            painter_.drawEllipse(at, 4, 4);
            painter_.drawText(QPointF(at.x() + 2, labelY), record.text);
        }
        painter_.setBrush(Qt::NoBrush);
    }

    void brokenRules(int top) {
        painter_.setPen(QPen(kBrokenColour, 2));
        int line = 0;
        for (const BrokenRule& broken : plotted_.broken) {
            const double xx = x(broken.time);
            painter_.drawLine(QPointF(xx, area_.top()), QPointF(xx, area_.bottom()));
            painter_.drawText(
                QPointF(kLeft, top + extra_ + kPanelHeight - 4 + kRuleLine * line++),
                QStringLiteral("%1 s: %2").arg(broken.time, 0, 'f', 2).arg(broken.rule));
        }
    }

    QPainter& painter_;
    const PlottedFlight& plotted_;
    const Labels& labels_;
    int extra_ = 0; // the height of the rows of labels beyond kLabelRows
    QRectF area_;
    double duration_ = 0;
    double topSpeed_ = 0;
    double topHeight_ = 0;
};

} // namespace

QImage plotRehearsal(const std::vector<PlottedFlight>& flights) {
    QFont font;
    font.setPixelSize(13);
    const QFontMetrics metrics(font);
    std::vector<Labels> labels;
    int height = 0;
    for (const PlottedFlight& flight : flights) {
        labels.push_back(labelRows(flight, metrics));
        height += panelHeight(flight, labels.back(), metrics);
    }
    QImage image(kWidth, std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    int top = 0;
    for (std::size_t i = 0; i < flights.size(); ++i) {
        const PlottedFlight& flight = flights[i];
        if (flight.flight != nullptr) {
            Panel(painter, flight, labels[i], top).draw(top);
        }
        top += panelHeight(flight, labels[i], metrics);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawLine(0, top - 1, kWidth, top - 1);
    }
    return image;
}

} // namespace rehearsal
