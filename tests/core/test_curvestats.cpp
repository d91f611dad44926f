// Statistics of a curve over a time range, checked against sums formed here
// in long double over the test's own table of values, and vqrtool stats.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

#include "chart/curvestats.h"
#include "core_fixtures.h"
#include "data/numtext.h"
#include "data/tablefield.h"
#include "testaccess.h"

namespace {

// Seconds, channel 1 and temperature of each sample: dyadic values, so the
// drawn values (factor 1, zero point 0.25 below) are exact.
struct Row {
  int32_t seconds;
  float ch1;
  float temp;
};
const Row kRows[] = {{0, 1.5f, -5.5f},    {600, 2.25f, -3.0f}, {1200, 4.0f, -3.0f},
                     {1800, 4.0f, -0.5f}, {2400, 3.0f, 1.25f}, {3600, 7.5f, 2.0f},
                     {3600, 6.0f, 2.5f}};
constexpr float kCalMin1 = 0.25f;

struct Expected {
  int n = 0;
  double min = 0, minAt = 0, max = 0, maxAt = 0, first = 0, last = 0, mean = 0;
  std::optional<double> sd, slope;
};

Expected Compute(int ch, bool zero, double from, double to) {
  std::vector<long double> t, v;
  for (const Row& r : kRows) {
    if (r.seconds < from || r.seconds > to) continue;
    t.push_back(r.seconds / 3600.0L);
    v.push_back(ch == kTempChannel ? r.temp : r.ch1 - (zero ? kCalMin1 : 0.0f));
  }
  Expected e;
  e.n = static_cast<int>(v.size());
  if (!e.n) return e;
  long double sv = 0, st = 0;
  e.min = e.max = static_cast<double>(v[0]);
  e.minAt = e.maxAt = static_cast<double>(t[0]);
  for (size_t i = 0; i < v.size(); ++i) {
    sv += v[i];
    st += t[i];
    if (v[i] < e.min) e.min = static_cast<double>(v[i]), e.minAt = static_cast<double>(t[i]);
    if (v[i] > e.max) e.max = static_cast<double>(v[i]), e.maxAt = static_cast<double>(t[i]);
  }
  e.first = static_cast<double>(v.front());
  e.last = static_cast<double>(v.back());
  const long double mv = sv / e.n, mt = st / e.n;
  e.mean = static_cast<double>(mv);
  if (e.n < 2) return e;
  long double svv = 0, stt = 0, stv = 0;
  for (size_t i = 0; i < v.size(); ++i) {
    svv += (v[i] - mv) * (v[i] - mv);
    stt += (t[i] - mt) * (t[i] - mt);
    stv += (t[i] - mt) * (v[i] - mv);
  }
  e.sd = static_cast<double>(std::sqrt(svv / (e.n - 1)));
  if (stt > 0) e.slope = static_cast<double>(stv / stt);
  return e;
}

void ExpectNear(std::optional<double> got, std::optional<double> want, const char* what) {
  ASSERT_EQ(got.has_value(), want.has_value()) << what;
  if (want) {
    EXPECT_NEAR(*got, *want, 1e-9 * std::max(1.0, std::fabs(*want))) << what;
  }
}

class CurveStatsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int i = 1;
    for (const Row& r : kRows) {
      TVQRSample& s = store.Samples[i++];
      s.Day = 1;  // a clock time, so that the slot counts as a sample
      s.Seconds = r.seconds;
      s.Cal[1] = r.ch1;
      s.Cal[kTempChannel] = r.temp;
    }
    store.SampleCount = i - 1;
    data.SetStore(&store);
    TTestAccess::Cal(data, 1).CalMin = kCalMin1;
  }
  TVQRDataObject store;
  TVqrDataObjectNew data;
};

struct Case {
  const char* name;
  int ch;
  bool zero;
  double from, to;  // seconds
  bool zoomed;      // the range is the zoomed time axis
};

