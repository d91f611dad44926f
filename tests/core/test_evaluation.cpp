// Saved evaluations: the file's round trip, the session's state through a
// file and back, paths relative to the evaluation, the recordings' hash, and
// every kind of file the reader must refuse without touching anything.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <clocale>
#include <cstdio>
#include <filesystem>

#include "chart/vqrdiagram.h"
#include "core_fixtures.h"
#include "data/freerange.h"
#include "data/sha256.h"
#include "session/evaluationsession.h"

namespace {

const std::string kSamples = std::string(VQR_SOURCE_DIR) + "/samples/";

TEvaluation FullEvaluation() {
  TEvaluation e;
  e.Recording = {"runs/a.DAT", std::string(64, 'a'), {2, 8}};
  e.Compared = {{"/data/b.DAT", std::string(64, '0'), {}}, {"c d.DAT", std::string(64, 'f'), {5}}};
  e.ZeroPoint = true;
  TEvalWindow w;
  w.Mode = kCombi1Mode;
  w.Axes.Time = {12, 43200.5f, -3600.25f, 2, 1, true};
  w.Axes.Value = {10, 0.1f, 1e-7f, 1, 4, false};
  w.Axes.Temp = {8, 16.0f, -12.0f, 2, 0, false};
  w.Zoomed = true;
  w.MarkA = 17;
  w.MarkB = 1500;
  // A further window freely zoomed on all three axes; the time axes coupled.
  TEvalWindow free{3, w.Axes, false, 0, 0};
  SetFreeRange(free.Axes.Time, 7200.0, 9000.5, 1.0 / 3600.0, 1e-5);
  SetFreeRange(free.Axes.Value, -0.3, 0.7000001, 1.0, 1e-6);
  SetFreeRange(free.Axes.Temp, 3.2, 3.8, 1.0, 1.0);  // narrower than a step: no tick
  e.Windows = {w, free};
  e.CoupledTime = true;
  e.Notes = {{3600, "Ventil auf \u00b5 \"quoted\" \\ ok", 0, 0.0f},
             {7200, "Spitze", kTempChannel, -12.5f},
             {0, "Start", 4, 3.14159274f}};
  e.Limits.Lower[3] = -0.125;
  e.Limits.Upper[3] = 1e-9;
  e.Limits.Upper[kTempChannel] = 28.5;
  return e;
}

std::string Sha256Sum(const std::string& bytes) {
  TempDir dir;
  const std::string file = dir.File("x");
  WriteText(file, bytes);
  FILE* p = popen(("sha256sum " + Quote(file)).c_str(), "r");
  char out[65] = {};
  const size_t n = p ? fread(out, 1, 64, p) : 0;
  if (p) pclose(p);
  return std::string(out, n);
}

}  // namespace

TEST(Sha256, StandardVectorsAndEveryPaddingLength) {
  struct Case {
    std::string input;
    const char* digest;
  };
  const Case cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmn"
       "opqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Sha256Hex(c.input), c.digest) << c.input.size();

  // Added in uneven pieces, the digest is the same.
  TSha256 pieces;
  const std::string& million = cases[4].input;
  for (size_t at = 0, step = 1; at < million.size(); at += step, step = step % 97 + 13)
    pieces.Add(million.data() + at, std::min(step, million.size() - at));
  std::string hex;
  for (uint8_t b : pieces.Finish())
    hex += "0123456789abcdef"[b >> 4], hex += "0123456789abcdef"[b & 15];
  EXPECT_EQ(hex, cases[4].digest);

  // Every length around the block and length-field boundaries against sha256sum.
  std::string bytes;
  for (int n = 0; n <= 130; ++n) {
    EXPECT_EQ(Sha256Hex(bytes), Sha256Sum(bytes)) << n << " bytes";
    bytes += static_cast<char>(n * 7 + 1);
  }
}

