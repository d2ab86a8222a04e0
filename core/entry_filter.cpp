#include "core/entry_filter.h"

#include <string>

#include "platform/short_string.h"

namespace hopdir {
namespace {

bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

}  // namespace

void EntryFilter::Apply(const EntryList& entries, std::string_view part) {
  entries_ = &entries;
  shown_.clear();
  matches_ = 0;
  std::string upper(part);
  for (char& c : upper) c = UpCaseChar(c);
  for (int i = 1; i <= entries.Count(); ++i) {
    const std::string_view name = entries.Name(i);
    if (IsDotEntry(name)) {
      shown_.push_back(i);
    } else if (upper.empty() || NameContains(name, upper)) {
      shown_.push_back(i);
      ++matches_;
    }
  }
}

std::string_view EntryFilter::Name(int position) const {
  if (entries_ == nullptr || position < 1 || position > Count()) return {};
  return entries_->Name(shown_[static_cast<size_t>(position - 1)]);
}

int EntryFilter::FirstMatch() const {
  for (int i = 1; i <= Count(); ++i) {
    if (!IsDotEntry(Name(i))) return i;
  }
  return Count() > 0 ? 1 : 0;
}

int EntryFilter::Find(std::string_view name) const {
  for (int i = 1; i <= Count(); ++i) {
    if (Name(i) == name) return i;
  }
  return 0;
}

}  // namespace hopdir