TEST_F(CurveStatsTest, MatchesAnIndependentComputation) {
  const Case cases[] = {
      {"whole run", 1, false, -1e9, 1e9, false},
      {"one sample", 1, false, 500, 700, false},
      {"empty range", 1, false, 4000, 5000, false},
      {"zero-time end", 1, false, 0, 600, false},
      {"bounds reversed", 1, false, 600, 0, false},
      {"zero point", 1, true, -1e9, 1e9, false},
      {"negative temperatures", kTempChannel, false, 0, 1200, false},
      {"equal times: no slope", kTempChannel, false, 3000, 3600, false},
      {"zoomed time axis", 1, false, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    data.SetZeroPoint(c.zero);
    double from = c.from, to = c.to;
    if (c.zoomed) {
      // As a zoom leaves it: the axis starts at 10 minutes and spans 30.
      TTestAccess::Axes(data).Time = AxisRange{3, 1800.0f, -600.0f, 1, 1, false};
      TimeAxisRange(data, from, to);
      EXPECT_EQ(from, 600.0);
      EXPECT_EQ(to, 2400.0);
    }
    const TCurveStats got = CurveStats(data, c.ch, from, to);
    const Expected want = Compute(c.ch, c.zero, std::min(from, to), std::max(from, to));
    EXPECT_EQ(got.Channel, c.ch);
    ASSERT_EQ(got.Count, want.n);
    if (want.n == 0) {
      EXPECT_FALSE(got.StdDev || got.SlopePerH);
      continue;
    }
    EXPECT_EQ(got.Min, want.min);
    EXPECT_EQ(got.MinAtHours, want.minAt);
    EXPECT_EQ(got.Max, want.max);
    EXPECT_EQ(got.MaxAtHours, want.maxAt);
    EXPECT_EQ(got.First, want.first);
    EXPECT_EQ(got.Last, want.last);
    ExpectNear(got.Mean, want.mean, "mean");
    ExpectNear(got.StdDev, want.sd, "std");
    ExpectNear(got.SlopePerH, want.slope, "slope");
  }
}

TEST_F(CurveStatsTest, NearestSampleAndClockText) {
  EXPECT_EQ(NearestSample(data, -100), 1);
  EXPECT_EQ(NearestSample(data, 899), 2);
  EXPECT_EQ(NearestSample(data, 900), 2);  // a tie: the earlier sample
  EXPECT_EQ(NearestSample(data, 1e9), 6);
  // However far beyond the run: its end, not a tie of equal rounded distances.
  EXPECT_EQ(NearestSample(data, 3.6e23), 6);
  EXPECT_EQ(NearestSample(data, INFINITY), 6);
  EXPECT_EQ(NearestSample(data, -3.6e23), 1);
  EXPECT_EQ(NearestSample(data, -INFINITY), 1);
  EXPECT_EQ(NearestSample(data, NAN), 1);
  EXPECT_EQ(ElapsedClockText(0), "0:00:00");
  EXPECT_EQ(ElapsedClockText(130 * 3600 + 5 * 60 + 9), "130:05:09");
}

// The marker times of "Messwerte": vqrtool stats reads an hours text back
// and multiplies it by 3600; a range between the texts of two sample times
// must take exactly the samples from one to the other.
TEST(HoursBoundText, ReadBackTakesTheSameSamples) {
  const struct {
    double seconds;
    TTimeBound bound;
    const char* want;
  } cases[] = {
      {43227, TTimeBound::From, "12.0075"},  // 12.008 would leave the sample out
      {43227, TTimeBound::To, "12.0075"},
      {43230, TTimeBound::From, "12.0083"},  // 12.00833... rounded down
      {43230, TTimeBound::To, "12.0084"},    // and up
      {43200, TTimeBound::From, "12.000"},
      {0, TTimeBound::To, "0.000"},
      {60, TTimeBound::From, "0.0166"},
      {60, TTimeBound::To, "0.0167"},
      {-36, TTimeBound::From, "-0.010"},
      {600.5, TTimeBound::From, "0.1668"},  // an axis end between two seconds
      {600.5, TTimeBound::To, "0.1668"},
      {60, TTimeBound::At, "0.0167"},  // a sample's own time: the nearest
      {43230, TTimeBound::At, "12.0083"},
      {43200, TTimeBound::At, "12.000"},
  };
  for (const auto& c : cases) EXPECT_EQ(HoursBoundText(c.seconds, c.bound), c.want) << c.seconds;
  EXPECT_EQ(HoursBoundText(NAN, TTimeBound::From), "");

  auto readBack = [](const std::string& text) {
    double hours = NAN;
    EXPECT_TRUE(WholeFloatFromText(text, hours)) << text;
    return hours * 3600.0;
  };
  int longer = 0;
  for (int32_t t = 0; t <= 400000; ++t) {
    const std::string from = HoursBoundText(t, TTimeBound::From);
    const std::string to = HoursBoundText(t, TTimeBound::To);
    const std::string at = HoursBoundText(t, TTimeBound::At);
    const double f = readBack(from), b = readBack(to);
    if (!(f > t - 1 && f <= t && b >= t && b < t + 1 && std::round(readBack(at)) == t)) {
      ADD_FAILURE() << t << ": " << from << " " << to << " " << at;
      break;
    }
    // Whole seconds never take more than four decimals.
    longer += from.size() - from.find('.') > 5 || to.size() - to.find('.') > 5;
  }
  EXPECT_EQ(longer, 0);
}

TEST(VqrtoolStats, JsonIsTheSameUnderAGermanLocale) {
  TempDir dir;
  const std::string file = dir.File("rec.DAT");
  ASSERT_TRUE(WriteBytes(file, SimpleFile(5)));
  const std::vector<std::string> args = {"stats",  file,   "--defaults", "--window", "2",
                                         "--from", "0.03", "--to",       "0.05",     "--json"};
  const ToolRun c = Tool(args, "LC_ALL=C ");
  const ToolRun de = Tool(args, "LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ");
  ASSERT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(de.out, c.out);
  // Samples at minutes 2 and 3 only; the times in hours, written exactly.
  EXPECT_NE(
      c.out.find("\"from_h\": 0.03, \"to_h\": 0.05, \"curves\": [{\"channel\": 2, \"n\": 2, "),
      std::string::npos)
      << c.out;
  EXPECT_NE(c.out.find("\"max_at_h\": 0.03333333333333333,"), std::string::npos) << c.out;

  const ToolRun one = Tool(
      {"stats", file, "--defaults", "--window", "17", "--from", "0.05", "--to", "0.05", "--csv"});
  EXPECT_EQ(one.out.substr(0, one.out.find('\n')),
            "channel,n,min,min_at_h,max,max_at_h,first,last,mean,std,slope_per_h");
  EXPECT_NE(one.out.find("\n17,1,20,0.05,20,0.05,20,20,20,,\n"), std::string::npos) << one.out;
  EXPECT_EQ(Tool({"stats", file, "--json", "--csv", "--defaults"}).status, 64);

  // JSON is UTF-8: a byte of another code page in a file name is written as U+FFFD.
  const std::string odd = dir.File("r\xc3\xa4\"\xff.DAT");
  ASSERT_TRUE(WriteBytes(odd, SimpleFile(5)));
  const ToolRun named = Tool({"stats", odd, "--defaults", "--json"});
  EXPECT_EQ(named.out.find("{\"file\": \"" + dir.File("r\xc3\xa4\\\"\xef\xbf\xbd.DAT") + "\", "),
            0u)
      << named.out;
}

// Two recordings of different lengths, the temperature of sample i (every
// minute) temps[i - 1] tenths of a degree: each recording's entry over the
// same time range holds its own samples' statistics; without --compare the
// output is that of the open recording alone, and the open one's fields
// stay first.
TEST(VqrtoolStats, CompareGivesEveryRecordingOverTheSameRange) {
  const std::vector<int16_t> temps[] = {{200, 215, -30, 180, 195},
                                        {-55, 10, 300, 120, 125, 250, 40, 80}};
  TempDir dir;
  std::string files[2];
  for (int r = 0; r < 2; ++r) {
    TDatWriter w;
    DatHeader{}.AddTo(w);
    for (size_t i = 1; i <= temps[r].size(); ++i)
      w.Add(MakeDataRecord(60 * static_cast<int>(i), Readings(1000, temps[r][i - 1])));
    files[r] = dir.File(r ? "b.DAT" : "a.DAT");
    ASSERT_TRUE(WriteBytes(files[r], w.Bytes()));
  }
  // Minutes 2 to 7: samples 2..5 of a, 2..7 of b.
  const std::vector<std::string> base = {"stats",  files[0], "--defaults", "--window", "17",
                                         "--from", "0.03",   "--to",       "0.12",     "--json"};
  std::vector<std::string> args = base;
  args.insert(args.end(), {"--compare", files[1]});
  const ToolRun both = Tool(args);
  const ToolRun alone = Tool(base);
  ASSERT_EQ(both.status, 0) << both.err;
  ASSERT_EQ(alone.out.back(), '\n');
  // The single-recording object, then the array.
  EXPECT_EQ(both.out.substr(0, alone.out.size() - 2) + "}\n", alone.out);
  EXPECT_EQ(alone.out.find("recordings"), std::string::npos);

  auto number = [&](size_t from, const std::string& key) {
    const size_t at = both.out.find("\"" + key + "\": ", from);
    double v = NAN;
    if (at == std::string::npos) return v;
    const char* p = both.out.data() + at + key.size() + 4;
    std::from_chars(p, both.out.data() + both.out.size(), v);
    return v;
  };
  size_t at = both.out.find("\"recordings\": [");
  ASSERT_NE(at, std::string::npos) << both.out;
  for (int r = 0; r < 2; ++r) {
    SCOPED_TRACE(r);
    at = both.out.find("{\"file\": \"" + files[r] + "\", \"curves\": [{\"channel\": 17, ", at);
    ASSERT_NE(at, std::string::npos) << both.out;
    const size_t last = r ? 7 : 5;
    double lo = INFINITY, hi = -INFINITY, sum = 0;
    for (size_t i = 2; i <= last; ++i) {
      const double v = temps[r][i - 1] / 10.0;
      lo = std::min(lo, v), hi = std::max(hi, v), sum += v;
    }
    EXPECT_EQ(number(at, "n"), last - 1);
    EXPECT_NEAR(number(at, "min"), lo, 1e-6);
    EXPECT_NEAR(number(at, "max"), hi, 1e-6);
    EXPECT_NEAR(number(at, "mean"), sum / (last - 1), 1e-6);
  }
  args[9] = "--csv";
  const std::string csv = Tool(args).out;
  EXPECT_EQ(csv.substr(0, csv.find('\n')),
            "file,channel,n,min,min_at_h,max,max_at_h,first,last,mean,std,slope_per_h");
  EXPECT_NE(csv.find("\n" + files[1] + ",17,6,"), std::string::npos) << csv;
}

// A line of a tab- or comma-separated table split into its fields, quoted
// ones as a spreadsheet reads them.
std::vector<std::string> SplitRow(const std::string& line, char separator) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"')
        fields.back() += c;
      else if (i + 1 < line.size() && line[i + 1] == '"')
        fields.back() += '"', ++i;
      else
        quoted = false;
    } else if (c == '"' && fields.back().empty()) {
      quoted = true;
    } else if (c == separator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// The escapes of a field back to the text.
std::string Unescaped(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char e = s[++i];
    if (e == 't' || e == 'n' || e == 'r') {
      out += e == 't' ? '\t' : e == 'n' ? '\n' : '\r';
    } else if (e == 'x' || e == 'u') {
      const size_t digits = e == 'x' ? 2 : 4;
      const int code = std::stoi(s.substr(i + 1, digits), nullptr, 16);
      if (code < 0x80) {
        out += static_cast<char>(code);
      } else {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
      }
      i += digits;
    } else {
      out += e;
    }
  }
  return out;
}

