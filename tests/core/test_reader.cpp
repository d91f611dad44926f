// Decoding raw data files: header checks, sample slots and damaged files.
#include <gtest/gtest.h>

#include "core_fixtures.h"
#include "data/vqrlogfile.h"

namespace {

TEST(LogFile, ServesWholeRecordsAndStopsAtATrailingFragment) {
  TempDir dir;
  std::vector<uint8_t> bytes(39 * 2 + 20, 0xAB);
  ASSERT_TRUE(WriteBytes(dir.File("f.DAT"), bytes));
  TVQRLogFile f;
  uint8_t buf[39];
  EXPECT_FALSE(f.ReadRecord(buf)) << "not open";
  f.SetFileName(dir.File("f.DAT"));
  ASSERT_TRUE(f.Open());
  EXPECT_EQ(f.GetSize(), 98);
  EXPECT_TRUE(f.ReadRecord(buf));
  EXPECT_EQ(f.GetPosition(), 39);
  EXPECT_TRUE(f.ReadRecord(buf));
  EXPECT_EQ(f.GetPosition(), 78);
  EXPECT_FALSE(f.ReadRecord(buf));
  EXPECT_EQ(f.GetPosition(), 78);
  EXPECT_FALSE(f.ReadRecord(buf));
  EXPECT_TRUE(f.Close());
  EXPECT_FALSE(f.ReadRecord(buf));
}

TEST(LogFile, LargeFilesAreReadAcrossChunks) {
  TempDir dir;
  std::vector<uint8_t> bytes(39 * 5000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i / 39);
  ASSERT_TRUE(WriteBytes(dir.File("big.DAT"), bytes));
  TVQRLogFile f;
  f.SetFileName(dir.File("big.DAT"));
  ASSERT_TRUE(f.Open());
  uint8_t buf[39];
  int n = 0;
  while (f.ReadRecord(buf)) {
    ASSERT_EQ(buf[0], static_cast<uint8_t>(n)) << "record " << n;
    ASSERT_EQ(buf[38], static_cast<uint8_t>(n));
    ++n;
  }
  EXPECT_EQ(n, 5000);
}

TEST(LogFile, MissingPathsAndFoldersDoNotOpen) {
  TempDir dir;
  TVQRSession rec;
  EXPECT_EQ(rec.Load(dir.File("missing.DAT")), TLoadStatus::OpenFailed);
  EXPECT_EQ(rec.Load(dir.Path()), TLoadStatus::OpenFailed);
  EXPECT_EQ(rec.Load(""), TLoadStatus::OpenFailed);
  if (geteuid() != 0) {
    ASSERT_TRUE(WriteBytes(dir.File("locked.DAT"), SimpleFile(3)));
    std::filesystem::permissions(dir.File("locked.DAT"), std::filesystem::perms::none);
    EXPECT_EQ(rec.Load(dir.File("locked.DAT")), TLoadStatus::OpenFailed);
  }
}

// Header faults: each must be rejected before the metadata or store is touched.
struct HeaderCase {
  const char* name;
  size_t keepBytes;  // cut the file here (0: keep)
  int record;        // record whose marker is changed (-1: none)
  uint8_t marker;
  TLoadStatus expected;
};

class HeaderCheck : public testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderCheck, RejectsOnlyBrokenHeaders) {
  const HeaderCase& c = GetParam();
  std::vector<uint8_t> bytes = SimpleFile(5);
  if (c.record >= 0) bytes[39 * c.record] = c.marker;
  if (c.keepBytes) bytes.resize(c.keepBytes);
  TVQRSession rec;
  ASSERT_EQ(LoadBytes(rec, SimpleFile(7)), TLoadStatus::Ok);
  const ChannelCal before = rec.Data().Cal[1];
  ASSERT_EQ(LoadBytes(rec, bytes), c.expected);
  if (c.expected == TLoadStatus::NotDecoded) {
    // The previous count and calibration stay; the slots were cleared.
    EXPECT_EQ(rec.Data().GetSampleCount(), 7);
    EXPECT_TRUE(rec.Store().Samples[1].IsEmpty());
    EXPECT_EQ(rec.Data().Cal[1].Scale, before.Scale);
    EXPECT_TRUE(rec.Meta().Entry(1).Name.empty());
  } else {
    EXPECT_EQ(rec.Data().GetSampleCount(), 5);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HeaderCheck,
    testing::Values(HeaderCase{"ThreeRecords", 39 * 3, -1, 0, TLoadStatus::NotDecoded},
                    HeaderCase{"FragmentOfFourth", 39 * 4 - 1, -1, 0, TLoadStatus::NotDecoded},
                    HeaderCase{"Empty", 1, -1, 0, TLoadStatus::NotDecoded},
                    HeaderCase{"ParamMarker", 0, 1, 11, TLoadStatus::NotDecoded},
                    HeaderCase{"Ref1Marker", 0, 2, 22, TLoadStatus::NotDecoded},
                    HeaderCase{"Ref2Marker", 0, 3, 21, TLoadStatus::NotDecoded},
                    HeaderCase{"AnyStartMarker", 0, 0, 0xFF, TLoadStatus::Ok}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadData, EmptyFilesAreNotDecoded) {
  TempDir dir;
  ASSERT_TRUE(WriteBytes(dir.File("empty.DAT"), {}));
  TVQRSession rec;
  EXPECT_EQ(rec.Load(dir.File("empty.DAT")), TLoadStatus::NotDecoded);
  EXPECT_EQ(rec.LoadBuffer(nullptr, 0), TLoadStatus::NotDecoded);
  EXPECT_EQ(rec.Reader().GetSize(), 0);
}

TEST(ReadData, HeaderOnlyGivesAnEmptyRecordingWithEmptyRanges) {
  TVQRSession rec;
  ASSERT_EQ(LoadBytes(rec, SimpleFile(0)), TLoadStatus::Ok);
  EXPECT_EQ(rec.Data().GetSampleCount(), 0);
  EXPECT_EQ(rec.Data().LastTime, 0);
  for (int ch : {1, 16, 17}) {
    const ChannelCal& c = rec.Data().Cal[ch];
    EXPECT_EQ(c.RawMin, 100000);
    EXPECT_EQ(c.RawMax, -100000);
    EXPECT_EQ(c.CalMin, 1000.0f);
    EXPECT_EQ(c.CalMax, -1000.0f);
  }
}

TEST(ReadData, EmptyRecordingDoesNotInheritThePreviousEndTime) {
  TVQRSession rec;
  ASSERT_EQ(LoadBytes(rec, SimpleFile(100)), TLoadStatus::Ok);
  ASSERT_EQ(rec.Data().LastTime, 6000);
  ASSERT_EQ(LoadBytes(rec, SimpleFile(0)), TLoadStatus::Ok);
  EXPECT_EQ(rec.Data().LastTime, 0);
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
  EXPECT_EQ(s.Day, 1);
  EXPECT_EQ(s.Hour, 2);
  EXPECT_EQ(s.Minute, 3);
  EXPECT_EQ(s.Second, 4);
  EXPECT_EQ(s.Seconds, 93784);
  for (int ch = 1; ch <= 17; ++ch) EXPECT_EQ(s.Raw[ch], (ch - 1) * 100 - 800);
  EXPECT_EQ(rec.Data().LastTime, 93784);
  EXPECT_EQ(rec.Meta().Entry(7).Value, "4711");
  EXPECT_EQ(rec.Meta().Entry(8).Value, "37.5");
  EXPECT_EQ(rec.Data().RefRaw1(1), 1000);
  EXPECT_EQ(rec.Data().RefRaw2(16), 4000);
  EXPECT_EQ(rec.Data().RefRaw1(0), 0);
  EXPECT_EQ(rec.Data().RefRaw2(17), 0);
}

// Data record sequences: a letter per record. D data, Z data at time zero,
// M a record with marker 5, F a 20-byte trailing fragment.
struct SlotCase {
  const char* name;
  const char* records;
  int sampleCount;
  const char* slots;  // per slot 1.. : 'D' filled, '0' empty
};

class DataSlots : public testing::TestWithParam<SlotCase> {};

TEST_P(DataSlots, FillSlotsAsRecordedAndCountThem) {
  const SlotCase& c = GetParam();
  TDatWriter w;
  DatHeader{}.AddTo(w);
  int t = 0;
  for (const char* p = c.records; *p; ++p) {
    t += 60;
    switch (*p) {
      case 'D':
        w.Add(MakeDataRecord(t, Readings(1500)));
        break;
      case 'Z':
        w.Add(MakeDataRecord(0, Readings(1500)));
        break;
      case 'M':
        w.Add(MakeDataRecord(t, Readings(1500), 5));
        break;
      case 'F':
        w.AddBytes(std::vector<uint8_t>(20, 31));
        break;
    }
  }
  TVQRSession rec;
  ASSERT_EQ(LoadBytes(rec, w.Bytes()), TLoadStatus::Ok);
  EXPECT_EQ(rec.Data().GetSampleCount(), c.sampleCount);
  const std::string slots = c.slots;
  for (size_t i = 0; i < slots.size(); ++i)
    EXPECT_EQ(!rec.Store().Samples[i + 1].IsEmpty(), slots[i] == 'D') << "slot " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Files, DataSlots,
                         testing::Values(SlotCase{"Plain", "DDD", 3, "DDD0"},
                                         SlotCase{"MarkerFiveLeavesAnEmptySlot", "DMD", 3, "D0D0"},
                                         SlotCase{"TrailingFragmentIsIgnored", "DDF", 2, "DD0"},
                                         SlotCase{"FirstZeroTimeDropped", "ZDD", 2, "DD0"},
                                         SlotCase{"TwoZeroTimesDropped", "ZZD", 1, "D0"},
                                         SlotCase{"LaterZeroTimeIsStored", "DZD", 3, "D0D"},
                                         SlotCase{"OnlyZeroTimes", "ZZ", 0, "0"},
                                         SlotCase{"LeadingMarkerFiveIsKept", "MDD", 3, "0DD"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadData, CountsAtMost1500SamplesAndTakesTheEndTimeFromSlot1501) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  for (int i = 1; i <= 2000; ++i) w.Add(MakeDataRecord(10 * i, Readings(1000 + (i % 7))));
  TVQRSession rec;
  ASSERT_EQ(LoadBytes(rec, w.Bytes()), TLoadStatus::Ok);
  const TVqrDataObjectNew& d = rec.Data();
  EXPECT_EQ(d.GetSampleCount(), 1500);
  EXPECT_EQ(d.LastTime, 15010);
  EXPECT_EQ(d.GetTime(1500), 15000);
  EXPECT_EQ(rec.Store().Samples[1501].Seconds, 15010);
  EXPECT_TRUE(rec.Store().Samples[1502].IsEmpty());
  EXPECT_EQ(d.GetTime(0), 0);
  EXPECT_EQ(d.GetTime(1501), 0);
  EXPECT_EQ(d.GetValue(0, 1), 0.0f);
  EXPECT_EQ(d.GetValue(1501, 1), 0.0f);
  EXPECT_EQ(d.GetValue(1500, 1), rec.Store().Samples[1500].Cal[1]);
  EXPECT_EQ(d.GetValue(1, 18), 0.0f);
}

TEST(ReadData, FileAndBufferGiveTheSameRecording) {
  TempDir dir;
  const std::vector<uint8_t> bytes = SimpleFile(300);
  ASSERT_TRUE(WriteBytes(dir.File("a.DAT"), bytes));
  TVQRSession fromFile;
  TVQRSession fromBuffer;
  ASSERT_EQ(fromFile.Load(dir.File("a.DAT")), TLoadStatus::Ok);
  ASSERT_EQ(LoadBytes(fromBuffer, bytes), TLoadStatus::Ok);
  ASSERT_EQ(fromFile.Data().GetSampleCount(), 300);
  for (int i = 1; i <= 300; ++i)
    ASSERT_EQ(fromFile.Store().Samples[i].Cal, fromBuffer.Store().Samples[i].Cal);
}

TEST(ReadData, BundledSamplesDecode) {
  struct Sample {
    const char* file;
    int count;
    bool days;
  };
  for (const Sample& s : {Sample{"hours40.DAT", 800, false}, Sample{"days10.DAT", 1200, true},
                          Sample{"full1500.DAT", 1500, true}}) {
    TVQRSession rec;
    ASSERT_EQ(rec.Load(std::string(VQR_SOURCE_DIR "/samples/") + s.file), TLoadStatus::Ok)
        << s.file;
    EXPECT_EQ(rec.Data().GetSampleCount(), s.count) << s.file;
    EXPECT_EQ(rec.Data().TimeAxis.TimeInDays, s.days) << s.file;
    EXPECT_GE(rec.Data().Cal[17].CalMin, 17.0f) << s.file;
    EXPECT_LE(rec.Data().Cal[17].CalMax, 28.0f) << s.file;
  }
}

}  // namespace
