// A bounded string list filled from a wildcard directory search, filtered by
// attribute bits, that keeps the whole search record of every entry beside
// its name.
#ifndef HOPDIR_CORE_DIR_LIST_H_
#define HOPDIR_CORE_DIR_LIST_H_

#include <array>
#include <cstdint>
#include <memory>

#include "containers/str_list.h"
#include "platform/file_system.h"
#include "platform/short_string.h"

namespace hopdir {

// Every attribute bit but hidden, system, volume label and directory.
extern uint16_t FileAttrMask;
// Every attribute bit.
extern uint16_t AnyAttrMask;

// The module's start-up step: sets the two attribute masks.
void StartDirListing();

// Whether an entry whose attributes are `attributes` passes a listing's
// filter: no bit outside `allowed` (of the low 16), every bit of `required`.
bool AttributesAccepted(uint32_t attributes, uint16_t allowed, uint16_t required);

// Everything the directory search returned for one entry.
using DirEntry = FindRecord;

// Entries has room for this many records, so no list may be larger.
inline constexpr int16_t kMaxDirEntries = 5000;

class DirListObj : public StrListObj {
 public:
  Str255 Dir;  // the last pattern up to its last backslash; empty until then
  Str255 Pattern;
  uint16_t AllowedAttr = 0;   // kept for the owner's later listings
  uint16_t RequiredAttr = 0;  // kept for the owner's later listings
  // The record of the entry listed at each position 1..Count, in search
  // order (index 0 unused). Sorting moves the names, not these.
  std::array<std::unique_ptr<DirEntry>, kMaxDirEntries + 1> Entries;

  DirListObj() = default;
  DirListObj(const DirListObj&) = delete;
  DirListObj& operator=(const DirListObj&) = delete;
  // A list that is never explicitly ended still gives its storage back.
  ~DirListObj() { Done(); }

  // A capacity above kMaxDirEntries halts: the records would not fit.
  void Init(int16_t capacity, bool hasMarks);
  // Replaces the contents with the entries matching `pattern` whose
  // attributes lie within `allowed` and include all of `required`.
  void ListDir(const Str255& pattern, uint16_t allowed, uint16_t required);
  // Sorted names, then "." and ".." moved to positions 1 and 2.
  void SortNames(bool caseSensitive);
  // The n-th marked entry without directory and extension.
  Str255 MarkedName(int16_t n) const;
  void Done();

 private:
  void ReleaseEntries();
};

}  // namespace hopdir

#endif  // HOPDIR_CORE_DIR_LIST_H_
