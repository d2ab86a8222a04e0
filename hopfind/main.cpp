#include "core/program_dir.h"
#include "hopfind/hopfind.h"
#include "platform/native_platform.h"
#include "ui/dir_list.h"
#include "ui/menu_base.h"

int main(int argc, char** argv) {
  hopdir::InstallNativePlatform(argc, argv);
  hopdir::StartMenuObjects();
  hopdir::StartDirListing();
  hopdir::StartCore();
  hopdir::RunHopfind();
}
