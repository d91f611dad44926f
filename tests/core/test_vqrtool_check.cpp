// vqrtool check as a lab's script runs it: exit statuses, the violations it
// lists, and the limit statistics of vqrtool stats --json.
#include <gtest/gtest.h>

#include "core_fixtures.h"

namespace {

class VqrToolCheck : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(VQR_BINARY_DIR "/vqrtool")) << "vqrtool is not built";
    // 25 samples a minute apart: the temperature 20.0 throughout, channel 1
    // falling from 1.9995 by 0.0005 a sample.
    ASSERT_TRUE(WriteBytes(dir.File("good.DAT"), SimpleFile(25)));
    std::vector<uint8_t> bad = SimpleFile(25);
    bad[39 * 2] = 0;
    ASSERT_TRUE(WriteBytes(dir.File("bad.DAT"), bad));
    ASSERT_TRUE(WriteText(dir.File("held.INI"), "[Limits]\nLower17=19.5\nUpper17=20,5\n"));
    ASSERT_TRUE(WriteText(dir.File("over.INI"), "[Limits]\nUpper17=19.9\nLower1=1,99\n"));
    ASSERT_TRUE(WriteText(dir.File("none.INI"), "[Limits]\nLower3=\nUpper3= x\n"));
  }
  TempDir dir;
};

TEST_F(VqrToolCheck, ExitStatuses) {
  const std::string good = dir.File("good.DAT"), bad = dir.File("bad.DAT");
  const std::string held = "--ini=" + dir.File("held.INI"), over = "--ini=" + dir.File("over.INI");
  const struct {
    std::vector<std::string> args;
    int status;
    const char* out;  // expected part of stdout
    const char* err;  // expected part of stderr
  } cases[] = {
      {{good, held}, 0, "", ""},
      {{good, good, held, "--json"}, 0, "\"held\": true}", ""},
      {{good, over}, 5, "\t17\t0.016666666666666666\t0.4\t100\t1\t0.1000000000000014", ""},
      {{good, over, "--json"}, 5, "\"status\": \"violated\"", ""},
      // Channel 1 reaches its lower limit at 20 minutes.
      {{good, over, "--to", "0.3", "--from", "0.2"}, 5, "\t1\t", ""},
      {{good, over, "--to", "0.01"}, 0, "", ""},  // before the first sample: nothing to check
      {{good, bad, over}, 1, "\t17\t", "Error reading Data File!"},
      {{dir.File("missing.DAT"), bad, good, held}, 2, "", "Error opening data file!"},
      {{good, dir.File("missing.DAT"), held, "--json"}, 2, "\"status\": \"open_failed\"", ""},
      {{good, "--ini", dir.File("none.INI")}, 64, "", "no limit is set"},
      {{good, "--defaults"}, 64, "", "no limit is set"},
      {{held}, 64, "", "no input file"},
      {{good, held, "--from", "x"}, 64, "", "--from takes hours"},
      {{good, held, "--window", "1"}, 64, "", "unknown option"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"check"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::string line;
    for (const auto& a : args) line += a + " ";
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.status, c.status) << line << "\n" << r.out << r.err;
    EXPECT_NE(r.out.find(c.out), std::string::npos) << line << "\n" << r.out;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << line << "\n" << r.err;
  }
}

TEST_F(VqrToolCheck, StatsJsonCarriesTheLimitsOfCurvesThatHaveThem) {
  const ToolRun r = Tool(
      {"stats", dir.File("good.DAT"), "--json", "--ini", dir.File("over.INI"), "--window", "17"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"limits\": {\"lower\": null, \"upper\": 19.9, \"outside_h\": 0.4, "
                       "\"outside_pct\": 100, \"excursions\": 1, \"first_crossing_h\": "
                       "0.016666666666666666, \"largest_excursion\": 0.1000000000000014"),
            std::string::npos)
      << r.out;
  const ToolRun none =
      Tool({"stats", dir.File("good.DAT"), "--json", "--ini", dir.File("none.INI")});
  ASSERT_EQ(none.status, 0) << none.err;
  EXPECT_EQ(none.out.find("limits"), std::string::npos) << none.out;
}

}  // namespace
