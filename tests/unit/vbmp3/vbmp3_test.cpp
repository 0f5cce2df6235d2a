// The playback library through its exported functions: which files it
// refuses and their error numbers, opening good files, and playback on its
// own thread, heard through the WAV file sink.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <thread>

#include "tests/support/case_name.h"
#include "tests/unit/vbmp3/audio_files.h"
#include "vbmp3/vbmp3.h"

namespace tarvex::vbmp3::test {
namespace {

class OpenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testing::TempDir();
    tone_ = MakeToneMp3(*dir_, "tone.mp3", Tone{});
  }
  static void TearDownTestSuite() { delete dir_; }
  void SetUp() override { vbmp3_init(); }
  void TearDown() override { vbmp3_stop(); }

  // Opens `path` into a record that starts out as garbage.
  static int32_t Open(const std::string& path, VBMP3_OPEN_INFO& info) {
    std::memset(&info, 0xAB, sizeof info);
    return vbmp3_open(path.c_str(), &info);
  }

  static inline testing::TempDir* dir_ = nullptr;
  static inline std::string tone_;
};

std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFFU);
  return bytes;
}

using Dir = const testing::TempDir&;
struct NotMp3 {
  const char* name;
  std::string (*bytes)(Dir dir);  // beside tone.mp3
};
TARVEX_PRINT_CASE_AS_NAME(NotMp3)

// Seed 1217 holds a run of frame-like headers with junk between them.
const NotMp3 kNotMp3[] = {
    {"EmptyFile", [](Dir) { return std::string(); }},
    {"RandomBytesWithFrameLikeHeaders", [](Dir) { return RandomBytes(65536, 1217); }},
    {"TruncatedToHundredBytes", [](Dir d) { return d.Read("tone.mp3").substr(0, 100); }},
    {"TagWithoutAudio", [](Dir) { return Id3v2Title(u"Only", 512); }},
    {"WavRenamed", [](Dir d) { return d.Read("tone.mp3.wav"); }},
    {"JunkBeforeTheAudio", [](Dir d) { return RandomBytes(61440, 2) + d.Read("tone.mp3"); }},
};

void ExpectRefused(int32_t opened, const VBMP3_OPEN_INFO& info, int32_t error) {
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), error);
  const VBMP3_OPEN_INFO zero{};
  EXPECT_EQ(std::memcmp(&info, &zero, sizeof info), 0) << "the record is zeroed";
}

class NotMp3Test : public OpenTest, public ::testing::WithParamInterface<NotMp3> {};

TEST_P(NotMp3Test, OpenFailsWithItsErrorNumberAndAZeroRecord) {
  VBMP3_OPEN_INFO info;
  const std::string file = std::string(GetParam().name) + ".mp3";
  ExpectRefused(Open(dir_->Write(file, GetParam().bytes(*dir_)), info), info, VBMP3_ERR_NOT_MP3);
}
INSTANTIATE_TEST_SUITE_P(Files, NotMp3Test, ::testing::ValuesIn(kNotMp3),
                         tarvex::testing::CaseName());

TEST_F(OpenTest, PathsToNoFileAreRefusedWithTheirNumber) {
  ::mkfifo(dir_->File("pipe.mp3").c_str(), 0600);  // no writer: opening it would block
  for (const auto& [name, error] : {std::pair{".", VBMP3_ERR_NOT_A_FILE},
                                    {"pipe.mp3", VBMP3_ERR_NOT_A_FILE},
                                    {"absent.mp3", VBMP3_ERR_FILE_NOT_FOUND},
                                    {"tone.mp3/inner.mp3", VBMP3_ERR_FILE_NOT_FOUND}}) {
    VBMP3_OPEN_INFO info;
    ExpectRefused(Open(dir_->File(name), info), info, error);
  }
}

