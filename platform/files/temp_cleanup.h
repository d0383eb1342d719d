#pragma once
// Named temporary files removed when SIGINT, SIGTERM or SIGHUP ends the
// process. Only signals whose action is still the default are watched: a
// program that handles one itself stops in its own way, and its objects then
// remove their files as they go.
#include <string>

// Removes path should one of those signals end the process; returns a slot
// for ForgetTemporary, or -1 when every slot is taken (the file is then not
// watched).
int WatchTemporary(const std::string& path);
// Stops watching (after the file was renamed or removed). -1 is ignored.
void ForgetTemporary(int slot);
