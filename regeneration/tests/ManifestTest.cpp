// The generation manifest: sha256sum lines for the files TORVIO writes and
// nothing else; anything odd makes it count as no manifest.
#include "Manifest.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

using torvio::Manifest;
using torvio::ParseManifest;

const std::string kSum(64, 'a');

TEST(Manifest, TextIsSha256sumLinesInGenerationOrder) {
  Manifest m;
  m.sums["BuildLog.xml"] = std::string(64, 'b');
  m.sums["MC_Control_Param.h"] = kSum;
  EXPECT_EQ(torvio::ManifestText(m),
            kSum + "  MC_Control_Param.h\n" + std::string(64, 'b') + "  BuildLog.xml\n");
  std::string reason;
  const auto back = ParseManifest(torvio::ManifestText(m), reason);
  ASSERT_TRUE(back) << reason;
  EXPECT_EQ(back->sums, m.sums);
}

TEST(Manifest, AnythingOddIsNoManifest) {
  const std::pair<std::string, std::string> cases[] = {
      {kSum + "  ../something\n", "it names a file TORVIO does not write (../something)"},
      {kSum + "  notes.txt\n", "it names a file TORVIO does not write (notes.txt)"},
      {kSum + " MC_Hall_prm.h\n", "a line is not \"<SHA-256>  <name>\""},
      {std::string(64, 'G') + "  MC_Hall_prm.h\n", "a line is not \"<SHA-256>  <name>\""},
      {kSum + "  MC_Hall_prm.h", "its last line has no line end"},
      {kSum + "  MC_Hall_prm.h\n" + kSum + "  MC_Hall_prm.h\n", "it names MC_Hall_prm.h twice"},
  };
  for (const auto &[text, why] : cases) {
    std::string reason;
    EXPECT_FALSE(ParseManifest(text, reason)) << text;
    EXPECT_EQ(reason, why);
  }
}

TEST(Manifest, ReadingSaysWhyItIsNotUsed) {
  testsupport::ScratchFolder folder;
  std::string warning;
  EXPECT_FALSE(torvio::ReadManifest(folder.Prefix(), warning));
  EXPECT_EQ(warning, ""); // none at all: nothing to say
  testsupport::WriteBytes(folder.Path() / torvio::kManifestName, "garbage\n");
  EXPECT_FALSE(torvio::ReadManifest(folder.Prefix(), warning));
  EXPECT_EQ(warning, ".torvio-generated.sha256 is not used: a line is not \"<SHA-256>  <name>\"");
}

} // namespace
