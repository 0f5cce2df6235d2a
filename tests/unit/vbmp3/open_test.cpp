// Which files the library opens, what it reports about them, and the error
// numbers of those it refuses.

#include <sys/stat.h>

#include <array>
#include <cstring>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "tests/unit/vbmp3/audio_files.h"
#include "vbmp3/vbmp3.h"

namespace tarvex::vbmp3::test {
namespace {
namespace fs = std::filesystem;

std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFFU);
  return bytes;
}

bool IsAllZero(const VBMP3_OPEN_INFO& info) {
  const std::array<unsigned char, sizeof info> zero{};
  return std::memcmp(&info, zero.data(), sizeof info) == 0;
}

class OpenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir();
    tone_ = new fs::path(MakeToneMp3(*dir_, "tone.mp3", Tone{}));
  }
  static void TearDownTestSuite() {
    delete tone_;
    delete dir_;
  }
  void SetUp() override { vbmp3_init(); }
  void TearDown() override { vbmp3_stop(); }

  static fs::path WithBytes(const std::string& name, std::string_view bytes) {
    fs::path file = dir_->path() / name;
    WriteBytes(file, bytes);
    return file;
  }

  // Opens `file` into a record that starts out as garbage.
  static int32_t Open(const fs::path& file, VBMP3_OPEN_INFO& info) {
    std::memset(&info, 0xAB, sizeof info);
    return vbmp3_open(file.c_str(), &info);
  }

  static TempDir* dir_;
  static fs::path* tone_;
};
TempDir* OpenTest::dir_ = nullptr;
fs::path* OpenTest::tone_ = nullptr;

struct RefusedFile {
  const char* name;
  std::function<fs::path(const TempDir&, const fs::path& tone)> make;
  int32_t error;
};

class RefusedFileTest : public OpenTest, public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedFileTest, OpenFailsWithItsErrorNumberAndAZeroRecord) {
  const fs::path file = GetParam().make(*dir_, *tone_);
  VBMP3_OPEN_INFO info;
  EXPECT_EQ(Open(file, info), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), GetParam().error);
  EXPECT_TRUE(IsAllZero(info));
}

fs::path Write(const TempDir& dir, const char* name, std::string_view bytes) {
  WriteBytes(dir.path() / name, bytes);
  return dir.path() / name;
}

