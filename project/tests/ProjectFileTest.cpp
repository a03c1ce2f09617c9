#include "ProjectFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using torvio::DecodeProject;
using torvio::EncodeProject;
using torvio::ProjectContents;
using torvio::ProjectReadStatus;
using Bytes = std::vector<std::uint8_t>;

// A record whose every byte differs from its neighbours, padding included.
UserData PatternRecord(std::uint8_t seed) {
  UserData d;
  auto *raw = reinterpret_cast<std::uint8_t *>(&d);
  for (std::size_t i = 0; i < sizeof d; ++i)
    raw[i] = static_cast<std::uint8_t>(seed + i * 7);
  return d;
}

void Append(Bytes &b, std::initializer_list<int> values) {
  for (int v : values)
    b.push_back(static_cast<std::uint8_t>(v));
}

void AppendText(Bytes &b, const std::string &s) {
  b.insert(b.end(), s.begin(), s.end());
}

void AppendRecord(Bytes &b, const UserData &d) {
  const auto *raw = reinterpret_cast<const std::uint8_t *>(&d);
  b.insert(b.end(), raw, raw + sizeof d);
}

void AppendUtf16(Bytes &b, const std::u16string &s) {
  for (char16_t c : s)
    Append(b, {c & 0xFF, c >> 8});
}

ProjectReadStatus Decode(const Bytes &b, ProjectContents &out) {
  return DecodeProject(b.data(), b.size(), out);
}

TEST(ProjectFileEncode, StartsWithShortMagicThenRecordThenFolder) {
  const UserData d = PatternRecord(3);
  const Bytes b = EncodeProject(d, "/tmp/out/");
  ASSERT_EQ(b.size(), 1u + 12 + 1992 + 1 + 9);
  EXPECT_EQ(b[0], 0x0C);
  EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 13), "TORVIOFILEV2");
  EXPECT_EQ(std::memcmp(b.data() + 13, &d, 1992), 0);
  EXPECT_EQ(b[13 + 1992], 9);
  EXPECT_EQ(std::string(b.begin() + 13 + 1993, b.end()), "/tmp/out/");
}

TEST(ProjectFileEncode, EmptyFolderIsOneZeroByte) {
  const Bytes b = EncodeProject(PatternRecord(1), "");
  ASSERT_EQ(b.size(), 1u + 12 + 1992 + 1);
  EXPECT_EQ(b.back(), 0x00);
}

struct PrefixCase {
  std::size_t length;
  Bytes prefix;
};

class ProjectFilePrefix : public testing::TestWithParam<PrefixCase> {};

