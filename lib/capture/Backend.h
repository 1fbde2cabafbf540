#pragma once

namespace capture {

// Whether the toolkit's multimedia stack has a backend it can load. Without one, Qt
// Multimedia aborts the program at its first use (listing devices, making a video widget),
// so nothing of it may be touched then. Checked once; when the user has not named a backend
// (QT_MEDIA_BACKEND), the one found is named there, so that the toolkit loads that very one.
bool backendAvailable();

} // namespace capture
