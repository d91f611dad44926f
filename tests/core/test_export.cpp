// Text output file, number texts and the three ASCII export layouts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>

#include "core_fixtures.h"
#include "data/atomicfile.h"
#include "data/fieldtext.h"
#include "data/numtext.h"
#include "export/expfile.h"
#include "export/txtfile.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t p; (p = text.find("\r\n", start)) != std::string::npos; start = p + 2)
    lines.push_back(text.substr(start, p - start));
  EXPECT_EQ(start, text.size()) << "text after the last line end";
  return lines;
}

TEST(TextFile, BreaksLongTextsAndKeepsEveryLineAcrossFlushes) {
  TempDir dir;
  TTextFile f;
  f.Init(dir.File("t.txt"));
  ASSERT_TRUE(f.Rewrite());
  EXPECT_TRUE(f.WriteLn(std::string(600, 'x')));  // 250 + 250 + 100
  EXPECT_TRUE(f.WriteLn(""));
  EXPECT_TRUE(f.WriteText("abc"));
  EXPECT_TRUE(f.WriteLn("def"));
  std::string want = std::string(250, 'x') + "\r\n" + std::string(250, 'x') + "\r\n" +
                     std::string(100, 'x') + "\r\n\r\nabcdef\r\n";
  for (int i = 0; i < 3000; ++i) {
    const std::string line = std::string(i % 97, 'a' + i % 26) + "#" + std::to_string(i);
    ASSERT_TRUE(f.WriteLn(line));
    want += line + "\r\n";
  }
  EXPECT_TRUE(f.WriteText("never ended"));  // a line never ended is dropped
  EXPECT_TRUE(f.Close());
  EXPECT_EQ(ReadFileText(dir.File("t.txt")), want);
  // Rewriting without lines leaves an empty file.
  ASSERT_TRUE(f.Rewrite());
  EXPECT_TRUE(f.Close());
  EXPECT_EQ(ReadFileText(dir.File("t.txt")), "");
}

TEST(NumberText, FastPathAgreesWithAFullConversion) {
  auto expect = [](double v, int d) {
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, d);
    ASSERT_EQ(FixedText(v, d), std::string(buf, res.ptr)) << v << " " << d;
    // Fields written in place: right-aligned, never cut.
    for (int width : {0, 6, 40}) {
      char out[40 + fieldtext::kPutRoom];
      const std::string text(buf, res.ptr);
      const std::string padded =
          std::string(std::max<size_t>(width, text.size()) - text.size(), ' ') + text;
      ASSERT_EQ(std::string(out, PutPaddedFixed(out, v, d, width)), padded) << v << " " << width;
    }
  };
  std::mt19937 gen(7);
  std::uniform_int_distribution<uint32_t> bits;
  std::uniform_real_distribution<double> real(-2000.0, 2000.0);
  for (int i = 0; i < 200000; ++i) {
    const uint32_t b = bits(gen);
    float f;
    std::memcpy(&f, &b, sizeof f);
    if (std::isfinite(f))
      for (int d : {0, 1, 4, 6}) expect(f, d);
    // Doubles that are not floats, near and far from halves.
    const double v = i % 2 ? real(gen) : std::nearbyint(real(gen) * 1000.0) / 1000.0 + 0.0005;
    for (int d : {1, 3, 4}) expect(v, d);
  }
  for (int raw = -32768; raw <= 32767; ++raw) expect(raw * 0.1, 1);  // every temperature reading
  expect(-1.0e300, 4);
  for (int64_t v :
       {INT64_MIN, int64_t{-32768}, int64_t{-1}, int64_t{0}, int64_t{99}, int64_t{100}, INT64_MAX})
    for (int width : {0, 2, 5, 40}) {
      char out[40 + fieldtext::kPutRoom];
      std::string padded;
      AppendPaddedInt(padded, v, width);
      ASSERT_EQ(std::string(out, PutPaddedInt(out, v, width)), padded) << v << " " << width;
    }
}

// A recording with one sample per given time, channel ch reading ch * 100 - 42.
TVQRSession& Loaded(TVQRSession& rec, const std::vector<int32_t>& times, int16_t temp = 235) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  for (int32_t t : times) {
    std::array<int16_t, 17> raw{};
    for (int ch = 0; ch < 16; ++ch) raw[ch] = static_cast<int16_t>((ch + 1) * 100 - 42);
    raw[16] = temp;
    w.Add(MakeDataRecord(t, raw));
  }
  EXPECT_EQ(LoadBytes(rec, w.Bytes()), TLoadStatus::Ok);
  return rec;
}

std::vector<int32_t> Times(int n) {
  std::vector<int32_t> times;
  for (int i = 1; i <= n; ++i) times.push_back(i * 30);
  return times;
}

std::string Export(TVQRSession& rec, TAsciiMode mode) {
  TempDir dir;
  TVQRAsciiFile f;
  EXPECT_EQ(rec.ExportAscii(dir.File("x.ASC"), f, mode), TExportStatus::Ok);
  return ReadFileText(dir.File("x.ASC"));
}

