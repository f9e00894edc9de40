#include "rehearsal/flights.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace rehearsal {

namespace {

constexpr double kStep = 1.0 / kRunsPerSecond;

// Writes a flight run by run; each step changes the state towards a target at a given rate.
class FlightBuilder {
public:
    explicit FlightBuilder(const Sample& start) { state_ = start; }

    // Stands or flies on for a time.
    FlightBuilder& hold(double seconds) {
        for (double t = 0; t < seconds; t += kStep)
            emit();
        return *this;
    }
    // On the ground, from the present speed to the target at rate knots a second.
    FlightBuilder& roll(double target, double rate, double flaps = 10) {
        state_.onGround = true;
        state_.height = 0;
        state_.verticalSpeed = 0;
        state_.pitch = 0;
        state_.flaps = flaps;
        while (std::abs(state_.speed - target) > 1e-9) {
            emit();
            state_.speed = towards(state_.speed, target, rate * kStep);
        }
        return *this;
    }
    // Raises the nose on the ground from the present speed up to liftOffSpeed, then leaves it.
    FlightBuilder& rotate(double liftOffSpeed) {
        while (state_.speed < liftOffSpeed) {
            emit();
            state_.pitch = std::min(state_.pitch + 3 * kStep, 10.0);
            state_.speed = std::min(state_.speed + 2.5 * kStep, liftOffSpeed);
        }
        state_.onGround = false;
        return *this;
    }
    // In the air to a height at a vertical speed (ft/min), the speed towards target.
    FlightBuilder& fly(double height, double fpm, double speed) {
        state_.onGround = false;
        const double sign = height >= state_.height ? 1 : -1;
        state_.verticalSpeed = sign * std::abs(fpm);
        state_.pitch = sign > 0 ? 10 : 2;
        while (std::abs(state_.height - height) > 1e-9) {
            emit();
            state_.height = towards(state_.height, height, std::abs(fpm) / 60 * kStep);
            state_.speed = towards(state_.speed, speed, 1.5 * kStep);
            if (sign > 0 && state_.height > 400 && state_.gearDown)
                state_.gearDown = false;
        }
        if (state_.height <= 0)
            touchDown();
        return *this;
    }
    FlightBuilder& configureForLanding() {
        state_.gearDown = true;
        state_.flaps = 30;
        return *this;
    }
    Flight finish(const QString& name) {
        emit();
        return Flight{name, std::move(samples_)};
    }

private:
    static double towards(double value, double target, double step) {
        return value < target ? std::min(value + step, target) : std::max(value - step, target);
    }
    void touchDown() {
        state_.onGround = true;
        state_.height = 0;
        state_.verticalSpeed = 0;
        state_.pitch = 0;
    }
    void emit() {
        samples_.push_back(state_);
        state_.time += kStep;
    }

    Sample state_;
    std::vector<Sample> samples_;
};

Sample airborne(double height, double speed) {
    Sample s;
    s.height = height;
    s.speed = speed;
    s.onGround = false;
    s.gearDown = false;
    s.flaps = 5;
    return s;
}

// A take-off from standing to a climb through 1500 ft.
FlightBuilder& takeOff(FlightBuilder& b, double vr, double v2) {
    return b.hold(3).roll(vr, 2.5).rotate(vr + 6).fly(1500, 2000, v2 + 15);
}

// The script's rating comes line by line after the stop: long enough to see all of it.
constexpr double kRatingSeconds = 130;

// From a circuit height down to the runway (a flare from 50 ft), then slowing to a stop and
// standing there for a time.
FlightBuilder& landAndStop(FlightBuilder& b, double approachSpeed, double standing) {
    return b.configureForLanding()
        .fly(50, 700, approachSpeed)
        .fly(0, 150, approachSpeed)
        .roll(0, 3, 30)
        .hold(standing);
}

} // namespace

std::vector<Flight> builtInFlights(double v1, double vr, double v2) {
    const double approach = vr - 10;
    std::vector<Flight> flights;
    {
        FlightBuilder b{Sample{}};
        takeOff(b, vr, v2).fly(3000, 1500, v2 + 40);
        flights.push_back(b.finish(u"normal take-off and climb"_s));
    }
    {
        FlightBuilder b{Sample{}};
        b.hold(3).roll(std::max(v1 - 20, 60.0), 2.5).roll(0, 4).hold(5);
        flights.push_back(b.finish(u"take-off rejected below V1"_s));
    }
    {
        FlightBuilder b{Sample{}};
        b.hold(3).roll(std::min(v1, vr) + 4, 2.5).roll(0, 5).hold(5);
        flights.push_back(b.finish(u"take-off rejected after V1"_s));
    }
    {
        FlightBuilder b{Sample{}};
        b.hold(3).roll(45, 1.5, 0).hold(3).roll(0, 2, 0).hold(5);
        flights.push_back(b.finish(u"fast taxi that stops"_s));
    }
    {
        FlightBuilder b{airborne(2500, approach + 20)};
        landAndStop(b, approach, kRatingSeconds);
        flights.push_back(b.finish(u"flight saved in the air that lands"_s));
    }
    {
        FlightBuilder b{Sample{}};
        takeOff(b, vr, v2).configureForLanding().fly(0, 700, approach).roll(approach - 20, 3);
        b.roll(vr, 2.5).rotate(vr + 6).fly(1500, 2000, v2 + 15);
        flights.push_back(b.finish(u"touch-and-go from the ground"_s));
    }
    {
        FlightBuilder b{airborne(2000, approach + 20)};
        b.configureForLanding().fly(0, 700, approach).roll(approach - 20, 3);
        b.roll(vr, 2.5).rotate(vr + 6).fly(1500, 2000, v2 + 15);
        flights.push_back(b.finish(u"touch-and-go from the air"_s));
    }
    {
        FlightBuilder b{airborne(2000, approach + 20)};
        b.configureForLanding().fly(200, 700, approach).fly(2000, 1500, v2 + 15);
        flights.push_back(b.finish(u"go-around"_s));
    }
    {
        FlightBuilder b{airborne(1500, approach + 10)};
        b.configureForLanding().fly(0, 700, approach).hold(0.5).fly(15, 600, approach);
        b.fly(0, 300, approach).roll(0, 3, 30).hold(kRatingSeconds);
        flights.push_back(b.finish(u"bounce"_s));
    }
    {
        FlightBuilder b{Sample{}};
        takeOff(b, vr, v2);
        // long enough for the rating's first line, not for all of it
        landAndStop(b, approach, 30);
        takeOff(b, vr, v2);
        flights.push_back(b.finish(u"second take-off after landing"_s));
    }
    return flights;
}

} // namespace rehearsal
