// vqrtool as a user runs it: exit statuses, messages, JSON and exports.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>

#include "core_fixtures.h"
#include "export/expfile.h"
#include "options.h"
#include "session/AsciiBatch.h"

namespace {

const std::string kSamples = VQR_SOURCE_DIR "/samples/";

class VqrTool : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(VQR_BINARY_DIR "/vqrtool")) << "vqrtool is not built";
    ASSERT_TRUE(WriteBytes(dir.File("good.DAT"), SimpleFile(25)));
    std::vector<uint8_t> bad = SimpleFile(25);
    bad[39 * 2] = 0;
    ASSERT_TRUE(WriteBytes(dir.File("bad.DAT"), bad));
  }
  TempDir dir;
};

TEST_F(VqrTool, ExitStatusesAndMessages) {
  // Not a regular file: a FIFO would block every command waiting for a writer.
  const std::string fifo = dir.File("pipe.DAT");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string hugeIni = dir.File("huge.INI");  // far larger than settings
  ASSERT_TRUE(WriteBytes(hugeIni, {'[', 'S', ']', '\n'}));
  ASSERT_EQ(truncate(hugeIni.c_str(), 1ll << 31), 0);
  const std::string notHugeIni = "cannot read " + hugeIni, notFifo = "cannot read " + fifo;
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* err;  // expected part of stderr
  };
  const std::vector<Case> cases = {
      {{"info", kSamples + "hours40.DAT"}, 0, ""},
      {{"info", dir.File("bad.DAT")}, 1, "Error reading Data File!"},
      {{"info", dir.File("missing.DAT")}, 2, "Error opening data file!"},
      {{"info", dir.Path()}, 2, "Error opening data file!"},
      {{"info", fifo, "--json"}, 2, "Error opening data file!"},
      {{"ascii", fifo, "-o", dir.File("f.ASC")}, 2, "Error opening data file!"},
      {{"render", fifo, "-o", dir.File("f.png")}, 2, "Error opening data file!"},
      {{"overview", fifo, "-o", dir.File("f.svg")}, 2, "Error opening data file!"},
      {{"info"}, 64, "usage"},
      {{"info", "--yaml", dir.File("good.DAT")}, 64, "usage"},
      {{"nonsense"}, 64, "usage"},
      {{"ascii", dir.File("good.DAT")}, 64, "-o OUT"},
      {{"ascii", dir.File("good.DAT"), "-o"}, 64, "usage"},
      {{"ascii", dir.File("good.DAT"), "-o", dir.File("x.ASC"), "--mode", "xls"}, 64, "mode"},
      {{"ascii", dir.File("good.DAT"), "-o", dir.File("x.ASC"), "--smooth", "2x"}, 64, "smooth"},
      {{"ascii", dir.File("good.DAT"), "-o", dir.File("x.ASC")}, 0, ""},
      {{"ascii", dir.File("good.DAT"), "-o", "/dev/full"},
       3,
       "Error writing export File! (cannot write /dev/full"},
      {{"ascii", dir.File("good.DAT"), "-o", dir.File("no/dir/x.ASC")}, 3, "Error writing"},
      {{"ascii", dir.File("bad.DAT"), "-o", dir.File("y.ASC")}, 1, "Error reading Data File!"},
      {{"ascii", dir.File("nope.DAT"), "-o", dir.File("y.ASC")}, 2, "Error opening data file!"},
      {{"info", dir.File("good.DAT"), "--defaults"}, 0, ""},
      {{"info", dir.File("good.DAT"), "--public=" + dir.File("none.INI")}, 2, "none.INI"},
      {{"info", dir.File("good.DAT"), "--ini", hugeIni}, 2, notHugeIni.c_str()},
      {{"info", dir.File("good.DAT"), "--ini", fifo}, 2, notFifo.c_str()},
      {{"info", dir.File("good.DAT"), "--public", fifo}, 2, notFifo.c_str()},
      {{"info", dir.File("good.DAT"), "--public", hugeIni}, 2, notHugeIni.c_str()},
      {{"ascii", dir.File("good.DAT"), "-o", dir.File("d.ASC"), "--defaults"}, 0, ""},
      {{"ascii", dir.File("good.DAT"), "-o", dir.File("y.ASC"), "--defaults", "--ini", "x"},
       64,
       "--defaults reads no INI file"},
      {{"settings", "--public"}, 64, "usage"},
      // A slip of the output name must not destroy the recording.
      {{"ascii", dir.File("good.DAT"), "-o", dir.File("good.DAT")}, 64, "would replace"},
      {{"xlsx", dir.File("good.DAT"), "-o", dir.File("./good.DAT")}, 64, "would replace"}};
  for (const Case& c : cases) {
    std::string line;
    for (const auto& a : c.args) line += a + " ";
    const ToolRun r = Tool(c.args);
    EXPECT_EQ(r.status, c.status) << line << "\n" << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << line << "\n" << r.err;
  }
  EXPECT_FALSE(Exists(dir.File("y.ASC")));
  EXPECT_EQ(ReadFileText(dir.File("good.DAT")).size(), SimpleFile(25).size());
}