TEST(AsciiExport, RawLinesStartWithTheTimeFields) {
  TVQRSession rec;
  const auto lines = Lines(Export(Loaded(rec, {93784, 93790}, -5), TAsciiMode::Raw));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0],
            " 1, 2, 3, 4,  93784,   58,  158,  258,  358,  458,  558,  658,  758,  858,  958, "
            "1058, 1158, 1258, 1358, 1458, 1558,-0.5");
  EXPECT_EQ(lines[1].substr(0, 20), " 1, 2, 3,10,  93790,");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], " End of export");
}

TEST(AsciiExport, CalibratedLinesHaveFourDecimalsAndTheRawTemperature) {
  TVQRSession rec;
  Loaded(rec, {60, 120, 180});
  const auto lines = Lines(Export(rec, TAsciiMode::Calibrated));
  ASSERT_EQ(lines.size(), 5u);  // 3 samples, empty line, end
  // Channel 1 reads 58: 2.5 - 58 x 0.0005 = 2.471.
  EXPECT_EQ(lines[0].substr(0, 26), " 0, 0, 1, 0,     60,2.4710");
  EXPECT_EQ(lines[0].substr(lines[0].size() - 5), ",23.5");
  EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ','), 21);
  EXPECT_EQ(lines[4], " End of export");

  // Smoothing shows in the calibrated columns, never in the temperature.
  rec.Store().Samples[2].Cal[3] = 12.34567f;
  rec.Store().Samples[2].Cal[17] = 99.0f;
  const auto changed = Lines(Export(rec, TAsciiMode::Calibrated));
  EXPECT_NE(changed[1].find(",12.3457,"), std::string::npos) << changed[1];
  EXPECT_EQ(changed[1].substr(changed[1].size() - 5), ",23.5");
}

TEST(AsciiExport, StopsAtTheFirstEmptySlotAndAfter1500Samples) {
  TVQRSession rec;
  Loaded(rec, {60, 120, 0, 240});  // the zero time later in the file is stored
  ASSERT_EQ(rec.Data().GetSampleCount(), 4);
  EXPECT_EQ(Lines(Export(rec, TAsciiMode::Calibrated)).size(), 4u);  // 2 + 2

  TVQRSession full;
  Loaded(full, Times(1600));
  EXPECT_EQ(Lines(Export(full, TAsciiMode::Raw)).size(), 1502u);
}

TEST(AsciiExport, CalibrationParametersAreThreeLines) {
  TVQRSession rec;
  Loaded(rec, {60});
  EXPECT_EQ(Export(rec, TAsciiMode::CalParams),
            " 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, "
            "1000, 1000, 1000\r\n"
            " 4000, 4000, 4000, 4000, 4000, 4000, 4000, 4000, 4000, 4000, 4000, 4000, 4000, "
            "4000, 4000, 4000\r\n"
            "2.0000,0.5000\r\n\r\n End of export\r\n");
}

// Everything opened while it lives takes only `bytes`, then fails as a full disk would.
struct DiskFullAfter {
  explicit DiskFullAfter(long long bytes) { TAtomicFile::SetWriteLimitForTesting(bytes); }
  ~DiskFullAfter() { TAtomicFile::SetWriteLimitForTesting(-1); }
};

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(AsciiExport, AFailedWriteIsAnErrorAndKeepsTheOlderFile) {
  TVQRSession small, big;
  Loaded(small, {60, 120, 180});
  Loaded(big, Times(1500));
  TempDir dir;
  TVQRAsciiFile f;
  EXPECT_EQ(small.ExportAscii(dir.File("no/such/folder.ASC"), f, TAsciiMode::Calibrated),
            TExportStatus::OpenFailed);
  if (geteuid() != 0) {
    chmod(dir.Sub("ro").c_str(), 0555);
    EXPECT_NE(small.ExportAscii(dir.File("ro/x.ASC"), f, TAsciiMode::Raw), TExportStatus::Ok);
    std::filesystem::remove(dir.File("ro"));
  }
  const std::string keep = dir.File("keep.ASC");
  for (TAsciiMode mode : {TAsciiMode::Calibrated, TAsciiMode::Raw, TAsciiMode::CalParams}) {
    EXPECT_NE(small.ExportAscii("/dev/full", f, mode), TExportStatus::Ok) << "fails at close";
    EXPECT_NE(big.ExportAscii("/dev/full", f, mode), TExportStatus::Ok) << "fails early";
    for (long long limit : {0LL, 100LL, 60000LL}) {
      ASSERT_TRUE(WriteText(keep, "old"));
      bool ok;
      {
        DiskFullAfter full(limit);
        ok = big.ExportAscii(keep, f, mode) == TExportStatus::Ok;
      }
      const bool fits = limit == 60000 && mode == TAsciiMode::CalParams;  // 3 short lines
      EXPECT_EQ(ok, fits) << limit;
      EXPECT_EQ(ReadFileText(keep) == "old", !fits) << limit;
      EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"keep.ASC"}) << limit;
    }
  }
}

}  // namespace
