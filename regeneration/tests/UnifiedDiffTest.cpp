// Unified diffs of small texts, the expected text written as diff -u
// writes it.
#include "UnifiedDiff.h"

#include <gtest/gtest.h>

namespace {

using torvio::UnifiedDiff;

struct Case {
  const char *label;
  std::string before;
  std::string after;
  std::string diff; // after the "---"/"+++" lines
};

std::string Numbered(int from, int to, int changed1, int changed2) {
  std::string text;
  for (int i = from; i <= to; ++i) {
    text += i == changed1 || i == changed2 ? 'X' : 'L';
    text += std::to_string(i);
    text += '\n';
  }
  return text;
}

TEST(UnifiedDiff, SmallTexts) {
  const Case cases[] = {
      {"OneLineChanged", "a\nb\nc\n", "a\nB\nc\n", "@@ -1,3 +1,3 @@\n a\n-b\n+B\n c\n"},
      {"LineAddedAtTheEnd", "a\n", "a\nb\n", "@@ -1 +1,2 @@\n a\n+b\n"},
      {"FromNothing", "", "x\n", "@@ -0,0 +1 @@\n+x\n"},
      {"ToNothing", "x\ny\n", "", "@@ -1,2 +0,0 @@\n-x\n-y\n"},
      {"NoLineEnd", "a", "b",
       "@@ -1 +1 @@\n-a\n\\ No newline at end of file\n+b\n\\ No newline at end of file\n"},
      // Changes at lines 2 and 18 of 20: nine unchanged lines between them
      // are more than twice the context, so two hunks.
      {"TwoHunks", Numbered(1, 20, 0, 0), Numbered(1, 20, 2, 18),
       "@@ -1,5 +1,5 @@\n L1\n-L2\n+X2\n L3\n L4\n L5\n"
       "@@ -15,6 +15,6 @@\n L15\n L16\n L17\n-L18\n+X18\n L19\n L20\n"},
      // Lines 2 and 8: five unchanged lines between, one hunk.
      {"CloseChangesShareAHunk", Numbered(1, 10, 0, 0), Numbered(1, 10, 2, 8),
       "@@ -1,10 +1,10 @@\n L1\n-L2\n+X2\n L3\n L4\n L5\n L6\n L7\n-L8\n+X8\n L9\n L10\n"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(UnifiedDiff(c.before, c.after, "f.h"), std::string("--- a/f.h\n+++ b/f.h\n") + c.diff)
        << c.label;
  EXPECT_EQ(UnifiedDiff("same\n", "same\n", "f.h"), "");
}

} // namespace
