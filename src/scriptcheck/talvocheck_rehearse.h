#pragma once

#include <QString>
#include <QTextStream>

// talvo-check --rehearse: runs a script over the built-in flights and prints, per flight, what
// it showed or played and every rule it broke; with a plot path, draws the picture there too.
// Returns the exit status: 0 every rule kept, 1 a rule broken or the script not rehearsed,
// 2 a file that cannot be read or written.
int rehearseScript(const QString& path, const QString& plotPath, QTextStream& out);
