#include "core/handoff.h"

#include "containers/io_check.h"
#include "platform/platform.h"

namespace hopdir {

void WriteDestination(const Str255& destination) { CheckIo(Os().handoff.Write(destination)); }

}  // namespace hopdir
