#pragma once
// The two sides of the diagram windows: what they ask of the program that
// shows them, and what that program asks of them.

#include <string>
#include <vector>

#include "session/Report.h"
#include "session/evaluation.h"

#include "chart/notes.h"
#include "data/vqrtypes.h"

class IDiagramWindows;
class TDiagramController;
class TProcessGauge;
class TVQRDiagram;
class TVQRShowSettings;
class QString;

/// The program behind the overview and the channel window.
class IDiagramHost {
 public:
  virtual ~IDiagramHost() = default;

  /// The diagram drawn by both windows; null before the data objects exist.
  virtual TVQRDiagram* Diagram() const = 0;
  /// The settings table (window places, overview fill); may be null.
  virtual TVQRShowSettings* Settings() const = 0;
  /// The open recording's file without its folder (bytes as in the path).
  virtual std::string RecordingName() const = 0;

  /// Asks, after the current event, for window mode target (a channel or
  /// a combination); while a combination is shown, a channel target is
  /// added to it or removed from it instead.
  virtual void PostWindowRequest(int target) = 0;
  /// Asks, after the current event, for the diagram to be printed.
  virtual void PostPrintRequest() = 0;
  /// Draws the current window mode anew (settings, scales and zoom taken again).
  virtual void RefreshDiagramWindow() = 0;
  /// The channel window was closed: no window mode is current any more.
  virtual void ChannelWindowClosed() = 0;

  /// The recording shown (its outputs are proposed beside it); empty when none.
  virtual QString RecordingPath() const = 0;

  virtual void ShowStatus(const QString& text) = 0;
  virtual void Beep() = 0;

  /// The windows plug in here when created and unplug (null) when destroyed.
  virtual void AttachDiagramWindows(IDiagramWindows* windows) = 0;

  /// The open recording's notes, null without one; NotesChanged after an edit.
  virtual TNotes* Notes() { return nullptr; }
  virtual void NotesChanged() {}
  /// A further diagram window's diagram made ready for window mode as the
  /// first window's is (pens and layout from the settings); returns the
  /// number of its curves.
  virtual int PrepareFurtherDiagram(TVQRDiagram& diagram, int mode) = 0;
  /// Prints a further window's diagram now, with gauge (may be null).
  virtual void PrintFurtherDiagram(TVQRDiagram& diagram, TProcessGauge* gauge) = 0;
};

/// The overview and the channel window as the program drives them.
class IDiagramWindows {
 public:
  virtual ~IDiagramWindows() = default;

  virtual bool ChannelWindowVisible() const = 0;
  virtual void CloseChannelWindow() = 0;
  /// Redraws the channel window, shows it and brings it to the front.
  virtual void RefreshChannelWindow() = 0;
  /// The channel window's own progress gauge (for its print requests).
  virtual TProcessGauge* ChannelWindowGauge() const = 0;

  virtual bool OverviewVisible() const = 0;
  virtual void CloseOverview() = 0;
  /// Recomputes the overview's thumbnails and repaints them.
  virtual void RefreshOverview() = 0;
  /// Repaints the overview, shows it and brings it to the front.
  virtual void ShowOverview() = 0;
  /// The windows shown, as a report takes them: the overview, then the
  /// diagram windows (the first, then the further ones in the order they
  /// were opened) with their axes and markers.
  virtual std::vector<TReportWindow> ReportWindows() const { return {}; }

  /// The channel window's zoom and markers.
  virtual const TDiagramController* ChannelController() const { return nullptr; }
  /// The diagram windows shown, in the order of ReportWindows, as a saved
  /// evaluation keeps them: mode, the three axes, the two-click zoom, markers.
  virtual std::vector<TEvalWindow> SavedViews() const { return {}; }
  /// Puts a saved view back into the channel window (shown in its mode).
  virtual void RestoreChannelView(const TEvalWindow& /*view*/) {}
  /// Opens one more diagram window in the view's mode and puts the view
  /// into it; false when as many are open as there may be.
  virtual bool OpenFurtherView(const TEvalWindow& /*view*/) { return false; }
  /// "Zeitachsen koppeln"; set, the windows keep the time axes they show.
  virtual bool TimeAxesCoupled() const { return false; }
  virtual void SetTimeAxesCoupled(bool /*on*/) {}
  /// Every diagram window draws anew (the notes changed).
  virtual void RedrawDiagrams() {}

  /// Opens one more diagram window in window mode beside the first; false
  /// when as many are open as there may be.
  virtual bool OpenFurtherWindow(int mode) = 0;
  /// The recording's values or comparison changed: every further window
  /// takes its settings again and is drawn anew.
  virtual void RefreshFurtherWindows() = 0;
  virtual void CloseFurtherWindows() = 0;
  /// The diagram of the further window that was the last diagram window
  /// active; null when that was the first one (or none is open).
  virtual TVQRDiagram* ActiveFurtherDiagram() const = 0;
};
