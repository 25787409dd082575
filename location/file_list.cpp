#include "location/file_list.h"

namespace qomdex {

const NativeString& FileList::entry(std::size_t position) const {
  static const NativeString kPastTheEnd;
  return position == count() ? kPastTheEnd : name(position);
}

}  // namespace qomdex
