#include "params/aircraft.h"

namespace params {

bool isBoeing747400(const QString& aircraft) {
    return aircraft.startsWith(QLatin1String("Boeing 747-400"));
}

} // namespace params