TEST_P(ProjectFilePrefix, FolderLengthPrefixAndRoundTrip) {
  const auto &c = GetParam();
  const std::string folder(c.length, 'a');
  const UserData d = PatternRecord(9);
  const Bytes b = EncodeProject(d, folder);
  const std::size_t at = 13 + 1992;
  ASSERT_EQ(b.size(), at + c.prefix.size() + c.length);
  EXPECT_EQ(Bytes(b.begin() + at, b.begin() + at + c.prefix.size()), c.prefix);

  ProjectContents read;
  ASSERT_EQ(Decode(b, read), ProjectReadStatus::Ok);
  EXPECT_EQ(read.version, 2);
  EXPECT_EQ(read.outputDir, folder);
  EXPECT_EQ(std::memcmp(&read.data, &d, sizeof d), 0);
  EXPECT_EQ(EncodeProject(read.data, read.outputDir), b);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, ProjectFilePrefix,
    testing::Values(PrefixCase{0, {0x00}}, PrefixCase{254, {0xFE}},
                    PrefixCase{255, {0xFF, 0xFF, 0x00}}, PrefixCase{300, {0xFF, 0x2C, 0x01}},
                    PrefixCase{0xFFFD, {0xFF, 0xFD, 0xFF}},
                    PrefixCase{0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                    PrefixCase{70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}));

// Every length form the reader accepts, for the magic and for the folder.
enum class Form { Byte, Word, Dword, WideByte, WideWord, WideDword };

void AppendString(Bytes &b, const std::string &s, Form form) {
  const auto n = static_cast<int>(s.size());
  const bool wide = form >= Form::WideByte;
  if (wide)
    Append(b, {0xFF, 0xFE, 0xFF});
  switch (form) {
  case Form::Byte:
  case Form::WideByte:
    Append(b, {n});
    break;
  case Form::Word:
  case Form::WideWord:
    Append(b, {0xFF, n & 0xFF, n >> 8});
    break;
  case Form::Dword:
  case Form::WideDword:
    Append(b, {0xFF, 0xFF, 0xFF, n & 0xFF, (n >> 8) & 0xFF, 0, 0});
    break;
  }
  if (wide) {
    for (char c : s)
      Append(b, {static_cast<unsigned char>(c), 0});
  } else {
    AppendText(b, s);
  }
}

class ProjectFileForms : public testing::TestWithParam<std::tuple<Form, Form>> {};

TEST_P(ProjectFileForms, EveryPrefixFormReads) {
  const auto [magicForm, folderForm] = GetParam();
  const UserData d = PatternRecord(21);
  Bytes b;
  AppendString(b, "TORVIOFILEV2", magicForm);
  AppendRecord(b, d);
  AppendString(b, "/home/user/out/", folderForm);
  ProjectContents read;
  ASSERT_EQ(Decode(b, read), ProjectReadStatus::Ok);
  EXPECT_EQ(read.version, 2);
  EXPECT_EQ(read.outputDir, "/home/user/out/");
  EXPECT_EQ(std::memcmp(&read.data, &d, sizeof d), 0);
}

const auto kForms = testing::Values(Form::Byte, Form::Word, Form::Dword, Form::WideByte,
                                    Form::WideWord, Form::WideDword);
INSTANTIATE_TEST_SUITE_P(All, ProjectFileForms, testing::Combine(kForms, kForms));

TEST(ProjectFileDecode, WideFolderBecomesUtf8) {
  Bytes b;
  AppendString(b, "TORVIOFILEV2", Form::Byte);
  AppendRecord(b, PatternRecord(0));
  // "/é€𝄞/" then an unpaired high and an unpaired low surrogate.
  const std::u16string folder = u"/\u00E9\u20AC\U0001D11E/\xD800x\xDC00";
  Append(b, {0xFF, 0xFE, 0xFF, static_cast<int>(folder.size())});
  AppendUtf16(b, folder);
  ProjectContents read;
  ASSERT_EQ(Decode(b, read), ProjectReadStatus::Ok);
  EXPECT_EQ(read.outputDir, "/\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E/?x?");
}

TEST(ProjectFileDecode, WideStringWithNegativeLengthIsInvalid) {
  Bytes b;
  AppendString(b, "TORVIOFILEV2", Form::Byte);
  AppendRecord(b, PatternRecord(0));
  Append(b, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80});
  ProjectContents read;
  read.outputDir = "kept";
  EXPECT_EQ(Decode(b, read), ProjectReadStatus::InvalidArgument);
  EXPECT_EQ(read.outputDir, "kept");
}

TEST(ProjectFileDecode, AnnouncedLengthBeyondDataIsEndOfFile) {
  for (const Bytes &tail :
       {Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
        Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, Bytes{0x20, 'x'}}) {
    Bytes b;
    AppendString(b, "TORVIOFILEV2", Form::Byte);
    AppendRecord(b, PatternRecord(0));
    b.insert(b.end(), tail.begin(), tail.end());
    ProjectContents read;
    EXPECT_EQ(Decode(b, read), ProjectReadStatus::EndOfFile);
  }
}

TEST(ProjectFileDecode, VersionOneHasNoFolder) {
  const UserData d = PatternRecord(77);
  Bytes b;
  AppendString(b, "TORVIOFILEV1", Form::Byte);
  AppendRecord(b, d);
  ProjectContents read;
  read.outputDir = "/previous/";
  ASSERT_EQ(Decode(b, read), ProjectReadStatus::Ok);
  EXPECT_EQ(read.version, 1);
  EXPECT_EQ(read.outputDir, "");
  EXPECT_EQ(std::memcmp(&read.data, &d, sizeof d), 0);
}

class ProjectFileMagic : public testing::TestWithParam<const char *> {};

