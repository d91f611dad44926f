#pragma once
#include <string>

/// Progress of a long operation (reading, exporting, smoothing, printing).
/// The main window's status bar implements it; the core only calls it and
/// accepts a null pointer everywhere.
class IProcessGauge {
 public:
  virtual ~IProcessGauge() = default;
  virtual void Start(int maximum, const std::string& caption) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void StepBy(int delta) = 0;
  virtual void Complete() = 0;
  virtual void Finish() = 0;
};