// Files may grow to 4 kB only, as on a nearly full disk (for root too).
const std::string kDiskFull = "ulimit -f 8; trap '' XFSZ; exec ";

TEST_F(VqrTool, AFullDiskKeepsTheOlderOutputAndFails) {
  const std::string in = kSamples + "full1500.DAT";
  const std::string keep = dir.File("keep");
  const std::vector<std::vector<std::string>> runs = {
      {"ascii", in, "-o", keep + "/x.asc"},
      {"ascii", in, kSamples + "days10.DAT", "-o", keep},
      {"render", in, "-o", keep + "/x.png", "--window", "1"},
      {"render", in, "-o", keep + "/x.svg"},
      {"overview", in, "-o", keep + "/x.png"},
      {"overview", in, "-o", keep + "/x.svg"}};
  for (const auto& args : runs) {
    std::filesystem::create_directory(keep);
    for (const char* name : {"x.asc", "x.png", "x.svg"})
      ASSERT_TRUE(WriteBytes(keep + "/" + name, {'o', 'l', 'd'}));
    const ToolRun r = Tool(args, kDiskFull);
    EXPECT_EQ(r.status, 3) << args[0] << " " << args[2] << "\n" << r.err;
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(keep))
      left.push_back(e.path().filename().string() + "=" +
                     ReadFileText(e.path().string()).substr(0, 8));
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"x.asc=old", "x.png=old", "x.svg=old"}))
        << args[0] << " " << args[2];
    std::filesystem::remove_all(keep);
  }
}

TEST_F(VqrTool, AFailedWriteOfTheStandardOutputFails) {
  // "stats ... > table.csv" onto a full disk must not end as if all was written.
  const std::string in = kSamples + "full1500.DAT";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"stats", in, "--compare", kSamples + "days10.DAT", "--csv"},
        {"info", in, "--json"},
        {"settings", "--defaults"},
        {"--help"}}) {
    const ToolRun r = Tool(args, "ulimit -f 1; trap '' XFSZ; exec ");
    EXPECT_EQ(r.status, 3) << args[0] << "\n" << r.err;
    EXPECT_NE(r.err.find("cannot write the output"), std::string::npos) << args[0] << "\n" << r.err;
  }
}