TEST(Evaluation, JsonRoundTripKeepsEverythingInAnyLocale) {
  const TEvaluation e = FullEvaluation();
  for (const char* locale : {"C", "de_DE.UTF-8"}) {
    if (!std::setlocale(LC_ALL, locale)) continue;
    const std::string text = EvaluationJson(e);
    TEvaluation back;
    ASSERT_TRUE(ParseEvaluation(text, back)) << locale;
    EXPECT_EQ(back, e) << locale << "\n" << text;
    EXPECT_EQ(text.find("3,14"), std::string::npos) << "a decimal comma in " << locale;
  }
  std::setlocale(LC_ALL, "C");
}

TEST(Evaluation, RecordingPathsRelativeOnlyBesideOrBelow) {
  struct Case {
    const char* recording;
    const char* stored;
  };
  const Case cases[] = {
      {"/lab/run/a.DAT", "a.DAT"},
      {"/lab/run/sub/b.DAT", "sub/b.DAT"},
      {"/lab/other/c.DAT", "/lab/other/c.DAT"},
      {"/lab/runner/d.DAT", "/lab/runner/d.DAT"},  // a folder name that only begins alike
      {"/lab/e.DAT", "/lab/e.DAT"},
  };
  for (const Case& c : cases) {
    const std::string stored = StoredRecordingPath(c.recording, "/lab/run/x.vqa");
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(ResolveRecordingPath(stored, "/lab/run/x.vqa"), c.recording);
  }
  // A moved evaluation finds the recordings that moved along with it.
  EXPECT_EQ(ResolveRecordingPath("sub/b.DAT", "/new/place/x.vqa"), "/new/place/sub/b.DAT");
}

TEST(Evaluation, SessionStateThroughAFileAndBack) {
  TempDir dir;
  const std::string below = dir.Sub("runs");
  namespace fs = std::filesystem;
  fs::copy_file(kSamples + "full1500.DAT", dir.File("full1500.DAT"));
  fs::copy_file(kSamples + "hours40.DAT", below + "hours40.DAT");
  const std::string elsewhere = kSamples + "days10.DAT";

  TVQRSession a;
  ASSERT_EQ(a.Load(dir.File("full1500.DAT")), TLoadStatus::Ok);
  a.Smooth(2);  // before the comparison: the open recording only
  ASSERT_EQ(a.AddCompared(below + "hours40.DAT"), TLoadStatus::Ok);
  ASSERT_EQ(a.AddCompared(elsewhere), TLoadStatus::Ok);
  a.Smooth(40);  // kept as the equalizer applies it: 32
  a.SetZeroPoint(true);
  a.Notes() = {{600, "eins", 0, 0}, {1200, "zwei", 3, 1.5f}};
  TVQRLimits limits;
  limits.Lower[5] = 0.25;
  a.SetLimits(limits);

  const std::string vqa = dir.File("eval.vqa");
  TEvaluation saved;
  int code = 0;
  ASSERT_TRUE(CaptureEvaluation(a, dir.File("full1500.DAT"), vqa, saved, &code, nullptr));
  EXPECT_EQ(saved.Recording.Path, "full1500.DAT");
  EXPECT_EQ(saved.Compared.at(0).Path, "runs/hours40.DAT");
  EXPECT_EQ(saved.Compared.at(1).Path, elsewhere);
  EXPECT_EQ(saved.Recording.Smoothing, (std::vector<int>{2, 32}));
  EXPECT_EQ(saved.Compared.at(0).Smoothing, (std::vector<int>{32}));
  ASSERT_TRUE(WriteEvaluationFile(vqa, saved, &code)) << code;

  TEvaluation read;
  ASSERT_TRUE(ReadEvaluationFile(vqa, read));
  EXPECT_EQ(read, saved);
  std::vector<std::string> paths{ResolveRecordingPath(read.Recording.Path, vqa)};
  for (const TEvalRecording& r : read.Compared) {
    paths.push_back(ResolveRecordingPath(r.Path, vqa));
    EXPECT_EQ(CheckRecording(paths.back(), r.Sha256), TRecordingState::Same);
  }
  TVQRSession b;
  ASSERT_EQ(RestoreEvaluation(b, read, paths), TLoadStatus::Ok);

  EXPECT_EQ(b.ComparedCount(), 2);
  EXPECT_TRUE(b.ZeroPoint());
  EXPECT_EQ(b.Notes(), a.Notes());
  EXPECT_TRUE(b.LimitsOwn());
  EXPECT_EQ(b.Limits(), limits);
  for (int run = 0; run <= 2; ++run) EXPECT_EQ(b.Smoothing(run), a.Smoothing(run)) << run;
  EXPECT_EQ(b.Data().Axes().All(), a.Data().Axes().All());
  // The smoothed values are those the first session drew.
  for (int i = 1; i <= a.Data().GetSampleCount(); i += 37)
    for (int ch = 1; ch <= kTempChannel; ++ch)
      ASSERT_EQ(b.Data().GetValue(i, ch), a.Data().GetValue(i, ch)) << i << " " << ch;
  for (int k = 0; k < 2; ++k)
    for (int i = 1; i <= a.ComparedData(k).GetSampleCount(); i += 41)
      ASSERT_EQ(b.ComparedData(k).GetValue(i, 5), a.ComparedData(k).GetValue(i, 5));
}

