#pragma once
// A recording opened the way the program opens it, with the program's
// settings (found like the program finds them, or named; read only).

#include <memory>
#include <string>
#include <vector>

#include "chart/vqrdiagram.h"
#include "data/Recording.h"
#include "toolsettings.h"

class TDiagramSetup {
 public:
  /// Reads the settings; false, with a message, when the named file cannot
  /// be read.
  bool OpenSettings(const TToolSettingsOptions& options, std::string& error);

  /// File/Open: axis settings, ReadData, then all diagram settings.
  TLoadStatus Load(const std::string& path);

  /// OpenSettings and Load with vqrtool's messages on stderr; the exit status
  /// (kExitOk when the recording decoded).
  int OpenAndLoad(const char* command, const TToolSettingsOptions& options,
                  const std::string& path);

  /// The channel window opening in mode (1..16, kCombi1Mode, kCombi2Mode):
  /// defaults, pens and layout from the settings. Returns the number of curves.
  int OpenWindow(int mode);

  TVQRRecording& Recording() { return rec_; }
  TVqrDataObjectNew& Data() { return rec_.Data(); }
  TVQRDiagram& Diagram() { return diagram_; }
  TVQRShowSettings& Settings() { return *settings_->Table; }

 private:
  std::unique_ptr<TToolSettings> settings_;
  TVQRRecording rec_;
  TVQRDiagram diagram_{rec_.Data()};
};

/// Message for a load status other than Ok, as vqrtool prints it.
std::string LoadStatusText(TLoadStatus status);
