#include "hopclean/hopclean.h"
#include "platform/native_platform.h"

int main(int argc, char** argv) {
  hopdir::InstallNativePlatform(argc, argv);
  hopdir::RunHopclean();
}
