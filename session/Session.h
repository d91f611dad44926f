#pragma once
// One recording session: the objects that hold, read and draw a recording,
// and the user's actions on it. The program's main window and every vqrtool
// command run these same functions; the window adds only its dialogs, busy
// state and status texts.

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/notes.h"
#include "data/MetaData.h"
#include "data/vqrdat.h"
#include "data/vqrfileo.h"
#include "data/vqrlogfile.h"
#include "settings/limits.h"

class IDeviceContext;
class IProcessGauge;
class IXLWorksheet;
struct TXLLayout;
struct TPageHeader;
struct TPrintOptions;
struct TRect;

/// What a printed page carries besides the diagram; the print layer draws
/// it (rich-text backgrounds, logo image).
class IPrintDecoration {
 public:
  virtual ~IPrintDecoration() = default;
  /// Before the diagram: the backgrounds over the whole page, their
  /// placeholders filled from meta.
  virtual void DrawBackgrounds(TVQRMetaData& meta, const TRect& page) = 0;
  /// After the page set-up: the logo with its top left corner at (x, y)
  /// device pixels, stretched by the factors (device pixels per image pixel).
  virtual void DrawLogo(int32_t x, int32_t y, float factorX, float factorY) = 0;
};
class TAtomicFile;
class TVQRAsciiFile;
class TVQRDiagram;
class TVQRShowSettings;

enum class TLoadStatus : int {
  Ok = 0,          // the header was accepted and the samples decoded
  NotDecoded = 1,  // the file opened, but ReadData rejected it
  OpenFailed = 2,  // the file could not be opened
};

