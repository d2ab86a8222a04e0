// The real Windows backend: console, file system and process over kernel32.
#ifndef HOPDIR_PLATFORM_WIN32_WIN32_PLATFORM_H_
#define HOPDIR_PLATFORM_WIN32_WIN32_PLATFORM_H_

namespace hopdir {

// Builds the three backends once, for the rest of the run, and installs
// them; a program's main calls this before anything else.
void InstallWin32Platform(int argc, char** argv);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_WIN32_WIN32_PLATFORM_H_
