#include "UnifiedDiff.h"

#include <algorithm>
#include <vector>

namespace torvio {

namespace {

// Lines with their line ends; a last line without one is kept as it is.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t n = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, n));
    text.remove_prefix(n);
  }
  return lines;
}

enum class Op { Keep, Remove, Add };

struct Edit {
  Op op;
  std::size_t a; // line index in `before` (Keep, Remove)
  std::size_t b; // line index in `after` (Keep, Add)
};

// The shortest edit script by the longest common subsequence. Files too
// large for the table are taken as wholly replaced, which is still a
// correct diff.
std::vector<Edit> EditScript(const std::vector<std::string_view> &a,
                             const std::vector<std::string_view> &b) {
  constexpr std::size_t kMostCells = 16u << 20;
  const std::size_t n = a.size(), m = b.size();
  std::vector<Edit> edits;
  if ((n + 1) * (m + 1) > kMostCells) {
    for (std::size_t i = 0; i < n; ++i)
      edits.push_back({Op::Remove, i, 0});
    for (std::size_t j = 0; j < m; ++j)
      edits.push_back({Op::Add, n, j});
    return edits;
  }
  // common[i][j]: the longest common subsequence of a[i..] and b[j..].
  std::vector<std::uint32_t> common((n + 1) * (m + 1), 0);
  const auto at = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
  for (std::size_t i = n; i-- > 0;)
    for (std::size_t j = m; j-- > 0;)
      common[at(i, j)] = a[i] == b[j] ? common[at(i + 1, j + 1)] + 1
                                      : std::max(common[at(i + 1, j)], common[at(i, j + 1)]);
  std::size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      edits.push_back({Op::Keep, i++, j++});
    } else if (j < m && (i == n || common[at(i, j + 1)] >= common[at(i + 1, j)])) {
      edits.push_back({Op::Add, i, j++});
    } else {
      edits.push_back({Op::Remove, i++, j});
    }
  }
  // Within a run of changes, removals come before additions, as diff -u
  // writes them.
  for (std::size_t k = 0; k < edits.size();) {
    if (edits[k].op == Op::Keep) {
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < edits.size() && edits[end].op != Op::Keep)
      ++end;
    std::stable_partition(edits.begin() + static_cast<long>(k),
                          edits.begin() + static_cast<long>(end),
                          [](const Edit &e) { return e.op == Op::Remove; });
    k = end;
  }
  return edits;
}

// "-l,s" or "+l,s" as diff -u writes a range: ",1" is left out, and an
// empty range starts at the line before it.
std::string Range(char sign, std::size_t first, std::size_t count) {
  std::string text(1, sign);
  text += std::to_string(count == 0 ? first : first + 1);
  if (count != 1)
    text += std::string(",") + std::to_string(count);
  return text;
}

void AppendLine(std::string &out, char mark, std::string_view line) {
  out += mark;
  out += line;
  if (line.empty() || line.back() != '\n')
    out += "\n\\ No newline at end of file\n";
}

} // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string &name,
                        int context) {
  if (before == after)
    return {};
  const auto a = Lines(before);
  const auto b = Lines(after);
  const std::vector<Edit> edits = EditScript(a, b);
  const std::size_t ctx = static_cast<std::size_t>(std::max(context, 0));

  std::string out = std::string("--- a/") + name + "\n+++ b/" + name + "\n";
  std::size_t k = 0;
  while (k < edits.size()) {
    // The next change, and the hunk around it with its context.
    while (k < edits.size() && edits[k].op == Op::Keep)
      ++k;
    if (k == edits.size())
      break;
    std::size_t start = k >= ctx ? k - ctx : 0;
    while (start < k && edits[start].op != Op::Keep)
      ++start;
    std::size_t end = k;
    for (;;) {
      while (end < edits.size() && edits[end].op != Op::Keep)
        ++end;
      std::size_t keeps = 0;
      while (end + keeps < edits.size() && edits[end + keeps].op == Op::Keep)
        ++keeps;
      // Changes closer than twice the context share one hunk.
      if (end + keeps < edits.size() && keeps <= 2 * ctx) {
        end += keeps;
        continue;
      }
      end += std::min(keeps, ctx);
      break;
    }
    // Removals were moved ahead of additions, so the hunk starts at the
    // smallest line index on each side, not at its first edit.
    std::size_t removed = 0, added = 0;
    std::size_t firstA = edits[start].a, firstB = edits[start].b;
    for (std::size_t e = start; e < end; ++e) {
      removed += edits[e].op != Op::Add;
      added += edits[e].op != Op::Remove;
      firstA = std::min(firstA, edits[e].a);
      firstB = std::min(firstB, edits[e].b);
    }
    out += std::string("@@ ") + Range('-', firstA, removed) + " " + Range('+', firstB, added) +
           " @@\n";
    for (std::size_t e = start; e < end; ++e) {
      switch (edits[e].op) {
      case Op::Keep:
        AppendLine(out, ' ', a[edits[e].a]);
        break;
      case Op::Remove:
        AppendLine(out, '-', a[edits[e].a]);
        break;
      case Op::Add:
        AppendLine(out, '+', b[edits[e].b]);
        break;
      }
    }
    k = end;
  }
  return out;
}

} // namespace torvio
