#pragma once

#include <QString>

namespace params {

// True when an aircraft title names the aircraft the tool is made for: it begins with
// "Boeing 747-400", letter case included ("Boeing 747-400 Passengers" passes, "boeing 747-400"
// and "Boeing 747" do not).
bool isBoeing747400(const QString& aircraft);

} // namespace params
