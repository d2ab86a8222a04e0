#include "hopmenu/entry_names.h"

namespace hopdir {

Str255 FullEntryName(const DirListObj& list, int16_t position) {
  const Str255 shown = list.GetString(position);
  int earlier = 0;
  for (int16_t j = 1; j < position; ++j) {
    if (list.GetString(j) == shown) ++earlier;
  }
  for (int16_t k = 1; k <= list.Count; ++k) {
    const DirEntry* entry = list.Entries[static_cast<size_t>(k)].get();
    if (entry == nullptr || !(list.Clipped(entry->Name) == shown)) continue;
    if (earlier == 0) return entry->Name;
    --earlier;
  }
  return shown;
}

}  // namespace hopdir
