#pragma once

#include <optional>
#include <QString>

namespace compiler {

// Whether the saved flight at windowsName is an adventure flight this program wrote for the plan
// planName: its description carries the program's credit sentence, or its "[Main]" line is
// followed by the reference to the plan's adventure script. A compile replaces such a file; any
// other saved flight of that name is the pilot's own and is kept.
// No value when it is one, or when no file has that name; otherwise why the compile may not
// replace it, for the pilot.
std::optional<QString> earlierAdventureProblem(const QString& windowsName, const QString& planName);

} // namespace compiler
