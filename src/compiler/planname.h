#pragma once

#include <optional>
#include <QString>

namespace compiler {

// The flight plan's name comes from the pilot's saved flight and names the files the compile
// writes. Returns why it cannot serve as such a name (it would put a file outside its folder,
// holds characters Windows file names cannot hold, or its script would replace one of the
// program's templates), or no value when it can.
std::optional<QString> planNameProblem(const QString& planName);

} // namespace compiler
