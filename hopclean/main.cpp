#include "core/program_dir.h"
#include "hopclean/hopclean.h"
#include "platform/win32/win32_platform.h"

int main(int argc, char** argv) {
  hopdir::InstallWin32Platform(argc, argv);
  hopdir::StartCore();
  hopdir::RunHopclean();
}
