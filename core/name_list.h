// A list of names by 1-based position, as a list object shows it: every
// entry of a directory, or the ones of them a filter lets through.
#ifndef HOPDIR_CORE_NAME_LIST_H_
#define HOPDIR_CORE_NAME_LIST_H_

#include <string_view>

namespace hopdir {

class NameList {
 public:
  virtual ~NameList() = default;
  virtual int Count() const = 0;
  // The name at `position` (1..Count); empty outside.
  virtual std::string_view Name(int position) const = 0;
};

}  // namespace hopdir

#endif  // HOPDIR_CORE_NAME_LIST_H_
