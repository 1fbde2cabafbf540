#pragma once

#include <QString>

#include <functional>

namespace webupdate {

// Whether files can be written into `folder` by this user.
bool isWritableFolder(const QString& folder);

// Where the update file goes: the program's own folder when it may write there, else (an
// installation for the whole system) the user's download folder, made when missing, and the
// temporary folder as a last resort.
QString updateFolder(const QString& ownFolder,
                     const std::function<bool(const QString&)>& writable = isWritableFolder);

} // namespace webupdate