TEST_P(ProjectFileMagic, UnknownMagicLeavesRecordAlone) {
  Bytes b;
  AppendString(b, GetParam(), Form::Byte);
  AppendRecord(b, PatternRecord(5));
  Append(b, {0});
  ProjectContents read;
  read.data = PatternRecord(200);
  read.outputDir = "/kept/";
  EXPECT_EQ(Decode(b, read), ProjectReadStatus::UnknownFormat);
  const UserData expected = PatternRecord(200);
  EXPECT_EQ(std::memcmp(&read.data, &expected, sizeof expected), 0);
  EXPECT_EQ(read.outputDir, "/kept/");
}

INSTANTIATE_TEST_SUITE_P(Magics, ProjectFileMagic,
                         testing::Values("TORVIOFILEV3", "torviofilev2", "TORVIOFILEv2",
                                         "TORVIOFILEV", "TORVIOFILEV22", "", "TORVIOFILEV1 "));

TEST(ProjectFileDecode, EveryTruncationFailsWithoutTouchingTheCaller) {
  const Bytes full = EncodeProject(PatternRecord(13), std::string(300, 'z'));
  const UserData before = PatternRecord(99);
  for (std::size_t n = 0; n < full.size(); ++n) {
    ProjectContents read;
    read.data = before;
    read.outputDir = "/kept/";
    const auto status = DecodeProject(full.data(), n, read);
    ASSERT_EQ(status, ProjectReadStatus::EndOfFile) << "length " << n;
    ASSERT_EQ(std::memcmp(&read.data, &before, sizeof before), 0) << "length " << n;
    ASSERT_EQ(read.outputDir, "/kept/") << "length " << n;
  }
  ProjectContents read;
  EXPECT_EQ(DecodeProject(full.data(), full.size(), read), ProjectReadStatus::Ok);
}

TEST(ProjectFileDecode, ShortVersionOneRecordIsRejected) {
  Bytes b;
  AppendString(b, "TORVIOFILEV1", Form::Byte);
  AppendRecord(b, PatternRecord(1));
  for (std::size_t cut = 1; cut <= 1992; cut += 97) {
    ProjectContents read;
    EXPECT_EQ(DecodeProject(b.data(), b.size() - cut, read), ProjectReadStatus::EndOfFile);
  }
}

TEST(ProjectFileDecode, NullDataIsEndOfFile) {
  ProjectContents read;
  EXPECT_EQ(DecodeProject(nullptr, 0, read), ProjectReadStatus::EndOfFile);
}

TEST(ProjectFileText, EveryStatusHasText) {
  EXPECT_STREQ(torvio::ProjectReadStatusText(ProjectReadStatus::UnknownFormat),
               "Error reading the selected file (unknown file format).");
  EXPECT_NE(std::string(torvio::ProjectReadStatusText(ProjectReadStatus::EndOfFile)), "");
  EXPECT_NE(std::string(torvio::ProjectReadStatusText(ProjectReadStatus::InvalidArgument)), "");
}

} // namespace

namespace {

TEST(ProjectFileDecode, FileLargerThanAnyProjectIsRefusedAfterItsMagic) {
  // A valid file whose folder string would take 2 MiB.
  const Bytes valid = EncodeProject(PatternRecord(3), std::string(2 * 1024 * 1024, 'f'));
  ProjectContents read;
  read.outputDir = "kept";
  EXPECT_EQ(Decode(valid, read), ProjectReadStatus::TooLarge);
  EXPECT_EQ(read.outputDir, "kept");
  EXPECT_NE(std::string(torvio::ProjectReadStatusText(ProjectReadStatus::TooLarge)), "");
  // Exactly at the limit is still read.
  Bytes atLimit = valid;
  atLimit.resize(torvio::kMaxProjectFileSize);
  EXPECT_EQ(Decode(atLimit, read), ProjectReadStatus::EndOfFile);
  // Anything large without the magic stays an unknown format.
  const Bytes zeros(torvio::kMaxProjectFileSize + 1, 0);
  EXPECT_EQ(Decode(zeros, read), ProjectReadStatus::UnknownFormat);
}

} // namespace
