// The Windows API for the win32 backend, with the macros that would rename
// the backend's own members (DeleteFile, ReplaceFile) taken out again.
#ifndef HOPDIR_PLATFORM_WIN32_WINDOWS_API_H_
#define HOPDIR_PLATFORM_WIN32_WINDOWS_API_H_

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs: CommandLineToArgvW.
#include <shellapi.h>

#undef DeleteFile
#undef ReplaceFile

#endif  // HOPDIR_PLATFORM_WIN32_WINDOWS_API_H_
