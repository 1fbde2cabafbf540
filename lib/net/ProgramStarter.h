#pragma once

#include <QString>

#include <functional>

namespace net {

// Starts another program by its executable name, detached, looking first in the running
// program's own folder, then on the search path. Returns whether it started.
bool startProgram(const QString& name);

// The executable name of a program on this platform ("update" here, "update.exe" on Windows).
QString executableName(const QString& baseName);

// When set, startProgram() hands the name to the hook instead (tests record it).
using StartHook = std::function<bool(const QString& name)>;
void setStartHook(StartHook hook);

} // namespace net