// File names a user or another program can give a recording: in the text
// and CSV tables every line keeps the header's number of fields, the output
// stays UTF-8, and the field reads back as the name (a byte that is not
// UTF-8 as U+FFFD); JSON stays one line of UTF-8.
TEST(VqrtoolStats, HostileFileNamesKeepEveryRowsFields) {
  struct Name {
    std::string name, readsAs;  // readsAs empty: the name itself
  };
  const std::vector<Name> names = {
      {"tab\there.DAT", ""},
      {"new\nline.DAT", ""},
      {"cr\rlf\r\n.DAT", ""},
      {"quo\"te.DAT", ""},
      {"\"lead.DAT", ""},
      {"com,ma \"x\",.DAT", ""},
      {"back\\t\\.DAT", ""},
      {"esc\x1b[31m\x7f.DAT", ""},
      {"c1\xc2\x9b.DAT", ""},
      {"\xc3\xbcmlaut \xe2\x82\xac.DAT", ""},
      {"bad\xff\xfe.DAT", "bad\xef\xbf\xbd\xef\xbf\xbd.DAT"},
      {"cut\xc3.DAT", "cut\xef\xbf\xbd.DAT"},
      {"overlong\xc0\xaf.DAT", "overlong\xef\xbf\xbd\xef\xbf\xbd.DAT"},
  };
  TempDir dir;
  const std::string other = dir.File("other.DAT");
  ASSERT_TRUE(WriteBytes(other, SimpleFile(5)));
  for (const Name& n : names) {
    SCOPED_TRACE(n.name);
    const std::string file = dir.File(n.name);
    ASSERT_TRUE(WriteBytes(file, SimpleFile(5)));
    const std::string shown = dir.File(n.readsAs.empty() ? n.name : n.readsAs);
    for (const char* format : {"--csv", "", "--json"}) {
      SCOPED_TRACE(format);
      std::vector<std::string> args = {"stats", file,        "--defaults", "--window",
                                       "17",    "--compare", other};
      if (*format) args.push_back(format);
      const ToolRun r = Tool(args);
      ASSERT_EQ(r.status, 0) << r.err;
      ASSERT_TRUE(WriteText(dir.Path() + "/../out.txt", r.out));
      EXPECT_EQ(RunShell("iconv -f UTF-8 -t UTF-8 " + Quote(dir.Path() + "/../out.txt") +
                         " >/dev/null 2>&1"),
                0)
          << "not UTF-8:\n"
          << r.out;
      std::remove((dir.Path() + "/../out.txt").c_str());
      ASSERT_EQ(r.out.back(), '\n');
      std::vector<std::string> lines;
      for (size_t at = 0, end; at < r.out.size(); at = end + 1)
        lines.push_back(r.out.substr(at, (end = r.out.find('\n', at)) - at));
      if (std::string(format) == "--json") {
        EXPECT_EQ(lines.size(), 1u) << r.out;
        continue;
      }
      const char separator = *format ? ',' : '\t';
      ASSERT_EQ(lines.size(), 3u) << r.out;
      const std::vector<std::string> header = SplitRow(lines[0], separator);
      ASSERT_EQ(header.size(), 12u) << lines[0];
      EXPECT_EQ(header[0], "file");
      for (size_t k = 1; k < lines.size(); ++k) {
        const std::vector<std::string> row = SplitRow(lines[k], separator);
        ASSERT_EQ(row.size(), header.size()) << lines[k];
        EXPECT_EQ(row[1], "17") << lines[k];
        EXPECT_EQ(Unescaped(row[0]), k == 1 ? shown : other) << lines[k];
      }
    }
  }
}

