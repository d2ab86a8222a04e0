#include "core/entry_list.h"

#include <algorithm>
#include <memory>

#include "core/dir_list.h"
#include "platform/platform.h"

namespace hopdir {
namespace {

// Names are kept in blocks of this size: a block never moves once made,
// so the views into it stay valid.
constexpr size_t kBlockBytes = 64 * 1024;

int PageRank(std::string_view name) {
  if (name == ".") return 0;
  if (name == "..") return 1;
  return 2;
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(UpCaseChar(a[i]));
    const auto y = static_cast<unsigned char>(UpCaseChar(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace

bool ComesBeforeOnPage(std::string_view a, std::string_view b) {
  const int rank_a = PageRank(a);
  const int rank_b = PageRank(b);
  if (rank_a != rank_b) return rank_a < rank_b;
  const int order = CompareIgnoringCase(a, b);
  if (order != 0) return order < 0;
  return a < b;
}

bool NameContains(std::string_view name, std::string_view upper_part) {
  if (upper_part.empty() || upper_part.size() > name.size()) return false;
  const size_t last = name.size() - upper_part.size();
  for (size_t start = 0; start <= last; ++start) {
    size_t i = 0;
    while (i < upper_part.size() && UpCaseChar(name[start + i]) == upper_part[i]) ++i;
    if (i == upper_part.size()) return true;
  }
  return false;
}

std::string_view EntryList::Keep(std::string_view name) {
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < name.size()) {
    blocks_.emplace_back();
    blocks_.back().reserve(std::max(kBlockBytes, name.size()));
  }
  std::string& block = blocks_.back();
  const size_t start = block.size();
  block.append(name);
  return std::string_view(block).substr(start, name.size());
}

void EntryList::List(const Str255& dir, Kind kind) {
  names_.clear();
  blocks_.clear();
  const bool directories = kind == Kind::kSubdirectories;
  const uint16_t allowed = directories ? AnyAttrMask : FileAttrMask;
  const uint16_t required = directories ? kAttrDirectory : 0;
  std::unique_ptr<DirectorySearch> search = Os().files.ListDirectory(dir, EntryDetail::kKinds);
  FindRecord record;
  while (search != nullptr && search->Next(record)) {
    if (AttributesAccepted(record.Attributes, allowed, required))
      names_.push_back(Keep(record.Name.View()));
  }
}

void EntryList::SortNames() {
  // Each name is folded to upper case once, so that the sort compares
  // with memcmp rather than folding both names at every comparison.
  struct Keyed {
    int rank;
    std::string_view folded;
    std::string_view name;
  };
  std::string folded;
  size_t total = 0;
  for (std::string_view name : names_) total += name.size();
  folded.reserve(total);
  std::vector<Keyed> keyed;
  keyed.reserve(names_.size());
  for (std::string_view name : names_) {
    const size_t start = folded.size();
    for (char c : name) folded += UpCaseChar(c);
    keyed.push_back({PageRank(name), std::string_view(), name});
    keyed.back().folded = std::string_view(folded.data() + start, name.size());
  }
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    if (const int order = a.folded.compare(b.folded); order != 0) return order < 0;
    return a.name < b.name;
  });
  for (size_t i = 0; i < keyed.size(); ++i) names_[i] = keyed[i].name;
}

std::string_view EntryList::Name(int position) const {
  if (position < 1 || position > Count()) return {};
  return names_[static_cast<size_t>(position - 1)];
}

}  // namespace hopdir
