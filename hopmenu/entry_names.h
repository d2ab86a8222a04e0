// Full names behind a directory listing: list entries keep 80 characters,
// while the search records keep the whole name.
#ifndef HOPDIR_HOPMENU_ENTRY_NAMES_H_
#define HOPDIR_HOPMENU_ENTRY_NAMES_H_

#include <cstdint>

#include "core/dir_list.h"
#include "platform/short_string.h"

namespace hopdir {

// The whole name of the entry at `position` of `list`, also after SortNames
// has reordered the names away from the records. Names that share their
// first 80 characters are matched in order: the k-th such entry of the list
// gets the k-th such record, so each row leads to its own directory.
Str255 FullEntryName(const DirListObj& list, int16_t position);

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_ENTRY_NAMES_H_