TEST(Evaluation, RecordingStates) {
  TempDir dir;
  const std::string rec = dir.File("r.DAT");
  WriteBytes(rec, SimpleFile(20));
  const std::string sha = RecordingSha256(rec);
  ASSERT_EQ(sha.size(), 64u);
  const std::string fifo = dir.File("fifo.DAT");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

  EXPECT_EQ(CheckRecording(rec, sha), TRecordingState::Same);
  EXPECT_EQ(CheckRecording(dir.File("gone.DAT"), sha), TRecordingState::Missing);
  EXPECT_EQ(CheckRecording(fifo, sha), TRecordingState::NotRegular);  // and does not wait
  EXPECT_EQ(CheckRecording("/dev/zero", sha), TRecordingState::NotRegular);
  EXPECT_EQ(CheckRecording(dir.Path(), sha), TRecordingState::NotRegular);
  std::vector<uint8_t> bytes = SimpleFile(20);
  bytes.back() ^= 1;
  WriteBytes(rec, bytes);
  EXPECT_EQ(CheckRecording(rec, sha), TRecordingState::Changed);
}

TEST(Evaluation, HostileFilesAreRefusedWithTheirReason) {
  TempDir dir;
  const std::string good = EvaluationJson(FullEvaluation());
  auto with = [&](const std::string& from, const std::string& to) {
    std::string s = good;
    const size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? s : s.replace(at, from.size(), to);
  };
  struct Case {
    const char* what;
    std::string text;
    TEvalError error;
    const char* field;
  };
  const Case cases[] = {
      {"truncated", good.substr(0, good.size() / 2), TEvalError::Damaged, ""},
      {"empty", "", TEvalError::Damaged, ""},
      {"not JSON", "vqa\n", TEvalError::Damaged, ""},
      {"an array", "[1, 2]", TEvalError::NotEvaluation, ""},
      {"another format", with("vqrshow4-evaluation", "other"), TEvalError::NotEvaluation, "format"},
      {"newer version", with("\"version\": 1", "\"version\": 2"), TEvalError::NewerVersion,
       "version"},
      {"version as text", with("\"version\": 1", "\"version\": \"1\""), TEvalError::WrongType,
       "version"},
      {"no recording", with("\"recording\"", "\"recordings\""), TEvalError::WrongType, "recording"},
      {"windows an object", with("\"windows\": [", "\"windows\": {}, \"x\": ["),
       TEvalError::WrongType, "windows"},
      {"zero point as text", with("\"zero_point\": true", "\"zero_point\": \"ja\""),
       TEvalError::WrongType, "zero_point"},
      {"mode out of range", with("\"mode\": 18", "\"mode\": 17"), TEvalError::BadValue,
       "windows[0].mode"},
      {"mode a float", with("\"mode\": 18", "\"mode\": 18.5"), TEvalError::WrongType,
       "windows[0].mode"},
      {"huge integer", with("\"mode\": 18", "\"mode\": 184467440737095516150"),
       TEvalError::WrongType, "windows[0].mode"},
      {"one marker", with("        17,\n        1500", "        1500"), TEvalError::BadValue,
       "windows[0].markers"},
      {"marker beyond the samples", with("1500", "1501"), TEvalError::BadValue,
       "windows[0].markers[1]"},
      {"negative span", with("43200.5", "-5.0"), TEvalError::BadValue, "windows[0].axes.time.span"},
      {"number beyond double", with("43200.5", "1e999"), TEvalError::Damaged, ""},
      {"note text a number", with("\"Spitze\"", "5"), TEvalError::WrongType, "notes[1].text"},
      {"tied note without value", with("\"value\": -12.5", "\"valu\": -12.5"),
       TEvalError::WrongType, "notes[1].value"},
      {"path climbing out", with("runs/a.DAT", "../../etc/a.DAT"), TEvalError::BadValue,
       "recording.path"},
      {"empty path", with("runs/a.DAT", ""), TEvalError::BadValue, "recording.path"},
      {"short hash", with(std::string(64, 'a'), "abc"), TEvalError::BadValue, "recording.sha256"},
      {"smoothing beyond the equalizer", with("[\n      2,", "[\n      33,"), TEvalError::BadValue,
       "recording.smoothing[0]"},
      {"limit as text", with("28.5", "\"28.5\""), TEvalError::WrongType, "limits[1].upper"},
      {"limits twice for a channel",
       with("\"channel\": 17,\n      \"lower\"", "\"channel\": 3,\n      \"lower\""),
       TEvalError::BadValue, "limits[1].channel"},
      // The window listed second is freely zoomed; keys are written sorted.
      {"free range with a step below zero", with("\"tick_step\": ", "\"tick_step\": -"),
       TEvalError::BadValue, "windows[1].axes.temperature.tick_step"},
      {"free range without its first tick", with("\"first_tick\"", "\"first_tik\""),
       TEvalError::WrongType, "windows[1].axes.temperature.first_tick"},
      {"no tick step, and no divisions", with("\"tick_step\"", "\"tick_stp\""),
       TEvalError::BadValue, "windows[1].axes.temperature.divisions"},
      {"coupling as a number", with("\"coupled_time\": true", "\"coupled_time\": 1"),
       TEvalError::WrongType, "coupled_time"},
      {"deeply nested", std::string(200000, '[') + std::string(200000, ']'),
       TEvalError::NotEvaluation, ""},
  };
  for (const Case& c : cases) {
    TEvaluation out = FullEvaluation();
    out.ZeroPoint = false;
    const TEvaluation before = out;
    const TEvalResult r = ParseEvaluation(c.text, out);
    EXPECT_EQ(r.Error, c.error) << c.what << ": " << r.Field;
    EXPECT_EQ(r.Field, c.field) << c.what;
    EXPECT_EQ(out, before) << c.what << " changed the evaluation";
  }
  TEvaluation out;
  EXPECT_EQ(ParseEvaluation(with("\"version\": 1", "\"version\": 7"), out).Version, 7);
  // Written before windows could be coupled: read as uncoupled.
  ASSERT_TRUE(ParseEvaluation(with("\"coupled_time\": true,", ""), out));
  EXPECT_FALSE(out.CoupledTime);

  // Files that are no evaluation at all, refused before they are read.
  const std::string big = dir.File("big.vqa");
  WriteText(big, good + std::string(kMaxEvaluationBytes, ' '));
  EXPECT_EQ(ReadEvaluationFile(big, out).Error, TEvalError::TooLarge);
  const std::string fifo = dir.File("fifo.vqa");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadEvaluationFile(fifo, out).Error, TEvalError::NotRegular);
  EXPECT_EQ(ReadEvaluationFile("/dev/zero", out).Error, TEvalError::NotRegular);
  EXPECT_EQ(ReadEvaluationFile(dir.Path(), out).Error, TEvalError::NotRegular);
  const TEvalResult missing = ReadEvaluationFile(dir.File("none.vqa"), out);
  EXPECT_EQ(missing.Error, TEvalError::OpenFailed);
  EXPECT_EQ(missing.Errno, ENOENT);
}