TEST_F(OpenTest, AFailedOpenClosesTheFileOpenedBefore) {
  VBMP3_OPEN_INFO info;
  ASSERT_NE(Open(tone_, info), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NONE);
  ASSERT_EQ(Open(dir_->File("absent.mp3"), info), 0);
  EXPECT_EQ(vbmp3_play(), 0);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_NO_FILE_OPEN);
}

constexpr int32_t kGenerousMs = 10000;

int32_t State() {
  int32_t state = -1;
  EXPECT_EQ(vbmp3_getState(&state), 1);
  return state;
}

class PlaybackTest : public ::testing::Test {
 protected:
  void SetUp() override { vbmp3_init(); }
  void TearDown() override {
    vbmp3_stop();
    vbmp3x_setWavOutput(nullptr, 0);
  }

  VBMP3_OPEN_INFO Open(const std::string& file) {
    VBMP3_OPEN_INFO info{};
    EXPECT_NE(vbmp3_open(file.c_str(), &info), 0) << vbmp3_getLastErrorNo();
    return info;
  }
  // Plays the opened file into the sink `wav`, as fast as it decodes, to the end.
  int32_t PlayToEnd(const char* wav = "out.wav") {
    vbmp3x_setWavOutput(dir_.File(wav).c_str(), 0);
    EXPECT_EQ(vbmp3_play(), 1);
    EXPECT_EQ(vbmp3x_waitUntilDone(kGenerousMs), 1);
    return State();
  }

  testing::TempDir dir_;
};

struct ToneCase {
  const char* name;
  Tone tone;
  int lengthToleranceMs;  // of the length the open reports
  std::size_t tagPadding;
};
TARVEX_PRINT_CASE_AS_NAME(ToneCase)

class ToneTest : public PlaybackTest, public ::testing::WithParamInterface<ToneCase> {};

// Behind a tag whose long UTF-16 title arrives in CP932, cut between characters.
TEST_P(ToneTest, OpensAndPlaysTheToneAtItsPitchAndLengthAndAgainFromTheStart) {
  const Tone& tone = GetParam().tone;
  const std::string tag = Id3v2Title(std::u16string(100, u'あ'), GetParam().tagPadding);
  MakeToneMp3(dir_, "tone.mp3", tone);
  const VBMP3_OPEN_INFO info = Open(dir_.Write("tagged.mp3", tag + dir_.Read("tone.mp3")));
  EXPECT_EQ(info.sampleRate, tone.sampleRate);
  EXPECT_EQ(info.channels, tone.channels);
  if (tone.bitRateKbps != 0) {
    EXPECT_EQ(info.bitRate, tone.bitRateKbps);
  }
  EXPECT_NEAR(info.playTimeMs, tone.seconds * 1000, GetParam().lengthToleranceMs);
  std::string cut;
  for (int i = 0; i < 63; ++i) cut += "\x82\xa0";
  EXPECT_EQ(std::string(info.title), cut);
  EXPECT_EQ(info.artist[0], '\0');
  ASSERT_EQ(PlayToEnd(), VBMP3_STATE_FINISHED);
  const Wav wav = ReadWav(dir_, "out.wav");
  EXPECT_EQ(wav.sampleRate, tone.sampleRate);
  EXPECT_EQ(wav.channels, tone.channels);
  // Without the info frame the encoder's delay and padding stay in.
  EXPECT_NEAR(wav.Seconds(), tone.seconds, tone.infoFrame ? 0.01 : 0.06);
  EXPECT_NEAR(PitchHz(wav), tone.frequencyHz, tone.frequencyHz * 0.005);
  EXPECT_EQ(vbmp3x_getFramesWritten(), static_cast<int64_t>(wav.Frames()));
  ASSERT_EQ(PlayToEnd(), VBMP3_STATE_FINISHED);
  const Wav again = ReadWav(dir_, "out.wav");
  ASSERT_EQ(again.samples.size(), wav.samples.size());
  // MPEG-2 files come out up to one step apart after the seek back; the start is the same.
  EXPECT_TRUE(std::equal(wav.samples.begin(), wav.samples.begin() + 4096, again.samples.begin()));
}
INSTANTIATE_TEST_SUITE_P(
    Tones, ToneTest,
    ::testing::Values(
        ToneCase{"Stereo44kBehindAHugeTag", Tone{440, 1.0, 44100, 2, 128, true}, 30, 1 << 20},
        ToneCase{"Mono22k", Tone{1000, 1.0, 22050, 1, 64, true}, 30, 0},
        ToneCase{"NoInfoFrameBehindHugeTag", Tone{220, 1.5, 48000, 2, 192, false}, 100, 1 << 20},
        ToneCase{"VariableBitRate", Tone{440, 1.0, 44100, 2, 0, true}, 30, 0},
        ToneCase{"ShorterThanTheProbe", Tone{440, 0.1, 44100, 2, 128, true}, 30, 0}),
    tarvex::testing::CaseName());

