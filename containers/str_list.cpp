#include "containers/str_list.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "containers/bounded_arrays.h"
#include "containers/fatal_halt.h"
#include "containers/shell_sort.h"
#include "core/io_check.h"

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
  for (int i = 0; i < upper.Length(); ++i) {
    char c = upper[i];
    if (c >= 'a' && c <= 'z') {
      upper.At(i) = static_cast<char>(c - 'a' + 'A');
    }
  }
  return upper;
}

void StrListObj::Init(int16_t capacity, bool hasMarks) {
  Count = 0;
  Capacity = capacity;
  MarkedCount = 0;
  HasMarks = hasMarks;
  NewMark = false;
  Items = nullptr;
  Marks = nullptr;
  if (!Str80ArAlloc(Items, capacity)) {
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
  Str80ArFree(Items, Capacity);
}

void StrListObj::AddString(const Str255& s) {
  if (Count >= Capacity) {
    FatalHalt("AddString tried to store too many strings in list.");
  }
  ++Count;
  Items[Count] = s;
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
    Items[j + 1] = Items[j];
  }
  Items[at] = s;
  ++Count;
}

void StrListObj::DeleteString(int16_t position) {
  if (!InRange(position)) {
    FatalHalt("Tried to delete nonexistant string.");
  }
  for (int j = position + 1; j <= Count; ++j) {
    Items[j - 1] = Items[j];
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
  return InRange(position) ? Str255(Items[position]) : Str255();
}

bool StrListObj::StringInList(const Str255& s) const { return StringPosition(s) > 0; }

int16_t StrListObj::StringPosition(const Str255& s) const {
  for (int16_t i = 1; i <= Count; ++i) {
    if (Items[i] == s) {
      return i;
    }
  }
  return 0;
}

bool StrListObj::SubstringInList(const Str255& s) const { return SubstringPosition(s) > 0; }

int16_t StrListObj::SubstringPosition(const Str255& s) const {
  for (int16_t i = 1; i <= Count; ++i) {
    if (Items[i].Find(s.View()) >= 0) {
      return i;
    }
  }
  return 0;
}

void StrListObj::SortList(bool caseSensitive) {
  auto key = [&](int position) {
    Str255 entry(Items[position]);
    return caseSensitive ? entry : UpCaseStr(entry);
  };
  ShellSort(
      Count, [&](int j, int k) { return Greater(key(j), key(k)); },
      [&](int j, int k) {
        std::swap(Items[j], Items[k]);
        if (HasMarks) {
          std::swap(Marks[j], Marks[k]);
        }
      });
}

void StrListObj::UpCaseList() {
  for (int i = 1; i <= Count; ++i) {
    Items[i] = UpCaseStr(Items[i]);
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
