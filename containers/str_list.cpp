#include "containers/str_list.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "containers/bounded_arrays.h"
#include "containers/fatal_halt.h"
#include "containers/io_check.h"
#include "containers/shell_sort.h"
#include "platform/platform.h"

namespace hopdir {
namespace {

// Byte-wise unsigned order; a proper prefix is the smaller string.
bool Greater(const Str255& a, const Str255& b) {
  int common = std::min(a.Length(), b.Length());
  int order = std::memcmp(a.Data(), b.Data(), static_cast<size_t>(common));
  return order != 0 ? order > 0 : a.Length() > b.Length();
}

}  // namespace

Str255 UpCaseStr(const Str255& s) {
  Str255 upper(s);
  for (int i = 0; i < upper.Length(); ++i) upper.At(i) = UpCaseChar(upper[i]);
  return upper;
}

void StrListObj::Init(int16_t capacity, bool hasMarks, int16_t itemWidth) {
  Count = 0;
  Capacity = capacity;
  MarkedCount = 0;
  HasMarks = hasMarks;
  NewMark = false;
  ItemWidth = itemWidth == kPathItemWidth ? kPathItemWidth : kNameItemWidth;
  Items = nullptr;
  PathItems = nullptr;
  Marks = nullptr;
  const bool allocated = ItemWidth == kPathItemWidth ? Str255ArAlloc(PathItems, capacity)
                                                     : Str80ArAlloc(Items, capacity);
  if (!allocated) {
    FatalHalt("not enough RAM available.");
  }
  if (hasMarks && !BoolArAlloc(Marks, capacity)) {
    FatalHalt("not enough RAM available.");
  }
}

void StrListObj::Done() {
  if (HasMarks) {
    BoolArFree(Marks, Capacity);
  }
  if (PathItems != nullptr) {
    Str255ArFree(PathItems, Capacity);
  }
  if (Items != nullptr) {
    Str80ArFree(Items, Capacity);
  }
}

Str255 StrListObj::Slot(int position) const {
  return PathItems != nullptr ? PathItems[position] : Str255(Items[position]);
}

Str255 StrListObj::Clipped(const Str255& s) const {
  return s.Sub(0, static_cast<int>(Os().paths.ClipName(s.View(), static_cast<size_t>(ItemWidth))));
}

void StrListObj::Store(int position, const Str255& s) {
  if (PathItems != nullptr) {
    PathItems[position] = Clipped(s);
  } else {
    Items[position] = Clipped(s);
  }
}

void StrListObj::CopySlot(int from, int to) {
  if (PathItems != nullptr) {
    PathItems[to] = PathItems[from];
  } else {
    Items[to] = Items[from];
  }
}

void StrListObj::SwapSlots(int j, int k) {
  if (PathItems != nullptr) {
    std::swap(PathItems[j], PathItems[k]);
  } else {
    std::swap(Items[j], Items[k]);
  }
}

void StrListObj::AddString(const Str255& s) {
  if (Count >= Capacity) {
    FatalHalt("AddString tried to store too many strings in list.");
  }
  ++Count;
  Store(Count, s);
  if (HasMarks) {
    Marks[Count] = NewMark;
  }
}

void StrListObj::InsertInList(int16_t position, const Str255& s) {
  if (Count >= Capacity) {
    FatalHalt("InsertInList tried to store too many strings in list.");
  }
  // A position outside 1..Count+1 would write outside the slots or leave a
  // gap of stale entries; it lands at the nearest end instead.
  int at = std::clamp<int>(position, 1, Count + 1);
  for (int j = Count; j >= at; --j) {
    CopySlot(j, j + 1);
  }
  Store(at, s);
  ++Count;
}

void StrListObj::DeleteString(int16_t position) {
  if (!InRange(position)) {
    FatalHalt("Tried to delete nonexistant string.");
  }
  for (int j = position + 1; j <= Count; ++j) {
    CopySlot(j, j - 1);
  }
  --Count;
}

void StrListObj::MoveToFront(const Str255& s) {
  int16_t position = StringPosition(s);
  if (position > 0) {
    DeleteString(position);
    InsertInList(1, s);
  }
}

Str255 StrListObj::GetString(int16_t position) const {
  return InRange(position) ? Slot(position) : Str255();
}

bool StrListObj::StringInList(const Str255& s) const { return StringPosition(s) > 0; }

int16_t StrListObj::StringPosition(const Str255& s) const {
  for (int16_t i = 1; i <= Count; ++i) {
    if (Slot(i) == s) {
      return i;
    }
  }
  return 0;
}

bool StrListObj::SubstringInList(const Str255& s) const { return SubstringPosition(s) > 0; }

int16_t StrListObj::SubstringPosition(const Str255& s) const {
  for (int16_t i = 1; i <= Count; ++i) {
    if (Slot(i).Find(s.View()) >= 0) {
      return i;
    }
  }
  return 0;
}

void StrListObj::SortList(bool caseSensitive) {
  auto key = [&](int position) {
    Str255 entry = Slot(position);
    return caseSensitive ? entry : UpCaseStr(entry);
  };
  ShellSort(
      Count, [&](int j, int k) { return Greater(key(j), key(k)); },
      [&](int j, int k) {
        SwapSlots(j, k);
        if (HasMarks) {
          std::swap(Marks[j], Marks[k]);
        }
      });
}

void StrListObj::UpCaseList() {
  for (int i = 1; i <= Count; ++i) {
    Store(i, UpCaseStr(Slot(i)));
  }
}

void StrListObj::WriteList(TextFile& file) const {
  for (int16_t i = 1; i <= Count; ++i) {
    CheckIo(file.WriteLine(GetString(i).View()));
  }
}

bool StrListObj::GetMark(int16_t position) const {
  return HasMarks && InRange(position) && Marks[position];
}

void StrListObj::SetMark(int16_t position, bool value) {
  if (HasMarks && InRange(position)) {
    Marks[position] = value;
  }
  CountMarks();
}

void StrListObj::SetAllMarks(bool value) {
  if (HasMarks) {
    std::fill(Marks + 1, Marks + 1 + Count, value);
  }
  CountMarks();
}

void StrListObj::CountMarks() {
  MarkedCount = 0;
  if (!HasMarks) {
    return;
  }
  for (int i = 1; i <= Count; ++i) {
    if (Marks[i]) {
      ++MarkedCount;
    }
  }
}

Str255 StrListObj::GetMarkedString(int16_t n) const {
  if (!HasMarks) {
    return Str255();
  }
  int seen = 0;
  for (int16_t i = 1; i <= Count; ++i) {
    if (Marks[i] && ++seen == n) {
      return GetString(i);
    }
  }
  return Str255();
}

}  // namespace hopdir
