#include "files/faultseam.h"

#include <utility>

namespace files::filesystem {
namespace {

FaultHook& hookInPlace() {
    static FaultHook hook;
    return hook;
}

} // namespace

void setFaultHook(FaultHook hook) {
    hookInPlace() = std::move(hook);
}

std::optional<QString> injectedFault(Operation operation, const QString& path) {
    const FaultHook& hook = hookInPlace();
    if (!hook) {
        return std::nullopt;
    }
    return hook(operation, path);
}

} // namespace files::filesystem
