// The export half of the processing object: the lines of the ASCII export.
#include "data/processgauge.h"
#include "data/vqrfileo.h"
#include "export/expfile.h"

bool TVqrDataObjectNew::WriteSampleLine(const TVQRSample& s, bool calibrated) {
  TVQRAsciiFile& f = *ExportFile;
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
bool TVqrDataObjectNew::ExportSamples(bool calibrated) {
  if (!ExportFile || !Store) return false;
  bool ok = true;
  bool stop = false;
  ExportIndex = 1;
  do {
    const TVQRSample& s = Store->Samples[ExportIndex];
    if (s.IsEmpty())
      stop = true;
    else
      ok = WriteSampleLine(s, calibrated);
    if (Gauge) Gauge->SetPosition(ExportIndex);
    ++ExportIndex;
  } while (!stop && ok && ExportIndex <= kMaxSamples);
  return ok;
}

bool TVqrDataObjectNew::ExportCalibrated() { return ExportSamples(true); }

bool TVqrDataObjectNew::ExportRaw() { return ExportSamples(false); }

bool TVqrDataObjectNew::WriteRefLine(int record) {
  for (int ch = 1; ch <= kMeasureChannels; ++ch)
    ExportFile->WriteInt(5, record == 1 ? RefRaw1(ch) : RefRaw2(ch));
  return ExportFile->EndLine();
}

bool TVqrDataObjectNew::ExportCalParams() {
  if (!ExportFile || !Store) return false;
  const int step = Store->SampleCount / 3;
  const bool ok1 = WriteRefLine(1);
  if (Gauge) Gauge->StepBy(step);
  const bool ok2 = ok1 && WriteRefLine(2);
  if (Gauge) Gauge->StepBy(step);
  bool ok3 = false;
  if (ok2) {
    ExportFile->WriteFloat(6, 4, RefValue1);
    ExportFile->WriteFloat(6, 4, RefValue2);
    ok3 = ExportFile->EndLine();
  }
  if (Gauge) Gauge->StepBy(step);
  return ok1 && ok2 && ok3;
}
