// The bounded list of short strings: entries of at most 80 characters at
// positions 1..Count (255 in a list of whole paths), storage for Capacity
// entries obtained once by Init, and optionally one mark per entry. Running
// out of room halts the program.
#ifndef HOPDIR_CONTAINERS_STR_LIST_H_
#define HOPDIR_CONTAINERS_STR_LIST_H_

#include <cstdint>

#include "platform/short_string.h"
#include "platform/text_file.h"

namespace hopdir {

// s with the bytes a..z replaced by A..Z; every other byte unchanged.
Str255 UpCaseStr(const Str255& s);

// The entry slots a list is built with: names in 80-character slots, and
// whole paths (the history of recent directories) in 255-character ones,
// so that a deep directory is kept, found and reached whole.
inline constexpr int16_t kNameItemWidth = 80;
inline constexpr int16_t kPathItemWidth = 255;

class StrListObj {
 public:
  int16_t Count = 0;
  int16_t Capacity = 0;
  int16_t MarkedCount = 0;  // as of the last CountMarks
  bool HasMarks = false;
  bool NewMark = false;                // the mark AddString gives a new entry
  int16_t ItemWidth = kNameItemWidth;  // characters an entry keeps
  Str80* Items = nullptr;              // slots 1..Capacity of an 80-character list
  Str255* PathItems = nullptr;         // slots 1..Capacity of a 255-character list
  bool* Marks = nullptr;               // slots 1..Capacity, only when HasMarks

  // Halts with "not enough RAM available." when the storage cannot be had.
  // An itemWidth other than kPathItemWidth gives 80-character slots.
  void Init(int16_t capacity, bool hasMarks, int16_t itemWidth = kNameItemWidth);
  void Done();

  // Entries longer than ItemWidth characters keep their first ItemWidth.
  void AddString(const Str255& s);
  void InsertInList(int16_t position, const Str255& s);
  void DeleteString(int16_t position);
  // Moves the first entry equal to s to position 1; nothing when absent.
  void MoveToFront(const Str255& s);

  // What a slot keeps of `s`: its first ItemWidth characters, cut between
  // two characters where names are UTF-8.
  Str255 Clipped(const Str255& s) const;
  // The empty string outside 1..Count.
  Str255 GetString(int16_t position) const;
  // Exact, case-sensitive equality; the first hit from position 1 counts.
  bool StringInList(const Str255& s) const;
  int16_t StringPosition(const Str255& s) const;  // 0 when absent
  // Case-sensitive containment; the empty string is contained nowhere.
  bool SubstringInList(const Str255& s) const;
  int16_t SubstringPosition(const Str255& s) const;  // 0 when absent

  // Ascending, byte-wise unsigned; without caseSensitive entries are
  // compared by their upper-cased forms. Marks travel with their entries.
  void SortList(bool caseSensitive);
  void UpCaseList();
  // Every entry as one line; the caller opens and closes the file.
  void WriteList(TextFile& file) const;

  bool GetMark(int16_t position) const;  // false outside 1..Count
  void SetMark(int16_t position, bool value);
  void SetAllMarks(bool value);
  void CountMarks();
  // The n-th marked entry in position order; empty when there is none.
  Str255 GetMarkedString(int16_t n) const;

 private:
  bool InRange(int16_t position) const { return position >= 1 && position <= Count; }
  // Slot access that serves both widths.
  Str255 Slot(int position) const;
  void Store(int position, const Str255& s);
  void CopySlot(int from, int to);
  void SwapSlots(int j, int k);
};

}  // namespace hopdir

#endif  // HOPDIR_CONTAINERS_STR_LIST_H_
