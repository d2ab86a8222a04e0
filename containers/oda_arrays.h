// Open dynamic arrays: 1-based arrays whose size is chosen at run time, with
// the elements read and written directly through `Elements`.
#ifndef HOPDIR_CONTAINERS_ODA_ARRAYS_H_
#define HOPDIR_CONTAINERS_ODA_ARRAYS_H_

#include <cstdint>

namespace hopdir {

class ODAIntObj {
 public:
  int16_t Count = 0;
  int16_t* Elements = nullptr;  // elements 1..Count

  // A negative n halts; so does storage that cannot be had.
  void Init(int16_t n);
  void Zero();
  // The largest element; halts when there is none.
  int16_t Max() const;
  // Also sets Count to 0, so that a later Max halts.
  void Done();
};

class ODARealObj {
 public:
  int16_t Count = 0;
  double* Elements = nullptr;  // elements 1..Count

  void Init(int16_t n);
  void Zero();
  double Max() const;
  // Also sets Count to 0, so that a later Max halts.
  void Done();
};

}  // namespace hopdir

#endif  // HOPDIR_CONTAINERS_ODA_ARRAYS_H_
