// The programs' own directory lists: the names of one directory's
// subdirectories or plain files, however many there are, each kept whole,
// in the order the file system gives them or in the page's order.
#ifndef HOPDIR_CORE_ENTRY_LIST_H_
#define HOPDIR_CORE_ENTRY_LIST_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/name_list.h"
#include "platform/short_string.h"

namespace hopdir {

// Whether `a` comes before `b` on the page: "." first, ".." second, then
// by bytes without regard to the case of a..z, and names that differ only
// in that case by their bytes.
bool ComesBeforeOnPage(std::string_view a, std::string_view b);

// Whether `name` contains `upper_part`, which is upper case in a..z
// already, when the a..z of `name` are compared upper-cased. The empty part
// is contained in no name.
bool NameContains(std::string_view name, std::string_view upper_part);

class EntryList : public NameList {
 public:
  enum class Kind {
    kSubdirectories,  // every entry that is a directory, hidden and system ones too
    kPlainFiles,      // entries that are none of directory, hidden, system, volume label
  };

  // Replaces the contents with the entries of `dir` of `kind`, in the file
  // system's order. A listing that fails half-way keeps what it read; a
  // directory that cannot be listed gives an empty list.
  void List(const Str255& dir, Kind kind);
  // The page's order (ComesBeforeOnPage).
  void SortNames();

  int Count() const override { return static_cast<int>(names_.size()); }
  std::string_view Name(int position) const override;

 private:
  // Each name is a view into the block that holds them all, so that a
  // directory of a hundred thousand names costs one allocation a block.
  std::vector<std::string_view> names_;
  std::vector<std::string> blocks_;
  std::string_view Keep(std::string_view name);
};

}  // namespace hopdir

#endif  // HOPDIR_CORE_ENTRY_LIST_H_
