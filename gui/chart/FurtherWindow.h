#pragma once
// One further diagram window beside the first: a channel window with a
// diagram of its own (window mode, pens, axes and so its zoom; the window
// keeps its own markers and read-out) over the recording that all share.
// To its window it is the program, passing on what is not its own.

#include <memory>

#include "chart/diagramview.h"
#include "gui/chart/diagramhost.h"

class TF_SChannel;

class TFurtherWindow : public IDiagramHost {
 public:
  /// host: the program, which must outlive this; first: the first window's
  /// diagram; number: the window's number (2 and up) in its caption.
  TFurtherWindow(IDiagramHost& host, TVQRDiagram& first, int mode, int number);
  ~TFurtherWindow() override;
  TFurtherWindow(const TFurtherWindow&) = delete;
  TFurtherWindow& operator=(const TFurtherWindow&) = delete;

  TF_SChannel* Window() const { return window_.get(); }
  int Mode() const { return mode_; }
  int Number() const;
  /// The window was closed by the user or the program.
  bool Closed() const { return closed_; }

  // The program as its window sees it.
  TVQRDiagram* Diagram() const override;
  /// None: a further window leaves the places stored in the settings to the first.
  TVQRShowSettings* Settings() const override { return nullptr; }
  std::string RecordingName() const override { return host_.RecordingName(); }
  void PostWindowRequest(int target) override { host_.PostWindowRequest(target); }
  void PostPrintRequest() override;
  void RefreshDiagramWindow() override;
  void ChannelWindowClosed() override { closed_ = true; }
  QString RecordingPath() const override;
  void ShowStatus(const QString& text) override { host_.ShowStatus(text); }
  void Beep() override { host_.Beep(); }
  void AttachDiagramWindows(IDiagramWindows*) override {}
  int PrepareFurtherDiagram(TVQRDiagram& diagram, int mode) override {
    return host_.PrepareFurtherDiagram(diagram, mode);
  }
  void PrintFurtherDiagram(TVQRDiagram& diagram, TProcessGauge* gauge) override {
    host_.PrintFurtherDiagram(diagram, gauge);
  }

 private:
  IDiagramHost& host_;
  const int mode_;
  std::unique_ptr<TDiagramView> view_;  // before window_, which draws it
  std::unique_ptr<TF_SChannel> window_;
  bool closed_ = false;
};
