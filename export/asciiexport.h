#pragma once
// The ASCII export of a recording in its three modes: the lines of the
// calibrated samples, of the raw samples, or of the calibration parameters.
// Each writes into an opened export file and moves the gauge (may be null);
// false when there is no store or a line could not be written.

class IProcessGauge;
class TVQRAsciiFile;
class TVQRRecording;

/// Sample lines with calibrated values; ends at the first empty slot, not at
/// the sample count, and after 1500 samples.
bool ExportCalibrated(const TVQRRecording& rec, TVQRAsciiFile& file, IProcessGauge* gauge);
/// The same with the raw readings.
bool ExportRaw(const TVQRRecording& rec, TVQRAsciiFile& file, IProcessGauge* gauge);
/// The two reference lines and the two reference values.
bool ExportCalParams(const TVQRRecording& rec, TVQRAsciiFile& file, IProcessGauge* gauge);
