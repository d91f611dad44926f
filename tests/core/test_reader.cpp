// Decoding raw data files: header checks, sample slots and damaged files.
#include <gtest/gtest.h>

#include <algorithm>

#include "core_fixtures.h"
#include "data/vqrlogfile.h"

namespace {

TEST(LogFile, ServesWholeRecordsAcrossChunksAndStopsAtATrailingFragment) {
  TempDir dir;
  std::vector<uint8_t> bytes(39 * 5000 + 20);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i / 39);
  ASSERT_TRUE(WriteBytes(dir.File("big.DAT"), bytes));
  TVQRLogFile f;
  uint8_t buf[39];
  EXPECT_FALSE(f.ReadRecord(buf)) << "not open";
  f.SetFileName(dir.File("big.DAT"));
  ASSERT_TRUE(f.Open());
  std::vector<uint8_t> kept;  // the whole records read, not the fragment
  f.KeepRecords(&kept);
  int n = 0;
  for (; f.ReadRecord(buf); ++n) {
    ASSERT_EQ(buf[0], static_cast<uint8_t>(n)) << "record " << n;
    ASSERT_EQ(buf[38], static_cast<uint8_t>(n));
  }
  EXPECT_EQ(n, 5000);
  EXPECT_EQ(f.GetPosition(), 39 * 5000);
  EXPECT_TRUE(std::equal(kept.begin(), kept.end(), bytes.begin()) && kept.size() == 39 * 5000);
  EXPECT_FALSE(f.ReadRecord(buf));
  EXPECT_TRUE(f.Close());
  EXPECT_FALSE(f.ReadRecord(buf));
}

TEST(ReadData, OnlyBrokenHeadersAreRejected) {
  const struct {
    const char* name;
    size_t keepBytes;  // cut the file here (0: keep)
    int record;        // record whose marker is changed (-1: none)
    uint8_t marker;
    TLoadStatus expected;
  } cases[] = {{"ThreeRecords", 39 * 3, -1, 0, TLoadStatus::NotDecoded},
               {"FragmentOfFourth", 39 * 4 - 1, -1, 0, TLoadStatus::NotDecoded},
               {"Empty", 1, -1, 0, TLoadStatus::NotDecoded},
               {"ParamMarker", 0, 1, 11, TLoadStatus::NotDecoded},
               {"Ref1Marker", 0, 2, 22, TLoadStatus::NotDecoded},
               {"Ref2Marker", 0, 3, 21, TLoadStatus::NotDecoded},
               {"AnyStartMarker", 0, 0, 0xFF, TLoadStatus::Ok}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = SimpleFile(5);
    if (c.record >= 0) bytes[39 * c.record] = c.marker;
    if (c.keepBytes) bytes.resize(c.keepBytes);
    TVQRSession rec;
    ASSERT_EQ(LoadBytes(rec, SimpleFile(7)), TLoadStatus::Ok);
    const ChannelCal before = rec.Data().Recording().Cal(1);
    ASSERT_EQ(LoadBytes(rec, bytes), c.expected);
    const bool rejected = c.expected == TLoadStatus::NotDecoded;
    // A rejected file keeps the previous count and calibration; the slots were cleared.
    EXPECT_EQ(rec.Data().GetSampleCount(), rejected ? 7 : 5);
    EXPECT_EQ(rec.Store().Samples[1].IsEmpty(), rejected);
    EXPECT_TRUE(!rejected || rec.Data().Recording().Cal(1).Scale == before.Scale);
    EXPECT_EQ(rec.Meta().Entry(1).Name.empty(), rejected);
  }
}

TEST(ReadData, HeaderOnlyGivesAnEmptyRecordingWithEmptyRanges) {
  TVQRSession rec;
  ASSERT_EQ(LoadBytes(rec, SimpleFile(100)), TLoadStatus::Ok);
  ASSERT_EQ(LoadBytes(rec, SimpleFile(0)), TLoadStatus::Ok);
  EXPECT_EQ(rec.Data().GetSampleCount(), 0);
  EXPECT_EQ(rec.Data().Recording().LastTime(), 0);  // not the previous end time
  for (int ch : {1, 16, 17}) {
    const ChannelCal& c = rec.Data().Recording().Cal(ch);
    EXPECT_EQ(std::tuple(c.RawMin, c.RawMax, c.CalMin, c.CalMax),
              std::tuple(100000, -100000, 1000.0f, -1000.0f));
  }
}

