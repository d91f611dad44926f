#pragma once
// vqrtool xlsx --calc: the export into a running LibreOffice Calc, started
// when none listens, as the program's export dialog does it.

#include <string>

class TVQRSession;
class TVQRShowSettings;

struct TCalcTarget {
  enum TKind { FromSettings, ExistingSheet, NewSheet, NewWorkbook };
  TKind Kind = FromSettings;
  std::string SheetName;  // ExistingSheet, NewSheet
  std::string Workbook;   // ExistingSheet, NewSheet: empty for the setting WorkBook
};

/// Whether this vqrtool was built with the Calc backend.
bool CalcExportBuilt();

/// Exports the recording loaded in session into Calc; returns the exit
/// status, with the message of a failure on stderr.
int ExportIntoCalc(TVQRSession& session, const TVQRShowSettings& settings,
                   const TCalcTarget& target);
