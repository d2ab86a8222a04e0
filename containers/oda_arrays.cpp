#include "containers/oda_arrays.h"

#include <algorithm>

#include "containers/bounded_arrays.h"
#include "containers/fatal_halt.h"

namespace hopdir {
namespace {

// Both arrays behave alike; only the element type, the allocation routine
// and the names in the messages differ.
template <typename T>
void InitElements(int16_t n, T*& elements, bool (*alloc)(T*&, int32_t), const char* negative) {
  if (n < 0) {
    FatalHalt(negative);
  }
  if (!alloc(elements, n)) {
    FatalHalt("not enough RAM available.");
  }
}

template <typename T>
T MaxElement(const T* elements, int16_t count, const char* empty) {
  if (count < 1) {
    FatalHalt(empty);
  }
  T m = elements[1];
  for (int i = 2; i <= count; ++i) {
    if (m < elements[i]) {
      m = elements[i];
    }
  }
  return m;
}

}  // namespace

void ODAIntObj::Init(int16_t n) {
  Count = n;
  InitElements(n, Elements, IntArAlloc,
               "Sought to create ODAIntObj with fewer than zero elements.");
}

void ODAIntObj::Zero() { std::fill(Elements + 1, Elements + 1 + std::max<int>(Count, 0), 0); }

int16_t ODAIntObj::Max() const {
  return MaxElement(Elements, Count, "Sought max of 0-length ODAIntObj.");
}

void ODAIntObj::Done() {
  IntArFree(Elements, Count);
  Count = 0;
}

void ODARealObj::Init(int16_t n) {
  Count = n;
  InitElements(n, Elements, RealArAlloc,
               "Sought to create ODARealObj with fewer than zero elements.");
}

void ODARealObj::Zero() { std::fill(Elements + 1, Elements + 1 + std::max<int>(Count, 0), 0.0); }

double ODARealObj::Max() const {
  return MaxElement(Elements, Count, "Sought max of 0-length ODARealObj.");
}

// Count goes to 0 here as well: a later Max then halts instead of reading
// released storage.
void ODARealObj::Done() {
  RealArFree(Elements, Count);
  Count = 0;
}

}  // namespace hopdir
