// The Shell sort shared by the string list and the number arrays: gaps of
// the form 2^k - 1 over 1-based positions 1..count, exchanging in place.
// Not stable once a gap above 1 is used (more than 4 entries).
#ifndef HOPDIR_CONTAINERS_SHELL_SORT_H_
#define HOPDIR_CONTAINERS_SHELL_SORT_H_

namespace hopdir {

// `greater(j, k)` tells whether the entry at j must move behind the one at k;
// `exchange(j, k)` swaps the two entries.
template <typename Greater, typename Exchange>
void ShellSort(int count, Greater greater, Exchange exchange) {
  int gap = 2;
  while (count > 2 * gap) {
    gap *= 2;
  }
  gap -= 1;
  while (gap > 0) {
    for (int i = 1; i <= count - gap; ++i) {
      for (int j = i; j >= 1 && greater(j, j + gap); j -= gap) {
        exchange(j, j + gap);
      }
    }
    gap /= 2;
  }
}

}  // namespace hopdir

#endif  // HOPDIR_CONTAINERS_SHELL_SORT_H_
