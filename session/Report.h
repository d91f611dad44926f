#pragma once
// What a report holds and the windows it shows: a list of window
// descriptions (the overview, channel and combination windows with their
// zoom and markers), the table of "Messwerte" with the limit verdicts, and
// notes. The program builds the list from its open windows, vqrtool from the
// command line; a saved evaluation can hand over its own.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/charttypes.h"
#include "chart/limitstats.h"
#include "chart/measuredvalues.h"
#include "chart/notes.h"
#include "chart/vqrdiagram.h"

class TVQRSession;

/// The overview window in a report's window list.
constexpr int kReportOverview = 0;

/// True for the window numbers a report takes: 0, 1..16, 18 and 19.
constexpr bool IsReportWindow(int mode) {
  return mode == kReportOverview || IsChannelMode(mode) || IsCombiMode(mode);
}

/// One window of a report as it was on screen.
struct TReportWindow {
  int Mode = kReportOverview;
  bool Zoomed = false;  // shown zoomed, by two clicks or freely
  TZoomSel Zoom{};      // division indexes of the whole scale, as the window's zoom rule takes them
  int MarkA = 0;        // drawn samples of the open recording; 0: no marker
  int MarkB = 0;
  /// The axes shown (a free range too); they win over Zoom. None: the full
  /// scale, or the two-click zoom Zoom when Zoomed.
  std::optional<TAxisSet> Axes{};
  int Number = 1;  // the diagram window's number among those open (2 and up: a further one)
  bool operator==(const TReportWindow&) const = default;
};

/// A note at a moment of the recording (optionally tied to one curve).
struct TReportNote {
  double Hours = 0.0;
  int Channel = 0;  // 0: none
  std::string Text;
};

struct TReportContent {
  std::vector<TReportWindow> Windows;
  bool Table = true;               // the "Messwerte" of each window, with the limit verdicts
  std::vector<TReportNote> Notes;  // listed after the table; none: no list
};

/// The "Messwerte" of one window as the report lists them.
struct TReportMeasured {
  int Mode = 0;
  bool Marked = false;  // between the markers, else over the time axis shown
  int MarkA = 0;        // as given (A may lie after B)
  int MarkB = 0;
  double FromSeconds = 0.0;
  double ToSeconds = 0.0;
  int Decimals = 2;                   // of the measurement channels' values
  std::vector<std::string> RunNames;  // the recordings of a comparison, the open one first
  std::vector<TMeasuredRow> Rows;
  std::vector<TLimitVerdict> Verdicts;  // of the curves with a limit
};

/// The notes of a recording as a report lists them.
std::vector<TReportNote> ReportNotes(const TNotes& notes);

/// Makes the session's diagram show window: its mode (pens and layout from
/// the settings) and zoom. Returns the number of curves.
int PrepareReportWindow(TVQRSession& session, const TReportWindow& window);

/// The curves a window lists: its channel, or the ticked ones of a combination.
std::vector<int> ReportChannels(const TVQRDiagram& diagram, int mode);

/// Prepares window (not the overview) and takes its "Messwerte".
TReportMeasured MeasureReportWindow(TVQRSession& session, const TReportWindow& window);

/// The report's window list as vqrtool takes it: "0,19,18,3"; false for
/// anything but such numbers (each once at most is not required).
bool ParseReportWindows(std::string_view text, std::vector<TReportWindow>& windows);

/// Keeps the session's window as it is while a report draws others: window
/// mode, pens, layout, axes and the zoom's memory are restored at the end.
class TReportWindowKeeper {
 public:
  explicit TReportWindowKeeper(TVQRSession& session);
  ~TReportWindowKeeper();
  TReportWindowKeeper(const TReportWindowKeeper&) = delete;
  TReportWindowKeeper& operator=(const TReportWindowKeeper&) = delete;

 private:
  TVQRSession& session_;
  int mode_;
  TAxisSet axes_;
  TVQRDiagram::TZoomMemory zoom_;
};
