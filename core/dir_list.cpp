#include "core/dir_list.h"

#include "containers/fatal_halt.h"
#include "platform/platform.h"

namespace hopdir {

uint16_t FileAttrMask = 0xFFE1;
uint16_t AnyAttrMask = 0xFFFF;

void StartDirListing() {
  FileAttrMask = 0xFFE1;
  AnyAttrMask = 0xFFFF;
}

bool AttributesAccepted(uint32_t attributes, uint16_t allowed, uint16_t required) {
  return (attributes & ~static_cast<uint32_t>(allowed) & 0xFFFFu) == 0 &&
         (attributes & required) == required;
}

void DirListObj::Init(int16_t capacity, bool hasMarks) {
  if (capacity > kMaxDirEntries) {
    FatalHalt("DirListObj.Init: a directory list holds at most 5000 entries.");
  }
  Dir = Str255();
  Pattern = Str255();
  AllowedAttr = FileAttrMask;
  RequiredAttr = 0;
  StrListObj::Init(capacity, hasMarks);
}

void DirListObj::ListDir(const Str255& pattern, uint16_t allowed, uint16_t required) {
  Pattern = pattern;
  ReleaseEntries();
  Count = 0;
  std::unique_ptr<DirectorySearch> search =
      Os().files.Search(Pattern, static_cast<uint16_t>(allowed | required));
  FindRecord record;
  while (search != nullptr && search->Next(record)) {
    if (!AttributesAccepted(record.Attributes, allowed, required)) continue;
    // AddString halts on a full list before the record is kept.
    AddString(record.Name);
    Entries[static_cast<size_t>(Count)] = std::make_unique<DirEntry>(record);
  }
  int slash = Pattern.FindLast(Os().paths.Separator());
  if (slash >= 0) Dir = Pattern.Sub(0, slash + 1);
}

void DirListObj::SortNames(bool caseSensitive) {
  SortList(caseSensitive);
  MoveToFront("..");
  MoveToFront(".");
}

Str255 DirListObj::MarkedName(int16_t n) const {
  Str255 name = GetMarkedString(n);
  const PathRules& rules = Os().paths;
  for (int i = name.Length() - 1; i >= 0; --i) {
    if (rules.EndsDirectoryPart(name[i])) {
      name = name.Sub(i + 1);
      break;
    }
  }
  int dot = name.FindLast('.');
  if (dot >= 0) name.Truncate(dot);
  return name;
}

void DirListObj::Done() {
  ReleaseEntries();
  StrListObj::Done();
}

void DirListObj::ReleaseEntries() {
  for (int i = 1; i <= Count && i <= kMaxDirEntries; ++i) Entries[static_cast<size_t>(i)].reset();
}

}  // namespace hopdir
