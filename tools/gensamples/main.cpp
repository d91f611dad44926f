// Writes the bundled sample recordings: smooth channel curves with noise, a
// daily temperature swing and slightly irregular sampling times. The output
// is the same on every run.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "data/DatWriter.h"

namespace {
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  double Uniform() {  // [0, 1)
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }
  double Noise() {  // roughly normal, mean 0, deviation 1
    double s = 0;
    for (int i = 0; i < 12; ++i) s += Uniform();
    return s - 6.0;
  }

 private:
  uint64_t state_;
};

struct Recipe {
  const char* name;
  int records;
  int32_t duration;  // seconds
  uint64_t seed;
  float ref1;
  float ref2;
  int16_t proNumber;
  int16_t heatTemp;
};

int16_t Clamp16(double v) {
  return static_cast<int16_t>(std::lround(std::fmin(32767.0, std::fmax(-32768.0, v))));
}

bool Write(const std::string& dir, const Recipe& r) {
  Random rnd(r.seed);
  TDatWriter w;
  w.Add(MakeStartRecord(0x01));
  TDatParams p;
  p.Param = {12, 250, 3, -40, 1800, 7};
  p.ProNumber = r.proNumber;
  p.HeatTemp = r.heatTemp;
  p.RefValue1 = r.ref1;
  p.RefValue2 = r.ref2;
  w.Add(MakeParamRecord(p));
  std::array<int16_t, 16> raw1{};
  std::array<int16_t, 16> raw2{};
  for (int ch = 0; ch < 16; ++ch) {
    raw1[ch] = static_cast<int16_t>(900 + 37 * ch + static_cast<int>(rnd.Uniform() * 60));
    raw2[ch] =
        static_cast<int16_t>(raw1[ch] + 2800 + 53 * ch + static_cast<int>(rnd.Uniform() * 200));
  }
  w.Add(MakeRefRecord(1, raw1));
  w.Add(MakeRefRecord(2, raw2));

  // Per channel: level at the start, the change over the run, its time
  // constant and a slow wave, as fractions of the reference interval.
  std::array<double, 16> level{}, change{}, tau{}, wave{}, phase{};
  for (int ch = 0; ch < 16; ++ch) {
    level[ch] = 0.05 + 0.25 * rnd.Uniform();
    change[ch] = 0.2 + 0.6 * rnd.Uniform();
    tau[ch] = r.duration * (0.1 + 0.5 * rnd.Uniform());
    wave[ch] = 0.01 + 0.03 * rnd.Uniform();
    phase[ch] = 6.283 * rnd.Uniform();
  }
  const double interval = static_cast<double>(r.duration) / r.records;
  double t = 300.0;  // the instrument starts a few minutes before the first sample
  for (int i = 0; i < r.records; ++i) {
    const auto seconds = static_cast<int32_t>(t);
    std::array<int16_t, 17> raw{};
    for (int ch = 0; ch < 16; ++ch) {
      const double f = level[ch] + change[ch] * (1.0 - std::exp(-t / tau[ch])) +
                       wave[ch] * std::sin(t / 20000.0 + phase[ch]);
      raw[ch] = Clamp16(raw1[ch] + f * (raw2[ch] - raw1[ch]) + 4.0 * rnd.Noise());
    }
    // Daily swing between about 18.9 and 26.1 degrees.
    raw[16] =
        Clamp16(225.0 + 36.0 * std::sin(6.2831853 * (t - 21600.0) / 86400.0) + 3.0 * rnd.Noise());
    w.Add(MakeDataRecord(seconds, raw));
    t += interval * (0.8 + 0.4 * rnd.Uniform());
    if (static_cast<int32_t>(t) <= seconds) t = seconds + 1;
  }
  const std::string path = dir + "/" + r.name;
  if (!w.Save(path)) {
    std::fprintf(stderr, "vqrgensamples: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s: %d data records\n", path.c_str(), r.records);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : "samples";
  const Recipe recipes[] = {
      {"hours40.DAT", 800, 40 * 3600, 1, 2.0f, 0.5f, 4711, 375},
      {"days10.DAT", 1200, 10 * 86400, 2, 1.25f, 0.2f, 815, 370},
      {"full1500.DAT", 1500, 60 * 3600, 3, 3.0f, 0.75f, 1234, 380},
  };
  bool ok = true;
  for (const Recipe& r : recipes) ok = Write(dir, r) && ok;
  return ok ? 0 : 1;
}
