#pragma once
// One recording session: the objects that hold, read and draw a recording,
// and the user's actions on it. The program's main window and every vqrtool
// command run these same functions; the window adds only its dialogs, busy
// state and status texts.

#include <cstdint>
#include <memory>
#include <string>

#include "data/MetaData.h"
#include "data/vqrdat.h"
#include "data/vqrfileo.h"
#include "data/vqrlogfile.h"

class IProcessGauge;
class TAtomicFile;
class TVQRAsciiFile;
class TVQRDiagram;
class TVQRShowSettings;

enum class TLoadStatus : int {
  Ok = 0,          // the header was accepted and the samples decoded
  NotDecoded = 1,  // the file opened, but ReadData rejected it
  OpenFailed = 2,  // the file could not be opened
};

enum class TAsciiMode { Calibrated, Raw, CalParams };

enum class TExportStatus { Ok, OpenFailed, WriteFailed };

class TVQRSession {
 public:
  /// settings: the table the transfers read; null means the built-in values
  /// and no transfers at all (the caller may set the axis scaling itself).
  /// gauge: may be null.
  explicit TVQRSession(TVQRShowSettings* settings = nullptr, IProcessGauge* gauge = nullptr);
  ~TVQRSession();
  TVQRSession(const TVQRSession&) = delete;
  TVQRSession& operator=(const TVQRSession&) = delete;

  void SetGauge(IProcessGauge* gauge);

  /// File/Open after its dialog: clears store and metadata, links, takes the
  /// axis scaling, opens, reads ("Lesen:" on the gauge, completed but not
  /// finished) and closes; once the file opened, the diagram settings too.
  TLoadStatus Load(const std::string& path);
  /// The same from bytes in memory.
  TLoadStatus LoadBuffer(const uint8_t* data, size_t size);
  /// The diagram settings a load takes once its file opened.
  void TakeDiagramSettings();

  /// A window mode (1..16, kCombi1Mode, kCombi2Mode) made ready for drawing:
  /// defaults, pens and layout from the settings. Returns the number of curves.
  int PrepareWindow(int mode);
  void SetZeroPoint(bool on) { data_->ZeroPoint = on; }
  /// Smooths all 17 channels; the gauge counts samples x 17 ("Filter:").
  void Smooth(int distance);

  /// Opens path, writes the mode's lines with separator "," ("Export:" on the
  /// gauge) and closes. With `later`, the written file is handed over there,
  /// still to be committed before it takes the place of path.
  TExportStatus ExportAscii(const std::string& path, TVQRAsciiFile& file, TAsciiMode mode,
                            TAtomicFile* later = nullptr);

  // Printing and the spreadsheet export join here as further operations on
  // the same objects, so that the program and vqrtool share them too.

  TVQRShowSettings* Settings() const { return settings_; }
  IProcessGauge* Gauge() const { return gauge_; }
  TVQRDataObject& Store() { return *store_; }
  TVQRMetaData& Meta() { return *meta_; }
  TVQRLogFile& Reader() { return *reader_; }
  TVqrDataObjectNew& Data() { return *data_; }
  TVQRDiagram& Diagram() { return *diagram_; }

 private:
  void Link();
  TLoadStatus ReadOpened();

  TVQRShowSettings* settings_;
  IProcessGauge* gauge_;
  std::unique_ptr<TVQRDataObject> store_;
  std::unique_ptr<TVQRMetaData> meta_;
  std::unique_ptr<TVQRLogFile> reader_;
  std::unique_ptr<TVqrDataObjectNew> data_;
  std::unique_ptr<TVQRDiagram> diagram_;  // reads data_: declared after it
};

/// The export mode the settings choose: parameters first, then raw data,
/// else calibrated (also without settings).
TAsciiMode AsciiModeFromSettings(const TVQRShowSettings* settings);

/// The status line's text for a load status.
const char* LoadStatusText(TLoadStatus status);
