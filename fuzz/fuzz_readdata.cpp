// Arbitrary bytes as a raw data file: decoding, calibration and an ASCII
// export must neither crash nor produce non-finite calibration.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "data/Recording.h"
#include "export/AsciiBatch.h"
#include "export/expfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TVQRRecording* rec = new TVQRRecording();
  static TVQRAsciiFile* file = new TVQRAsciiFile();
  if (rec->LoadBuffer(data, size) != TLoadStatus::Ok) return 0;
  TVqrDataObjectNew& d = rec->Data();
  if (!std::isfinite(d.RefValue1) || !std::isfinite(d.RefValue2) || !std::isfinite(d.OverallMax))
    std::abort();
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    const ChannelCal& c = d.Cal[ch];
    if (!std::isfinite(c.Scale) || !std::isfinite(c.Offset) || !std::isfinite(c.CalMin) ||
        !std::isfinite(c.CalMax))
      std::abort();
  }
  for (const AxisRange* a : {&d.TimeAxis, &d.ValueAxis, &d.TempAxis})
    if (!std::isfinite(a->Span) || !std::isfinite(a->Start) || a->Decimals < 0 || a->Decimals > 6)
      std::abort();
  if (size > 0 && data[0] & 1) d.Smooth(data[0] >> 1);
  // Formatting 1500 lines costs far more than decoding them: export one input
  // in eight, in a mode chosen by its last byte, so that decoding gets the runs.
  static constexpr TAsciiMode kModes[] = {TAsciiMode::Calibrated, TAsciiMode::Raw,
                                          TAsciiMode::CalParams};
  const uint8_t last = data[size - 1];
  if ((last & 7) == 0 && !WriteAsciiExport(d, *file, "/dev/null", kModes[(last >> 3) % 3]))
    std::abort();
  return 0;
}