TEST_F(VqrTool, InfoJsonIsOneObjectWithExactFloats) {
  const ToolRun r = Tool({"info", dir.File("good.DAT"), "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("{\"ok\": true, \"sample_count\": 25, \"last_time\": 1500, "
                       "\"ref_value1\": 2, \"ref_value2\": 0.5, \"overall_max\": "),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("{\"scale\": -5e-04, \"offset\": 2.5, \"raw_min\": 1001, \"raw_max\": "
                       "1025, \"cal_min\": 1.9875, \"cal_max\": 1.9994999}"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"time\": {\"divisions\": 12, \"span\": 21600, \"start\": 0, "
                       "\"int_digits\": 1, \"decimals\": 1, \"time_in_days\": false}"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\"metadata\": {\"Param1\": \"1\", \"Param2\": \"2\", \"Param3\": \"3\", "
                       "\"Param4\": \"4\", \"Param5\": \"5\", \"Param6\": \"6\", \"ProNumber\": "
                       "\"4711\", \"HeatTemp\": \"37.5\"}}\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("nan"), std::string::npos);
  EXPECT_EQ(r.out.find("inf"), std::string::npos);

  // A strict JSON parser accepts it, also for a file that did not decode.
  ASSERT_TRUE(Exists("/usr/bin/python3"));
  for (const std::string& f :
       {dir.File("good.DAT"), dir.File("bad.DAT"), kSamples + "days10.DAT"}) {
    const std::string cmd = Quote(VQR_BINARY_DIR "/vqrtool") + " info --json " + Quote(f) +
                            " 2>/dev/null | /usr/bin/python3 -c 'import json,sys; "
                            "d=json.load(sys.stdin); assert len(d[\"channels\"])==17'";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << f;
  }
}

TEST_F(VqrTool, AsciiMatchesTheProgramsExportInEveryMode) {
  const std::string in = kSamples + "hours40.DAT";
  const std::string ini = dir.File("raw.INI");
  ASSERT_TRUE(WriteText(ini, "[AsciiFile]\nRaw=ON\n"));
  struct Case {
    std::vector<std::string> extra;
    TAsciiMode mode;
    std::vector<int> smooth;
  };
  for (const Case& c :
       {Case{{}, TAsciiMode::Calibrated, {}}, Case{{"--mode", "cal"}, TAsciiMode::Calibrated, {}},
        Case{{"--mode", "raw"}, TAsciiMode::Raw, {}},
        Case{{"--mode", "params", "--ini", "/nonexistent.INI"}, TAsciiMode::CalParams, {}},
        Case{{"--smooth", "2", "--smooth", "8"}, TAsciiMode::Calibrated, {2, 8}},
        Case{{"--ini", ini}, TAsciiMode::Raw, {}}}) {
    std::vector<std::string> args = {"ascii", in, "-o", dir.File("tool.ASC")};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const ToolRun r = Tool(args);
    ASSERT_EQ(r.status, 0) << r.err;
    TVQRSession rec;
    ASSERT_EQ(rec.Load(in), TLoadStatus::Ok);
    for (int n : c.smooth) rec.Data().Smooth(n);
    TVQRAsciiFile f;
    ASSERT_EQ(rec.ExportAscii(dir.File("own.ASC"), f, c.mode), TExportStatus::Ok);
    EXPECT_EQ(ReadFileText(dir.File("tool.ASC")), ReadFileText(dir.File("own.ASC")));
  }
  EXPECT_FALSE(Exists("/nonexistent.INI"));
}

TEST_F(VqrTool, SettingsFileChoosesTheAxesAndIsNeverWritten) {
  const std::string in = kSamples + "hours40.DAT";  // about 40 hours
  const std::string ini = dir.File("vqrshow4.INI");
  const std::string text = "[Axis1]\nMaxHour=24\n[Axis2]\nUserFactor=1000\n";
  ASSERT_TRUE(WriteText(ini, text));

  const ToolRun plain = Tool({"info", in, "--json"});
  const ToolRun set = Tool({"info", in, "--json", "--ini", ini});
  ASSERT_EQ(plain.status, 0) << plain.err;
  ASSERT_EQ(set.status, 0) << set.err;
  EXPECT_NE(plain.out.find("\"time_in_days\": false"), std::string::npos) << plain.out;
  EXPECT_NE(set.out.find("\"time_in_days\": true"), std::string::npos) << set.out;
  // The value axis fits the calibrated maximum times the user factor.
  EXPECT_NE(plain.out.find("\"value\": {\"divisions\": 10, \"span\": 2,"), std::string::npos)
      << plain.out;
  EXPECT_NE(set.out.find("\"value\": {\"divisions\": 10, \"span\": 2000,"), std::string::npos)
      << set.out;

  EXPECT_EQ(ReadFileText(ini), text);
}

TEST_F(VqrTool, BatchWritesOneFilePerInputAndReportsTheWorstStatus) {
  const std::string out = dir.File("out/sub");
  const ToolRun r = Tool({"ascii", dir.File("good.DAT"), dir.File("missing.DAT"),
                          dir.File("bad.DAT"), kSamples + "days10.DAT", "-o", out});
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_NE(r.err.find("missing.DAT: Error opening data file!"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("bad.DAT: Error reading Data File!"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("\r"), std::string::npos) << "no progress without a terminal";
  EXPECT_TRUE(Exists(out + "/good.ASC"));
  EXPECT_TRUE(Exists(out + "/days10.ASC"));
  EXPECT_FALSE(Exists(out + "/bad.ASC"));

  const ToolRun single = Tool({"ascii", kSamples + "days10.DAT", "-o", dir.File("one.ASC")});
  ASSERT_EQ(single.status, 0);
  EXPECT_EQ(ReadFileText(out + "/days10.ASC"), ReadFileText(dir.File("one.ASC")));

  const ToolRun clash = Tool({"ascii", dir.File("good.DAT"), kSamples + "../samples/hours40.DAT",
                              dir.File("good.DAT"), "-o", dir.File("clash")});
  EXPECT_EQ(clash.status, 64) << clash.err;
}

// An output that is a file the run reads, however it is spelled, is refused
// before anything is written; the recordings keep their names' suffixes.
TEST_F(VqrTool, AnOutputNeverReplacesAFileTheRunReads) {
  const std::string good = dir.File("good.DAT");
  for (const char* name : {"rec.pdf", "r2.svg", "ov.png", "in.ASC", "in.xlsx"})
    ASSERT_TRUE(WriteBytes(dir.File(name), SimpleFile(25)));
  const std::string ini = dir.File("set.png"), iniText = "[Axis1]\nMaxHour=24\n";
  ASSERT_TRUE(WriteText(ini, iniText));
  ASSERT_EQ(symlink("r2.svg", dir.File("link.svg").c_str()), 0);
  ASSERT_EQ(link(dir.File("rec.pdf").c_str(), dir.File("hard.pdf").c_str()), 0);
  dir.Sub("sub");
  const std::vector<std::vector<std::string>> runs = {
      {"print", dir.File("rec.pdf"), "-o", dir.File("rec.pdf")},
      {"print", dir.File("rec.pdf"), "-o", dir.File("sub/../hard.pdf")},
      {"print", good, "--compare", dir.File("rec.pdf"), "-o", dir.File("./rec.pdf")},
      {"render", dir.File("r2.svg"), "-o", dir.File("r2.svg")},
      {"render", dir.File("r2.svg"), "-o", dir.File("link.svg")},
      {"render", good, "--compare", dir.File("r2.svg"), "-o", dir.File("r2.svg")},
      {"render", good, "--ini", ini, "-o", ini},
      {"overview", dir.File("ov.png"), "-o", dir.File("sub/../ov.png")},
      {"overview", good, "--ini=" + ini, "-o", ini},
      {"ascii", dir.File("in.ASC"), "-o", dir.File("in.ASC")},
      {"ascii", good, "--public", dir.File("in.ASC"), "-o", dir.File("in.ASC")},
      {"xlsx", dir.File("in.xlsx"), "-o", dir.File("sub/../in.xlsx")},
  };
  for (const auto& args : runs) {
    std::string line;
    for (const auto& a : args) line += a + " ";
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.status, 64) << line << "\n" << r.err;
    EXPECT_NE(r.err.find("the output would replace the input"), std::string::npos) << line;
  }
  for (const char* name : {"rec.pdf", "r2.svg", "ov.png", "in.ASC", "in.xlsx"})
    EXPECT_EQ(ReadFileText(dir.File(name)).size(), SimpleFile(25).size()) << name;
  EXPECT_EQ(ReadFileText(ini), iniText);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.svg")));
}

// The smoothing takes distances 1 to 32 and limits larger ones, as it always
// did; vqrtool says so. A distance below 1 or not a number is a usage error.
TEST_F(VqrTool, SmoothingDistancesOutsideTheRange) {
  const std::string in = kSamples + "hours40.DAT";
  const auto stats = [&](const std::string& smooth) {
    return Tool({"stats", in, "--defaults", "--window", "17", "--csv", "--smooth", smooth});
  };
  const ToolRun limit = stats("32");
  ASSERT_EQ(limit.status, 0) << limit.err;
  EXPECT_EQ(limit.err, "");
  struct Case {
    const char* value;
    int status;
    const char* err;
  };
  for (const Case& c :
       {Case{"100000", 0, "vqrtool stats: smoothing distance 100000 is taken as 32\n"},
        Case{"40", 0, "vqrtool stats: smoothing distance 40 is taken as 32\n"},
        Case{"0", 64, "--smooth takes a whole number of 1 or more, not 0"},
        Case{"-1", 64, "--smooth takes a whole number of 1 or more, not -1"},
        Case{"1.5", 64, "not 1.5"}, Case{"", 64, "not \n"},
        Case{"99999999999", 64, "not 99999999999"}}) {
    const ToolRun r = stats(c.value);
    EXPECT_EQ(r.status, c.status) << c.value << "\n" << r.err;
    if (c.status == 0) {
      EXPECT_EQ(r.err, c.err);
      EXPECT_EQ(r.out, limit.out) << c.value;
    } else {
      EXPECT_NE(r.err.find(c.err), std::string::npos) << c.value << "\n" << r.err;
    }
  }
  // The same rule in every command that smooths.
  const ToolRun ascii = Tool({"ascii", in, "-o", dir.File("x.ASC"), "--smooth", "0"});
  EXPECT_EQ(ascii.status, 64);
  EXPECT_FALSE(Exists(dir.File("x.ASC")));
  const ToolRun render =
      Tool({"render", in, "-o", dir.File("x.svg"), "--defaults", "--smooth", "33"});
  EXPECT_EQ(render.status, 0) << render.err;
  EXPECT_NE(render.err.find("smoothing distance 33 is taken as 32"), std::string::npos);
}

// --cursor beyond the run stands on its last sample, before it on its first,
// however far; a moment that is no number is a usage error.
TEST_F(VqrTool, ACursorBeyondTheRunStandsOnItsEnd) {
  const std::string in = dir.File("good.DAT");  // a sample every minute, 1 to 25
  const auto render = [&](const std::string& cursor) {
    const std::string out = dir.File("c.svg");
    const ToolRun r =
        Tool({"render", in, "--defaults", "--size", "600x400", "-o", out, "--cursor", cursor});
    return std::make_pair(r.status, r.status == 0 ? ReadFileText(out) : r.err);
  };
  const auto last = render("0.4166"), first = render("0.0166");
  ASSERT_EQ(last.first, 0) << last.second;
  ASSERT_EQ(first.first, 0) << first.second;
  ASSERT_NE(last.second, first.second);
  for (const char* far : {"1e20", "1e300", "1e306", "0.42"}) EXPECT_EQ(render(far), last) << far;
  for (const char* before : {"-1e20", "-1e306", "0"}) EXPECT_EQ(render(before), first) << before;
  EXPECT_EQ(render("1e20,-1e20"), render("0.4166,0.0166"));
  for (const char* bad : {"nan", "inf", "-inf", "1e400", "1e20,nan"})
    EXPECT_EQ(render(bad).first, 64) << bad;
}

TEST_F(VqrTool, SettingsPrintsEveryKeyAndNeverWrites) {
  const std::string file = dir.File("my settings");
  const std::string text = "[Legend]\nTitle=Kanal X\n[Axis2]\nUserFactor=2,5\nPenWidth=4\n";
  ASSERT_TRUE(WriteText(file, text));
  const ToolRun r = Tool({"settings", "--ini", file});
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char* line : {"Legend/Title = Kanal X\n", "Axis2/UserFactor = 2.000000\n",
                           "Axis2/PenWidth = 4\n", "Axis2/PenStyle = 0\n", "Logo/Scale = 0.000\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  EXPECT_EQ(ReadFileText(file), text);
  EXPECT_NE(Tool({"settings", "--defaults"}).out.find("Legend/Title = \n"), std::string::npos);
  EXPECT_EQ(Tool({"settings", "--ini", dir.File("missing.ini")}).status, 2);
  EXPECT_EQ(Tool({"settings", "--frobnicate"}).status, 64);
}

}  // namespace

// What a command's option table makes of a command line: the inputs, every
// value as given with the numbers made of it (by key), and what stderr gets;
// or 64 and the usage error.
std::string Parsed(const TArgTable& table, const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(table, args);
  if (a.Status != 0) return std::to_string(a.Status) + " " + a.Messages;
  std::string s;
  for (const std::string& input : a.Inputs) s += "<" + input + "> ";
  for (const auto& [key, values] : a.Values)
    for (const TArgValue& v : values) {
      s += key;
      if (v.Text != key) s += "=" + v.Text;
      for (size_t k = 0; k < v.Numbers.size(); ++k) {
        char buf[32];
        *std::to_chars(buf, buf + sizeof buf - 1, v.Numbers[k]).ptr = 0;
        s += k ? ',' : '(';
        s += buf;
        if (k + 1 == v.Numbers.size()) s += ')';
      }
      s += " ";
    }
  return s + a.Messages;
}

TEST(VqrToolOptions, EveryCommandsTable) {
  struct Case {
    const TArgTable& table;
    std::vector<std::string> args;
    std::string want;
  };
  const std::vector<Case> cases = {
      {kAsciiArgs,
       {"a.DAT", "b.DAT", "-o", "out", "--mode", "params", "--smooth", "2", "--smooth", " 40"},
       "<a.DAT> <b.DAT> --mode=params(2) --smooth=2(2) --smooth= 40(40) -o=out "
       "vqrtool ascii: smoothing distance 40 is taken as 32\n"},
      {kAsciiArgs, {"a.DAT", "-o", "o", "--mode", "CAL"}, "64 vqrtool ascii: unknown mode CAL\n"},
      {kAsciiArgs, {"-o", "o"}, "64 vqrtool ascii: no input file\n"},
      {kAsciiArgs, {"", "-", "-o", "--mode"}, "<> <-> -o=--mode "},
      {kAsciiArgs,
       {"a", "--smooth", "1.5"},
       "64 vqrtool ascii: --smooth takes a whole number of 1 or more, not 1.5\n"},
      {kInfoArgs, {"--json", "", "a.DAT", "--defaults"}, "<a.DAT> --defaults --json "},
      {kInfoArgs, {"a.DAT", "b.DAT"}, "64 vqrtool info: only one file, please\n"},
      {kInfoArgs, {"-"}, "64 vqrtool info: unknown option '-'\n"},
      {kInfoArgs, {"--json"}, "64 "},
      {kOverviewArgs,
       {"a", "--size", "300X200", "--curve", "-o", "o.png"},
       "<a> --curve --size=300X200(300,200) -o=o.png "},
      {kOverviewArgs,
       {"a", "--size", "0x200"},
       "64 vqrtool overview: --size takes WxH, not 0x200\n"},
      {kOverviewArgs, {"a", "", "b"}, "64 vqrtool overview: more than one input file: \n"},
      {kPrintArgs,
       {"a", "b", "--window", "18", "--paper", "lEtTeR", "--landscape", "--portrait", "--dpi", "72",
        "--printer", "lp", "--compare", "c", "d"},
       "<a> <b> --compare=c --compare=d --dpi=72(72) --paper=lEtTeR(2) --printer=lp "
       "--window=18(18) orientation=--landscape orientation=--portrait "},
      {kPrintArgs,
       {"a", "--paper", "A5"},
       "64 vqrtool print: --paper takes A4, A3 or Letter, not A5\n"},
      {kPrintArgs, {"a", "--dpi", "2401"}, "64 vqrtool print: --dpi takes 72..2400, not 2401\n"},
      {kPrintArgs,
       {"a", "--window", "17"},
       "64 vqrtool print: --window takes 1..16, 18 or 19, not 17\n"},
      {kRenderArgs,
       {"a", "--zoom", "1, 2,3,4", "--cursor", "0.5,-1e20", "--zero", "--size", "1x20000"},
       "<a> --cursor=0.5,-1e20(0.5,-1e+20) --size=1x20000(1,20000) --zero --zoom=1, "
       "2,3,4(1,2,3,4) "},
      {kRenderArgs,
       {"a", "--cursor", "1,2,3"},
       "64 vqrtool render: --cursor takes H or H,H2 in hours, not 1,2,3\n"},
      {kRenderArgs,
       {"a", "--cursor", "inf"},
       "64 vqrtool render: --cursor takes H or H,H2 in hours, not inf\n"},
      {kRenderArgs,
       {"a", "--zoom", "1,2,3"},
       "64 vqrtool render: --zoom takes X1,Y1,X2,Y2 in divisions, not 1,2,3\n"},
      {kRenderArgs,
       {"a", "--size", "20001x1"},
       "64 vqrtool render: --size takes WxH (1..20000), not 20001x1\n"},
      {kRenderArgs,
       {"a", "--compare", "b", "c", "d", "--compare", "e", "f", "g", "h", "i"},
       "64 vqrtool render: --compare takes at most 7 recordings\n"},
      {kRenderArgs,
       {"a", "--compare", "--zero"},
       "64 vqrtool render: --compare needs at least one recording\n"},
      {kRenderArgs, {"a", "--compare", "-", "-5"}, "64 vqrtool render: unknown option -5\n"},
      {kSettingsArgs, {"--public=p", "--ini", "i"}, "--ini=i --public=p "},
      {kSettingsArgs, {}, ""},
      {kSettingsArgs, {"x"}, "64 vqrtool settings: unexpected argument 'x'\n"},
      {kStatsArgs,
       {"a", "--window", "17", "--from", " 1.5", "--to", "1e1", "--csv", "--json"},
       "<a> --csv --from= 1.5(1.5) --json --to=1e1(10) --window=17(17) "},
      {kStatsArgs, {"a", "--to", "nan"}, "64 vqrtool stats: --to takes hours, not nan\n"},
      {kStatsArgs,
       {"a", "--smooth", "40", "--window", "20"},
       "64 vqrtool stats: smoothing distance 40 is taken as 32\n"
       "vqrtool stats: --window takes 1..16, 17 (temperature), 18 or 19, not 20\n"},
      {kXlsxArgs,
       {"a", "--calc", "--workbook", "W", "--sheet", "S", "--new-sheet", "N", "--new-workbook"},
       "<a> --calc --new-sheet=N --new-workbook --sheet=S --workbook=W "},
  };
  for (const Case& c : cases) {
    std::string line = c.table.Command;
    for (const auto& a : c.args) line += " " + a;
    EXPECT_EQ(Parsed(c.table, c.args), c.want) << line;
  }

  // What every command takes the same way, and the few that word it otherwise.
  for (const TArgTable* table : {&kAsciiArgs, &kInfoArgs, &kOverviewArgs, &kPrintArgs, &kRenderArgs,
                                 &kSettingsArgs, &kStatsArgs, &kXlsxArgs}) {
    const std::string cmd = table->Command, say = "64 vqrtool " + cmd + ": ";
    const bool settings = cmd == "settings", info = cmd == "info";
    const std::vector<std::string> in =
        settings ? std::vector<std::string>{} : std::vector<std::string>{"a"};
    const auto with = [&](std::vector<std::string> args) {
      args.insert(args.begin(), in.begin(), in.end());
      return Parsed(*table, args);
    };
    EXPECT_EQ(with({"--ini=i.INI", "--public", "--x", "--defaults"}),
              (settings ? "" : "<a> ") + std::string("--defaults --ini=i.INI --public=--x "))
        << cmd;
    EXPECT_EQ(with({"--public"}), say + (settings ? "unexpected argument '--public'\n"
                                                  : "missing value after --public\n"));
    for (const char* unknown : {"--ini=", "--window=3", "-x"})
      EXPECT_EQ(with({unknown}),
                say + (settings ? "unexpected argument '" + std::string(unknown) + "'\n"
                       : info   ? "unknown option '" + std::string(unknown) + "'\n"
                                : "unknown option " + std::string(unknown) + "\n"));
  }
}

// --help and --version of both programs answer on stdout and succeed; the
// program's are no file names to open.
TEST(ProgramSwitches, HelpAndVersionPrintAndExitZero) {
  struct Case {
    const char* program;
    const char* arg;
    const char* out;  // expected part of stdout
  };
  const std::string version = std::string(" " VQR_VERSION "\n");
  const std::vector<Case> cases = {
      {"vqrtool", "--help", "vqrtool print FILE.DAT..."},
      {"vqrtool", "--version", "vqrtool"},
      {"vqrshow4", "--help", "usage: vqrshow4 [FILE.DAT | FILE.vqa]"},
      {"vqrshow4", "--version", "vqrshow4"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    // No display: the program must answer before it needs one.
    const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 " +
                            Quote(std::string(VQR_BINARY_DIR "/") + c.program) + " " + c.arg +
                            " >" + Quote(dir.File("out")) + " 2>&1 </dev/null";
    EXPECT_EQ(RunShell(cmd), 0) << c.program << " " << c.arg;
    const std::string out = ReadFileText(dir.File("out"));
    EXPECT_NE(out.find(c.out), std::string::npos) << c.program << " " << c.arg << "\n" << out;
    if (std::string(c.arg) == "--version") {
      EXPECT_EQ(out, c.program + version);
    }
  }
}