// The escaping on its own, as every table that names a file uses it.
TEST(TableField, OneLineOfUtf8ThatReadsBack) {
  struct Case {
    std::string text, tab, csv, inText;  // inText: within a longer field
  };
  const std::string fffd = "\xef\xbf\xbd";
  const Case cases[] = {
      {"plain.DAT", "plain.DAT", "plain.DAT", "plain.DAT"},
      {"Messung Öl 20°C – Ü.DAT", "Messung Öl 20°C – Ü.DAT", "Messung Öl 20°C – Ü.DAT",
       "Messung Öl 20°C – Ü.DAT"},
      {"a,b", "a,b", "\"a,b\"", "a,b"},
      {"say \"hi\"", "\"say \"\"hi\"\"\"", "\"say \"\"hi\"\"\"", "say \"hi\""},
      {"t\tn\nr\r\\", "t\\tn\\nr\\r\\\\", "t\\tn\\nr\\r\\\\", "t\\tn\\nr\\r\\\\"},
      {std::string("nul\0x\x7f", 6), "nul\\x00x\\x7f", "nul\\x00x\\x7f", "nul\\x00x\\x7f"},
      {"\xc2\x85\xc2\xa0", "\\u0085\xc2\xa0", "\\u0085\xc2\xa0", "\\u0085\xc2\xa0"},
      {"l\xe2\x80\xa8p\xe2\x80\xa9", "l\\u2028p\\u2029", "l\\u2028p\\u2029", "l\\u2028p\\u2029"},
      {"\xed\xa0\x80", fffd + fffd + fffd, fffd + fffd + fffd, fffd + fffd + fffd},  // surrogate
      {"cut \xe2\x82", "cut " + fffd + fffd, "cut " + fffd + fffd, "cut " + fffd + fffd},
      {"latin1 \xe4", "latin1 " + fffd, "latin1 " + fffd, "latin1 " + fffd},
      {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
      {"", "", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TableField(c.text, '\t'), c.tab) << c.text;
    EXPECT_EQ(TableField(c.text, ','), c.csv) << c.text;
    EXPECT_EQ(EscapedText(c.text), c.inText) << c.text;
  }
  // Every byte, twice: one line of valid UTF-8 without a tab.
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  for (const std::string& got : {TableField(all + all, '\t'), EscapedText(all + all)}) {
    for (size_t i = 0; i < got.size(); i += Utf8SequenceLength(got, i))
      ASSERT_NE(Utf8SequenceLength(got, i), 0u) << i;
    EXPECT_EQ(got.find_first_of("\t\n\r"), std::string::npos);
  }
}

// Drawn values are 32-bit floats: each is written as the shortest text that
// reads back as that float (183 tenths of a degree times 0.1 is the float
// next above 18.3); means are doubles. --from after --to is an empty range.
TEST(VqrtoolStats, DrawnFloatsShortestAndReversedBoundsEmpty) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  const int16_t temps[] = {183, 191, 233};
  for (int i = 1; i <= 3; ++i) w.Add(MakeDataRecord(60 * i, Readings(1000, temps[i - 1])));
  TempDir dir;
  const std::string file = dir.File("t.DAT");
  ASSERT_TRUE(WriteBytes(file, w.Bytes()));
  const ToolRun r = Tool({"stats", file, "--defaults", "--window", "17", "--csv"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> row = SplitRow(r.out.substr(r.out.find('\n') + 1), ',');
  ASSERT_EQ(row.size(), 11u) << r.out;
  const float t[] = {183 * 0.1f, 191 * 0.1f, 233 * 0.1f};
  EXPECT_EQ(row[2], "18.300001");  // min
  EXPECT_EQ(row[4], "23.300001");  // max
  EXPECT_EQ(row[6], "18.300001");  // first
  EXPECT_EQ(row[7], "23.300001");  // last
  for (int k : {2, 4, 6, 7}) {
    float back = 0;
    std::from_chars(row[k].data(), row[k].data() + row[k].size(), back);
    EXPECT_TRUE(back == t[0] || back == t[2]) << row[k];
  }

  for (const auto& [from, to, n] : {std::tuple{"0.05", "0.02", "0"},
                                    {"0.02", "0.05", "2"},
                                    {"1e+308", "1e+308", "0"},
                                    {"-1e+308", "1e+308", "3"}}) {
    const ToolRun b =
        Tool({"stats", file, "--defaults", "--window", "17", "--from", from, "--to", to, "--json"});
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_NE(b.out.find("\"from_h\": " + std::string(from) + ", \"to_h\": " + to +
                         ", \"curves\": [{\"channel\": 17, \"n\": " + n + ", "),
              std::string::npos)
        << b.out;
  }
}

}  // namespace
