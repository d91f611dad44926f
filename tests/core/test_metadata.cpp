// Run parameters as printable text.
#include <gtest/gtest.h>

#include <clocale>
#include <utility>
#include <vector>

#include "core_fixtures.h"
#include "data/MetaData.h"

namespace {

std::string Tagged(char tag, std::time_t t) {
  std::string s(1, tag);
  s += std::to_string(t);
  return s;
}

class MetaDataTest : public testing::Test {
 protected:
  void SetUp() override {
    TVQRMetaData::SetDateFormatter([](std::time_t t) { return Tagged('D', t); });
    TVQRMetaData::SetTimeFormatter([](std::time_t t) { return Tagged('T', t); });
    TVQRMetaData::SetClock([] { return std::time_t{1234}; });
  }
  void TearDown() override {
    TVQRMetaData::SetDateFormatter({});
    TVQRMetaData::SetTimeFormatter({});
    TVQRMetaData::SetClock({});
  }
  static std::vector<std::pair<std::string, std::string>> Walk(TVQRMetaData& m) {
    std::vector<std::pair<std::string, std::string>> seen;
    m.ForEachEntry([&](const std::string& n, const std::string& v) { seen.emplace_back(n, v); });
    return seen;
  }
};

TEST_F(MetaDataTest, HeatTempHasOneDecimalWhateverTheLocale) {
  ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8")) << "locale de_DE.UTF-8 is missing";
  const std::pair<int16_t, const char*> cases[] = {{375, "37.5"},     {-5, "-0.5"},
                                                   {0, "0.0"},        {-1, "-0.1"},
                                                   {32767, "3276.7"}, {-32768, "-3276.8"}};
  for (const auto& [stored, text] : cases) {
    TDatParams p;
    p.HeatTemp = stored;
    TVQRMetaData m;
    m.ParseHeader(MakeParamRecord(p).data());
    EXPECT_EQ(m.Entry(8).Value, text) << stored;
  }
  std::setlocale(LC_ALL, "C");
}

TEST_F(MetaDataTest, CutsNamesAndValuesAndSkipsBlankNames) {
  TVQRMetaData m;
  m.SetIntEntry(1, "A123456789012345678901234", 7);
  m.SetFloatEntry(2, "Big", 3, 1.0e30);
  m.SetIntEntry(3, "   ", 5);
  m.SetIntEntry(33, "Outside", 1);
  m.SetIntEntry(0, "Outside", 1);
  EXPECT_EQ(m.Entry(2).Value.size(), 20u);
  std::vector<std::string> names;
  for (const auto& [name, value] : Walk(m)) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"A1234567890123456789", "Big", "Date", "Time"}));
}

}  // namespace