// An open while playing stops the file before, as a stop does, and neither
// leaves the player's thread behind.
TEST_F(PlaybackTest, OpenAndStopEndThePlaybackAndItsThread) {
  const auto threads = [] {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return std::distance(begin(tasks), end(tasks));
  };
  const std::string file = MakeToneMp3(dir_, "long.mp3", Tone{440, 5.0});
  const auto threads_before = threads();
  vbmp3x_setWavOutput(dir_.File("out.wav").c_str(), 1);
  for (int cycle = 0; cycle < 10; ++cycle) {
    Open(file);
    ASSERT_EQ(vbmp3_play(), 1);
    EXPECT_EQ(State(), VBMP3_STATE_PLAYING);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGenerousMs);
    while (vbmp3x_getFramesWritten() < 1 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (cycle % 2 == 0) {
      ASSERT_EQ(vbmp3_stop(), 1);
    }
  }
  Open(MakeToneMp3(dir_, "high.mp3", Tone{1000, 1.0}));
  EXPECT_EQ(State(), VBMP3_STATE_STOPPED);
  EXPECT_EQ(threads(), threads_before);
  EXPECT_LT(ReadWav(dir_, "out.wav").Seconds(), 4.0);
  ASSERT_EQ(PlayToEnd(), VBMP3_STATE_FINISHED);
  EXPECT_NEAR(PitchHz(ReadWav(dir_, "out.wav")), 1000, 10);
}

TEST_F(PlaybackTest, OutputThatCannotBeMadeEndsWithItsNumber) {
  Open(MakeToneMp3(dir_, "tone.mp3", Tone{440, 0.5}));
  vbmp3x_setOutputDriver("no-such-driver");
  EXPECT_EQ(vbmp3_play(), 1);
  EXPECT_EQ(vbmp3x_waitUntilDone(kGenerousMs), 1);
  vbmp3x_setOutputDriver(nullptr);
  EXPECT_EQ(State(), VBMP3_STATE_ERROR);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_OUTPUT);
  EXPECT_EQ(PlayToEnd("no-such-dir/out.wav"), VBMP3_STATE_ERROR);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_OUTPUT);
}

TEST_F(PlaybackTest, AStreamThatTurnsToJunkEndsWithItsNumber) {
  MakeToneMp3(dir_, "tone.mp3", Tone{440, 4.0, 44100, 2, 128, false});
  std::string bytes = dir_.Read("tone.mp3");
  for (std::size_t i = bytes.size() / 2; i < bytes.size(); ++i) bytes[i] = char((i * 7919U) >> 3);
  Open(dir_.Write("broken.mp3", bytes));
  ASSERT_EQ(PlayToEnd(), VBMP3_STATE_ERROR);
  EXPECT_EQ(vbmp3_getLastErrorNo(), VBMP3_ERR_STREAM_BROKEN);
  EXPECT_NEAR(ReadWav(dir_, "out.wav").Seconds(), 2.0, 0.1);
}

}  // namespace
}  // namespace tarvex::vbmp3::test
