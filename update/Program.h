#pragma once

// The updater's program block: creates the update window (its creation handler runs now) and
// the hidden message window, then runs the message loop until the update window closes.
void createWindows();
void destroyWindows();
int runProgram(int argc, char** argv);

// Removes the URL cache that earlier versions of the updater kept (its cache folder's "http").
void removeOldUrlCache();
