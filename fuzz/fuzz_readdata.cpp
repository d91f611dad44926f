// Arbitrary bytes as a raw data file: decoding, calibration and an ASCII
// export must neither crash nor produce non-finite calibration.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "export/expfile.h"
#include "session/Session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TVQRSession* rec = new TVQRSession();
  static TVQRAsciiFile* file = new TVQRAsciiFile();
  if (rec->LoadBuffer(data, size) != TLoadStatus::Ok) return 0;
  TVqrDataObjectNew& d = rec->Data();
  if (!std::isfinite(d.Recording().RefValue1()) || !std::isfinite(d.Recording().RefValue2()) ||
      !std::isfinite(d.Recording().OverallMax()))
    std::abort();
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    const ChannelCal& c = d.Recording().Cal(ch);
    if (!std::isfinite(c.Scale) || !std::isfinite(c.Offset) || !std::isfinite(c.CalMin) ||
        !std::isfinite(c.CalMax))
      std::abort();
  }
  for (const AxisRange* a : {&d.Axes().Time(), &d.Axes().Value(), &d.Axes().Temp()})
    if (!std::isfinite(a->Span) || !std::isfinite(a->Start) || a->Decimals < 0 || a->Decimals > 6)
      std::abort();
  if (size > 0 && data[0] & 1) d.Smooth(data[0] >> 1);
  // Formatting 1500 lines costs far more than decoding them: export one input
  // in eight, in a mode chosen by its last byte, so that decoding gets the runs.
  static constexpr TAsciiMode kModes[] = {TAsciiMode::Calibrated, TAsciiMode::Raw,
                                          TAsciiMode::CalParams};
  const uint8_t last = data[size - 1];
  if ((last & 7) == 0 &&
      rec->ExportAscii("/dev/null", *file, kModes[(last >> 3) % 3]) != TExportStatus::Ok)
    std::abort();
  return 0;
}
