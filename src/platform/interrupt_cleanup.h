// A temporary file that a signal must not leave behind. Saving writes a
// whole document beside its target before replacing it; an interrupted
// program would otherwise leave that hidden file, often hundreds of MB.
#pragma once

#include <string>

namespace texttoxml::platform {

// From now on SIGINT, SIGTERM and SIGHUP first remove the temporary file
// being written (if any) and then end the program as the signal would.
void RemoveTemporaryFileOnInterrupt();

// The temporary file being written; at most one at a time is remembered,
// and a path too long for the handler's buffer is not.
void RememberTemporaryFile(const std::string& path);
void ForgetTemporaryFile(const std::string& path);

}  // namespace texttoxml::platform