/// Where the recordings of a comparison start on the time axis: each at 0
/// ("ab Start"), or at its start time ("Uhrzeit"), the earliest at 0.
enum class TTimeAlign { FromStart, ClockTime };

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

  /// The comparison: up to kMaxCompared further recordings beside the open
  /// one (the reference), drawn in the same diagram. Loads path as File/Open
  /// does (the gauge's "Lesen:", the same statuses) and, when it decoded,
  /// fits the axes over all recordings; one that does not decode is left out.
  /// A full comparison takes no more (OpenFailed). Load ends a comparison.
  TLoadStatus AddCompared(const std::string& path);
  /// Back to the open recording alone, drawn exactly as before the comparison.
  void EndComparison();
  static constexpr int kMaxCompared = 7;
  int ComparedCount() const { return static_cast<int>(compared_.size()); }
  TVqrDataObjectNew& ComparedData(int i);
  /// The path a compared recording was loaded from.
  const std::string& ComparedPath(int i) const;
  /// The time alignment in force; the settings choose it with every window
  /// (Diagram/TimeOfDay), and without settings it is set here.
  TTimeAlign TimeAlign() const { return align_; }
  void SetTimeAlign(TTimeAlign align);
  /// Start time of a recording loaded from a file: the file's modification
  /// time less the recording's duration (the instrument writes the file when
  /// the run ends; the samples carry only the time since the start).
  static std::time_t StartTime(const std::string& path, int32_t lastTime);

  /// A window mode (1..16, kCombi1Mode, kCombi2Mode) made ready for drawing:
  /// defaults, pens and layout from the settings. Returns the number of curves.
  int PrepareWindow(int mode);
  /// Zero-point correction of every recording shown.
  void SetZeroPoint(bool on);
  bool ZeroPoint() const;
  /// Smooths all 17 channels of every recording shown; the gauge counts
  /// samples x 17 ("Filter:").
  void Smooth(int distance);
  /// The smoothing distances applied to a recording since it was loaded, in
  /// order: run 0 the open one, 1.. the compared ones.
  const std::vector<int>& Smoothing(int run) const;
  /// Smooths one recording only (an evaluation restores each one's own).
  void SmoothRun(int run, int distance);

  /// The notes of the open recording; a load clears them.
  TNotes& Notes() { return notes_; }
  const TNotes& Notes() const { return notes_; }

  /// Opens path, writes the mode's lines with separator "," ("Export:" on the
  /// gauge) and closes. With `later`, the written file is handed over there,
  /// still to be committed before it takes the place of path.
  TExportStatus ExportAscii(const std::string& path, TVQRAsciiFile& file, TAsciiMode mode,
                            TAtomicFile* later = nullptr);

  /// The spreadsheet export: header and samples into sheet by layout, up to
  /// the first sample with time 0 (at most all 1500). blockRows > 1 writes
  /// that many rows per transfer (SetValues), else one call per cell. goOn is
  /// asked after each row or block; false stops there. The gauge counts the
  /// rows written, then stands on the empty sample that ended them (empty
  /// caption, at most the sample count). Returns the rows written; the sheet's
  /// TXLError passes through.
  int ExportSheet(IXLWorksheet& sheet, const TXLLayout& layout,
                  const std::function<bool()>& goOn = {}, int blockRows = 1);

  /// Before a print: the layout and print options back to their defaults
  /// (the pens stay), then read from the settings again (layout, printer,
  /// logo and backgrounds). Returns the print options.
  const TPrintOptions& PreparePrint();
  /// Draws one printed page of the current window mode on canvas: print mode
  /// on, the backgrounds, the page set-up over page (the printable area in
  /// device pixels from 0, 0), the logo placed from the Logo settings, then
  /// axes, grid, legend and curves. decor may be null.
  void PrintPage(IDeviceContext& canvas, const TRect& page, IPrintDecoration* decor);
  /// The same page with header over the drawing frame (null: none) and body
  /// drawn in place of axes, grid, legend and curves (empty: those), after
  /// the page set-up and the logo; body may draw the diagram itself.
  void PrintPage(IDeviceContext& canvas, const TRect& page, IPrintDecoration* decor,
                 const TPageHeader* header, const std::function<void(IDeviceContext&)>& body);

  /// The limits in force: those set here, else the settings' (section
  /// Limits; none without settings). The diagram draws them from the next
  /// PrepareWindow or PreparePrint on, or at once when set here.
  TVQRLimits Limits() const;
  /// Limits of their own (a saved evaluation's) instead of the settings',
  /// which stay as they are; none goes back to the settings'.
  void SetLimits(std::optional<TVQRLimits> limits);
  bool LimitsOwn() const { return limits_.has_value(); }

  /// The diagram that PreparePrint and PrintPage draw: the session's own
  /// (null, the default) or a further window's, which outlives the print.
  void SetPrintedDiagram(TVQRDiagram* diagram) { printed_ = diagram; }
  TVQRDiagram& PrintedDiagram() { return printed_ ? *printed_ : *diagram_; }

  /// The open recording's file without its folder, as the path named it;
  /// empty for a recording read from memory.
  const std::string& Name() const { return name_; }
  /// The open recording's start time (see StartTime), 0 when not known.
  std::time_t Start() const { return start_; }
  TVQRShowSettings* Settings() const { return settings_; }
  IProcessGauge* Gauge() const { return gauge_; }
  TVQRDataObject& Store() { return *store_; }
  TVQRMetaData& Meta() { return *meta_; }
  TVQRLogFile& Reader() { return *reader_; }
  TVqrDataObjectNew& Data() { return *data_; }
  TVQRDiagram& Diagram() { return *diagram_; }

 private:
  struct TCompared;
  void Link();
  TLoadStatus ReadOpened();
  /// The comparison's axes and runs handed to the diagram anew.
  void FitComparison();

  TVQRShowSettings* settings_;
  IProcessGauge* gauge_;
  std::unique_ptr<TVQRDataObject> store_;
  std::unique_ptr<TVQRMetaData> meta_;
  std::unique_ptr<TVQRLogFile> reader_;
  std::unique_ptr<TVqrDataObjectNew> data_;
  std::unique_ptr<TVQRDiagram> diagram_;  // reads data_: declared after it
  TVQRDiagram* printed_ = nullptr;        // another diagram to print, else diagram_
  std::string name_;                      // the open recording's file, without folder
  std::time_t start_ = 0;                 // its start time, 0 when not known
  std::vector<std::unique_ptr<TCompared>> compared_;
  TTimeAlign align_ = TTimeAlign::FromStart;
  std::vector<int> smoothing_;  // the open recording's
  TNotes notes_;
  std::optional<TVQRLimits> limits_;  // set by SetLimits
};

/// The export mode the settings choose: parameters first, then raw data,
/// else calibrated (also without settings).
TAsciiMode AsciiModeFromSettings(const TVQRShowSettings* settings);

/// The time alignment the settings choose (Diagram/TimeOfDay).
TTimeAlign AlignFromSettings(TVQRShowSettings& settings);

/// The last part of a path, after its last '/'.
std::string FileNamePart(const std::string& path);

/// The status line's text for a load status.
const char* LoadStatusText(TLoadStatus status);
