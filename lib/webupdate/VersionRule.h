#pragma once

#include <QString>

namespace webupdate {

// How a published version is compared with ours. Only the dotted-numbers rule is in use.
enum class VersionFormat { Standard };

// Whether the published version is newer than ours. Standard rule: both split at ".", each
// part read as a decimal integer (a part that is not one counts as 0, as does a missing
// part), compared from the left; the first part that differs decides, and the comparison ends
// after the last part of our version, so equality up to there means "not newer".
bool isNewerVersion(const QString& published, const QString& ours,
                    VersionFormat format = VersionFormat::Standard);

} // namespace webupdate
