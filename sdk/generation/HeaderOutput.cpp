#include "HeaderOutput.h"

namespace parvex {

bool FileHeaderOutput::Write(std::string_view bytes) {
  if (bytes.empty())
    return true;
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

} // namespace parvex