const RefusedFile kRefusedFiles[] = {
    {"EmptyFile", [](const TempDir& d, const fs::path&) { return Write(d, "empty.mp3", ""); },
     VBMP3_ERR_NOT_MP3},
    {"RandomBytes",
     [](const TempDir& d, const fs::path&) {
       return Write(d, "random.mp3", RandomBytes(std::size_t{64} * 1024, 1));
     },
     VBMP3_ERR_NOT_MP3},
    // Seed 1217 holds a run of frame-like headers with junk between them.
    {"RandomBytesWithFrameLikeHeaders",
     [](const TempDir& d, const fs::path&) {
       return Write(d, "headers.mp3", RandomBytes(std::size_t{64} * 1024, 1217));
     },
     VBMP3_ERR_NOT_MP3},
    {"TruncatedToHundredBytes",
     [](const TempDir& d, const fs::path& tone) {
       return Write(d, "cut.mp3", ReadBytes(tone).substr(0, 100));
     },
     VBMP3_ERR_NOT_MP3},
    {"Id3v2TagWithoutAudio",
     [](const TempDir& d, const fs::path&) {
       return Write(d, "tag.mp3", Id3v2Tag({{"TIT2", Latin1Text("Only a tag")}}, 512));
     },
     VBMP3_ERR_NOT_MP3},
    {"Id3v1TagWithoutAudio",
     [](const TempDir& d, const fs::path&) {
       return Write(d, "v1.mp3", Id3v1Tag("Only a tag", "Nobody"));
     },
     VBMP3_ERR_NOT_MP3},
    {"WavRenamed",
     [](const TempDir& d, const fs::path& tone) {
       fs::path wav = tone;
       return Write(d, "wave.mp3", ReadBytes(wav.replace_extension(".wav")));
     },
     VBMP3_ERR_NOT_MP3},
    {"JunkBeforeTheAudio",
     [](const TempDir& d, const fs::path& tone) {
       return Write(d, "junk.mp3", RandomBytes(std::size_t{60} * 1024, 2) + ReadBytes(tone));
     },
     VBMP3_ERR_NOT_MP3},
    {"Directory",
     [](const TempDir& d, const fs::path&) {
       fs::create_directory(d.path() / "folder.mp3");
       return d.path() / "folder.mp3";
     },
     VBMP3_ERR_NOT_A_FILE},
    {"NamedPipeWithoutWriter",
     [](const TempDir& d, const fs::path&) {
       mkfifo((d.path() / "pipe.mp3").c_str(), 0600);
       return d.path() / "pipe.mp3";
     },
     VBMP3_ERR_NOT_A_FILE},
    {"MissingFile", [](const TempDir& d, const fs::path&) { return d.path() / "absent.mp3"; },
     VBMP3_ERR_FILE_NOT_FOUND},
    {"DeletedAfterTheExistenceCheck",
     [](const TempDir& d, const fs::path& tone) {
       fs::path file = Write(d, "gone.mp3", ReadBytes(tone));
       if (fs::is_regular_file(file)) fs::remove(file);
       return file;
     },
     VBMP3_ERR_FILE_NOT_FOUND},
    {"PathThroughAFile", [](const TempDir&, const fs::path& tone) { return tone / "inner.mp3"; },
     VBMP3_ERR_FILE_NOT_FOUND},
};

