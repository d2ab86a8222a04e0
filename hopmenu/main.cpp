#include "core/dir_list.h"
#include "core/program_dir.h"
#include "hopmenu/hopmenu.h"
#include "platform/native_platform.h"
#include "ui/menu_base.h"
#include "ui/screen_probe.h"

int main(int argc, char** argv) {
  hopdir::InstallNativePlatform(argc, argv);
  // The library's modules in their documented start-up order.
  hopdir::StartMenuObjects();
  hopdir::StartDirListing();
  hopdir::StartCore();
  hopdir::StartScreenProbe();
  hopdir::RunHopmenu();
}
