// The real backend of the platform the programs are built for: kernel32 on
// Windows, the terminal and POSIX file APIs elsewhere.
#ifndef HOPDIR_PLATFORM_NATIVE_PLATFORM_H_
#define HOPDIR_PLATFORM_NATIVE_PLATFORM_H_

namespace hopdir {

// Builds the backend once, for the rest of the run, and installs it; a
// program's main calls this before anything else.
void InstallNativePlatform(int argc, char** argv);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_NATIVE_PLATFORM_H_