INSTANTIATE_TEST_SUITE_P(Malformed, RefusedFileTest, ::testing::ValuesIn(kRefusedFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenTest, BadArgumentsAreRefusedWithTheirNumber) {
  VBMP3_OPEN_INFO info{};
  EXPECT_EQ(vbmp3_open(nullptr, &info), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_ARGUMENT);
  vbmp3_init();
  EXPECT_EQ(vbmp3_open(tone_->c_str(), nullptr), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_ARGUMENT);
  vbmp3_init();
  EXPECT_EQ(vbmp3_open("", &info), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_ARGUMENT);
}

TEST_F(OpenTest, AFailedOpenClosesTheFileOpenedBefore) {
  VBMP3_OPEN_INFO info;
  ASSERT_NE(Open(*tone_, info), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NONE);
  ASSERT_EQ(Open(dir_->path() / "absent.mp3", info), 0);
  EXPECT_EQ(vbmp3_play(), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_FILE_OPEN);
}

struct GoodFile {
  const char* name;
  Tone tone;
  int lengthToleranceMs;
};

class GoodFileTest : public OpenTest, public ::testing::WithParamInterface<GoodFile> {};

TEST_P(GoodFileTest, OpensAndReportsTheStream) {
  const Tone& tone = GetParam().tone;
  const fs::path file = MakeToneMp3(*dir_, std::string(GetParam().name) + ".mp3", tone);
  VBMP3_OPEN_INFO info;
  ASSERT_NE(Open(file, info), 0) << vbmp3_getLastErrorNo();
  EXPECT_EQ(info.sampleRate, tone.sampleRate);
  EXPECT_EQ(info.channels, tone.channels);
  EXPECT_EQ(info.bitRate, tone.bitRateKbps);
  EXPECT_NEAR(info.playTimeMs, tone.seconds * 1000, GetParam().lengthToleranceMs);
  EXPECT_EQ(info.title[0], '\0');
  EXPECT_EQ(info.artist[0], '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Tones, GoodFileTest,
    ::testing::Values(GoodFile{"Stereo44k", Tone{440, 2.0, 44100, 2, 128, true}, 30},
                      GoodFile{"Mono22k", Tone{1000, 1.0, 22050, 1, 64, true}, 30},
                      GoodFile{"Stereo48kWithoutInfoFrame", Tone{440, 1.5, 48000, 2, 192, false},
                               100},
                      GoodFile{"ShorterThanTheProbe", Tone{440, 0.1, 44100, 2, 128, true}, 30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenTest, AHugeTagBeforeTheAudioOpens) {
  const std::string tag = Id3v2Tag({{"TIT2", Latin1Text("Big")}}, std::size_t{1024} * 1024);
  VBMP3_OPEN_INFO info;
  ASSERT_NE(Open(WithBytes("huge-tag.mp3", tag + ReadBytes(*tone_)), info), 0)
      << vbmp3_getLastErrorNo();
  EXPECT_STREQ(info.title, "Big");
  EXPECT_EQ(info.sampleRate, 44100);
  EXPECT_NEAR(info.playTimeMs, 2000, 30);
}

struct TaggedFile {
  const char* name;
  std::vector<TagFrame> v2;
  std::string v1;  // appended at the end; empty for none
  std::string title;
  std::string artist;
};

class TagTextTest : public OpenTest, public ::testing::WithParamInterface<TaggedFile> {};

TEST_P(TagTextTest, TagsArriveInTheAnsiCodePageOrNotAtAll) {
  const TaggedFile& tagged = GetParam();
  const std::string v2 = tagged.v2.empty() ? std::string() : Id3v2Tag(tagged.v2);
  const fs::path file = WithBytes("tagged.mp3", v2 + ReadBytes(*tone_) + tagged.v1);
  VBMP3_OPEN_INFO info;
  ASSERT_NE(Open(file, info), 0) << vbmp3_getLastErrorNo();
  EXPECT_EQ(std::string(info.title), tagged.title);
  EXPECT_EQ(std::string(info.artist), tagged.artist);
  EXPECT_EQ(info.title[sizeof info.title - 1], '\0');
}

const std::string kJapaneseTitle = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x8b\xc8";  // 日本語の曲
const std::string kYamada = "\x8e\x52\x93\x63";                                 // 山田

INSTANTIATE_TEST_SUITE_P(
    Id3, TagTextTest,
    ::testing::Values(
        TaggedFile{"Utf16JapaneseTitle",
                   {{"TIT2", Utf16Text(u"日本語の曲")}, {"TPE1", Latin1Text("Band")}},
                   "",
                   kJapaneseTitle,
                   "Band"},
        TaggedFile{"TitleTheCodePageCannotHold",
                   {{"TIT2", Utf16Text(u"한국어")}, {"TPE1", Utf16Text(u"山田")}},
                   "",
                   "",
                   kYamada},
        TaggedFile{"LookAlikesAreNotHeld",
                   {{"TIT2", Utf16Text(u"¥100")}, {"TPE1", Utf16Text(u"山田\u301C")}},
                   "",
                   "",
                   ""},
        TaggedFile{"ShiftJisVersionOneTag",
                   {},
                   Id3v1Tag(kJapaneseTitle, kYamada),
                   kJapaneseTitle,
                   kYamada},
        TaggedFile{"VersionOneBytesThatAreNotShiftJis", {}, Id3v1Tag("\x81\x20\x81", "A"), "", "A"},
        TaggedFile{"VersionTwoBeforeVersionOne",
                   {{"TIT2", Latin1Text("New")}},
                   Id3v1Tag("Old", "Old artist"),
                   "New",
                   "Old artist"},
        TaggedFile{"LongTitleCutBetweenCharacters",
                   {{"TIT2", Utf16Text(std::u16string(100, u'あ'))}},
                   "",
                   [] {
                     std::string cut;
                     for (int i = 0; i < 63; ++i) cut += "\x82\xa0";
                     return cut;
                   }(),
                   ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvex::vbmp3::test
