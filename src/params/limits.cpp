#include "params/limits.h"

#include "params/fuel.h"
#include "textio/numbers.h"

#include <array>
#include <cmath>

namespace params {
namespace {

constexpr std::array<FieldLimit, 5> kLimits = {{
    {100, "Range allowed: 10 to 100 "},
    {37000, "Max Altitude 37000 feet."},
    {151, "Max v1 speed: 151 Knt"},
    {175, "Max Vr speed: 175 Knt"},
    {190, "Max V2 speed: 190 Knt"},
}};

} // namespace

const FieldLimit& limitOf(LimitedField field) {
    return kLimits[static_cast<std::size_t>(field)];
}

LimitVerdict checkLimit(LimitedField field, const QString& text) {
    const FieldLimit& limit = limitOf(field);
    const double value = textio::lenientNumber(text);
    bool refused = value > limit.limit || !std::isfinite(value);
    if (field == LimitedField::FuelPercent && !refused) {
        refused = !std::isfinite(ComputeFuelOnBoard(value));
    }
    if (!refused) {
        return {};
    }
    return {true, QString::fromLatin1(limit.message), textio::wholeNumberText(limit.limit)};
}

} // namespace params
