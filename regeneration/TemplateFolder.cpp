#include "TemplateFolder.h"

#include "GeneratedFiles.h"

#include <sys/stat.h>

namespace torvio {

int TemplatesIn(const std::string &dir) {
  int found = 0;
  for (const char *name : kGeneratedFiles) {
    std::string header(name);
    if (header.size() < 2 || header.compare(header.size() - 2, 2, ".h") != 0)
      continue; // the build log has no template
    header.replace(header.size() - 2, 2, ".th");
    struct stat s {};
    found += ::stat((dir + header).c_str(), &s) == 0 && S_ISREG(s.st_mode);
  }
  return found;
}

} // namespace torvio
