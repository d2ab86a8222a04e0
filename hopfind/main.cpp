#include "core/dir_list.h"
#include "hopfind/hopfind.h"
#include "platform/native_platform.h"

int main(int argc, char** argv) {
  hopdir::InstallNativePlatform(argc, argv);
  hopdir::StartDirListing();
  hopdir::RunHopfind();
}
