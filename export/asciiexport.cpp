#include "export/asciiexport.h"

#include "data/processgauge.h"
#include "data/recording.h"
#include "export/expfile.h"

namespace {
bool WriteSampleLine(TVQRAsciiFile& f, const TVQRSample& s, bool calibrated) {
  f.WriteInt(2, s.Day);
  f.WriteInt(2, s.Hour);
  f.WriteInt(2, s.Minute);
  f.WriteInt(2, s.Second);
  f.WriteInt(7, s.Seconds);
  for (int ch = 1; ch <= kMeasureChannels; ++ch) {
    if (calibrated)
      f.WriteFloat(6, 4, s.Cal[ch]);
    else
      f.WriteInt(5, s.Raw[ch]);
  }
  f.WriteFloat(4, 1, s.Raw[kTempChannel] * 0.1);
  return f.EndLine();
}

// Ends at the first empty slot, not at SampleCount, and after 1500 samples.
bool ExportSamples(const TVQRRecording& rec, TVQRAsciiFile& file, IProcessGauge* gauge,
                   bool calibrated) {
  const TVQRDataObject* store = rec.Store();
  if (!store) return false;
  bool ok = true;
  bool stop = false;
  int i = 1;
  do {
    const TVQRSample& s = store->Samples[i];
    if (s.IsEmpty())
      stop = true;
    else
      ok = WriteSampleLine(file, s, calibrated);
    if (gauge) gauge->SetPosition(i);
    ++i;
  } while (!stop && ok && i <= kMaxSamples);
  return ok;
}

bool WriteRefLine(const TVQRRecording& rec, TVQRAsciiFile& file, int record) {
  for (int ch = 1; ch <= kMeasureChannels; ++ch)
    file.WriteInt(5, record == 1 ? rec.RefRaw1(ch) : rec.RefRaw2(ch));
  return file.EndLine();
}
}  // namespace

bool ExportCalibrated(const TVQRRecording& rec, TVQRAsciiFile& file, IProcessGauge* gauge) {
  return ExportSamples(rec, file, gauge, true);
}

bool ExportRaw(const TVQRRecording& rec, TVQRAsciiFile& file, IProcessGauge* gauge) {
  return ExportSamples(rec, file, gauge, false);
}

bool ExportCalParams(const TVQRRecording& rec, TVQRAsciiFile& file, IProcessGauge* gauge) {
  if (!rec.Store()) return false;
  const int step = rec.GetSampleCount() / 3;
  const bool ok1 = WriteRefLine(rec, file, 1);
  if (gauge) gauge->StepBy(step);
  const bool ok2 = ok1 && WriteRefLine(rec, file, 2);
  if (gauge) gauge->StepBy(step);
  bool ok3 = false;
  if (ok2) {
    file.WriteFloat(6, 4, rec.RefValue1());
    file.WriteFloat(6, 4, rec.RefValue2());
    ok3 = file.EndLine();
  }
  if (gauge) gauge->StepBy(step);
  return ok1 && ok2 && ok3;
}
