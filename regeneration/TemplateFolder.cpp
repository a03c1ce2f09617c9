#include "TemplateFolder.h"

#include "GeneratedFiles.h"

#include "torvio/platform/System.h"

namespace torvio {

int TemplatesIn(const std::string &dir) {
  int found = 0;
  for (const char *name : kGeneratedFiles) {
    std::string header(name);
    if (header.size() < 2 || header.compare(header.size() - 2, 2, ".h") != 0)
      continue; // the build log has no template
    header.replace(header.size() - 2, 2, ".th");
    found += IsRegularFile((dir + header).c_str());
  }
  return found;
}

} // namespace torvio
