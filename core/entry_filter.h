// The names of a directory that the user's typing lets through: those that
// contain the typed part by hf's rule (a..z without regard to case), with
// "." and ".." always kept, in the directory list's own order.
#ifndef HOPDIR_CORE_ENTRY_FILTER_H_
#define HOPDIR_CORE_ENTRY_FILTER_H_

#include <string_view>
#include <vector>

#include "core/entry_list.h"
#include "core/name_list.h"

namespace hopdir {

class EntryFilter : public NameList {
 public:
  // Lets through the names of `entries` that contain `part`; every name
  // when `part` is empty. `entries` must outlive the filter's use.
  void Apply(const EntryList& entries, std::string_view part);

  int Count() const override { return static_cast<int>(shown_.size()); }
  std::string_view Name(int position) const override;
  // The position of the first name let through for what it contains (not
  // "." or ".."), or 1, or 0 when nothing is shown.
  int FirstMatch() const;
  // How many names are let through for what they contain.
  int Matches() const { return matches_; }
  // The position of `name`, or 0 when it is not shown.
  int Find(std::string_view name) const;

 private:
  const EntryList* entries_ = nullptr;
  std::vector<int> shown_;  // positions in entries_
  int matches_ = 0;
};

}  // namespace hopdir

#endif  // HOPDIR_CORE_ENTRY_FILTER_H_