TEST(ReadData, DecodesTimeRawValuesAndMetadata) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  std::array<int16_t, 17> raw{};
  for (int i = 0; i < 17; ++i) raw[i] = static_cast<int16_t>(i * 100 - 800);
  w.Add(MakeDataRecord(93784, raw));  // 1 d 2 h 3 min 4 s
  TVQRSession rec;
  ASSERT_EQ(LoadBytes(rec, w.Bytes()), TLoadStatus::Ok);
  const TVQRSample& s = rec.Store().Samples[1];
  EXPECT_EQ(std::tuple(s.Day, s.Hour, s.Minute, s.Second, s.Seconds),
            std::tuple(1, 2, 3, 4, 93784));
  for (int ch = 1; ch <= 17; ++ch) EXPECT_EQ(s.Raw[ch], (ch - 1) * 100 - 800);
  const TVqrDataObjectNew& d = rec.Data();
  EXPECT_EQ(std::tuple(d.Recording().LastTime(), d.RefRaw1(1), d.RefRaw2(16), d.RefRaw1(0),
                       d.RefRaw2(17)),
            std::tuple(93784, 1000, 4000, 0, 0));
}

TEST(ReadData, DataRecordsFillSlotsAsRecorded) {
  // A letter per record: D data, Z data at time zero, M a record with marker 5,
  // F a 20-byte trailing fragment. Slots from 1: 'D' filled, '0' empty.
  const struct {
    const char *records, *slots;
    int sampleCount;
  } cases[] = {{"DDD", "DDD0", 3}, {"DMD", "D0D0", 3}, {"DDF", "DD0", 2}, {"ZDD", "DD0", 2},
               {"ZZD", "D0", 1},   {"DZD", "D0D", 3},  {"ZZ", "0", 0},    {"MDD", "0DD", 3}};
  for (const auto& c : cases) {
    TDatWriter w;
    DatHeader{}.AddTo(w);
    int t = 0;
    for (const char* p = c.records; *p; ++p) {
      t += 60;
      if (*p == 'F')
        w.AddBytes(std::vector<uint8_t>(20, 31));
      else
        w.Add(MakeDataRecord(*p == 'Z' ? 0 : t, Readings(1500), *p == 'M' ? 5 : 31));
    }
    TVQRSession rec;
    ASSERT_EQ(LoadBytes(rec, w.Bytes()), TLoadStatus::Ok);
    EXPECT_EQ(rec.Data().GetSampleCount(), c.sampleCount) << c.records;
    for (size_t i = 0; c.slots[i]; ++i)
      EXPECT_EQ(!rec.Store().Samples[i + 1].IsEmpty(), c.slots[i] == 'D') << c.records << i + 1;
  }
}

TEST(ReadData, CountsAtMost1500SamplesAndTakesTheEndTimeFromSlot1501) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  for (int i = 1; i <= 2000; ++i) w.Add(MakeDataRecord(10 * i, Readings(1000 + (i % 7))));
  TVQRSession rec;
  ASSERT_EQ(LoadBytes(rec, w.Bytes()), TLoadStatus::Ok);
  const TVqrDataObjectNew& d = rec.Data();
  EXPECT_EQ(std::tuple(d.GetSampleCount(), d.Recording().LastTime(), d.GetTime(1500), d.GetTime(0),
                       d.GetTime(1501)),
            std::tuple(1500, 15010, 15000, 0, 0));
  EXPECT_EQ(rec.Store().Samples[1501].Seconds, 15010);
  EXPECT_TRUE(rec.Store().Samples[1502].IsEmpty());
  // Out of range: zero.
  EXPECT_EQ(std::tuple(d.GetValue(0, 1), d.GetValue(1501, 1), d.GetValue(1, 18)),
            std::tuple(0.0f, 0.0f, 0.0f));
  EXPECT_EQ(d.GetValue(1500, 1), rec.Store().Samples[1500].Cal[1]);
}

}  // namespace
