// vqrtool xlsx: the program's spreadsheet export of one or many recordings
// into one .xlsx workbook.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "calcexport.h"
#include "command.h"
#include "data/numtext.h"
#include "data/vqrtypes.h"
#include "export/XLLayout.h"
#include "export/xlsx/XlsxApp.h"
#include "export/xlsx/XlsxRules.h"
#include "options.h"
#include "toolsettings.h"

namespace {
constexpr const char* kDefaultSheet = "VQR Daten";

int Usage(const std::string& why) { return PrintVqrUsageError("xlsx", why); }

// The same export into a running LibreOffice Calc (started when missing).
int RunCalc(const std::vector<std::string>& inputs, const std::string& out,
            const std::string& sheetName, bool sheetGiven, TCalcTarget target, int targets,
            const TToolSettingsOptions& options) {
  if (!out.empty()) return Usage("-o and --calc exclude each other");
  if (inputs.size() > 1) return Usage("--calc exports one recording");
  if (targets > 1) return Usage("one of --sheet, --new-sheet, --new-workbook");
  if (target.Kind == TCalcTarget::NewWorkbook && !target.Workbook.empty())
    return Usage("--workbook and --new-workbook exclude each other");
  if (const char* conflict = SettingsArgsConflict(options)) return Usage(conflict);
  if (!CalcExportBuilt()) return Usage("built without LibreOffice Calc");
  if (sheetGiven) target.Kind = TCalcTarget::ExistingSheet, target.SheetName = sheetName;
  const auto settings = LoadToolSettingsFor("xlsx", options);
  if (!settings) return kExitOpenFailed;
  TVQRSession session(settings->Table.get());
  if (const TLoadStatus status = LoadRecording(session, inputs[0]); status != TLoadStatus::Ok)
    return static_cast<int>(status);
  return ExportIntoCalc(session, *settings->Table, target);
}

int RunXlsx(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kXlsxArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const std::vector<std::string>& inputs = a.Inputs;
  const std::string out = a.Text("-o");
  std::string sheetName = a.Text("--sheet");
  const bool sheetGiven = a.Given("--sheet");
  const TToolSettingsOptions options = a.Settings();
  // Of these at most one, which the checks below make sure of.
  const int targets = static_cast<int>(a.All("--sheet").size() + a.All("--new-sheet").size() +
                                       a.All("--new-workbook").size());
  TCalcTarget target;
  target.Workbook = a.Text("--workbook");
  target.SheetName = a.Text("--new-sheet");
  if (a.Given("--new-sheet")) target.Kind = TCalcTarget::NewSheet;
  if (a.Given("--new-workbook")) target.Kind = TCalcTarget::NewWorkbook;
  if (a.Given("--calc"))
    return RunCalc(inputs, out, sheetName, sheetGiven, target, targets, options);
  if (targets > 1 || target.Kind != TCalcTarget::FromSettings || !target.Workbook.empty())
    return Usage("--workbook, --new-sheet and --new-workbook go with --calc");
  if (out.empty()) return Usage("no output given (-o OUT.xlsx)");
  if (const auto input = InputNamedBy(out, FilesRead(inputs, options)))
    return Usage("the output would replace the input " + *input);
  if (const char* conflict = SettingsArgsConflict(options)) return Usage(conflict);
  if (sheetGiven && inputs.size() > 1)
    return Usage("--sheet names the sheet of a single recording");
  if (sheetGiven)
    if (std::string why = XlsxSheetNameProblem(sheetName); !why.empty()) return Usage(why);

  // Only read, never created or written.
  const auto settings = LoadToolSettingsFor("xlsx", options);
  if (!settings) return kExitOpenFailed;
  const TXLLayout layout = XLLayoutFromSettings(*settings->Table);
  if (!sheetGiven) {
    sheetName = std::string(TrimmedText(settings->Table->ExcelCalTabSheet->GetString(1)));
    if (sheetName.empty()) sheetName = kDefaultSheet;
  }

  TXlsxApplication app;
  app.AddWorkbook();
  TXlsxWorkbook& book = app.Book(1);
  TVQRSession session(settings->Table.get());
  std::vector<std::string> taken;
  int worst = kExitOk;
  int sheets = 0;
  try {
    for (const std::string& in : inputs) {
      const TLoadStatus status = LoadRecording(session, in);
      if (status != TLoadStatus::Ok) {  // not exported, as in every command
        worst = std::max(worst, static_cast<int>(status));
        continue;
      }
      TXlsxWorksheet& sheet = sheets++ == 0 ? book.Sheet(1) : book.AppendWorksheet();
      if (inputs.size() > 1)
        sheet.SetName(XlsxMakeSheetName(std::filesystem::path(in).stem().string(), taken));
      else
        sheet.SetName(sheetGiven ? sheetName : XlsxMakeSheetName(sheetName, taken, kDefaultSheet));
      session.ExportSheet(sheet, layout, {}, kMaxSamples);
      app.WriteSheetAhead(1, sheets);  // complete: written ahead, memory stays flat
    }
    if (sheets == 0) return worst;
    app.SaveWorkbook(1, out);
  } catch (const TXLError& e) {
    std::fprintf(stderr, "%s: Error writing export File! (%s)\n", out.c_str(), e.what());
    return kExitWriteFailed;
  }
  return worst;
}

const bool registered = RegisterVqrCommand(
    {"xlsx",
     "xlsx FILE.DAT... -o OUT.xlsx [--sheet NAME] [--ini FILE] [--public FILE] [--defaults]\n"
     "      (one sheet per recording, named after its file; a single one by --sheet\n"
     "      or the setting ExcelCal/TabSheet)\n"
     "      or: xlsx FILE.DAT --calc [--workbook NAME] [--sheet NAME | --new-sheet NAME |\n"
     "          --new-workbook] [--ini FILE] [--public FILE] [--defaults]\n"
     "      (into the running LibreOffice Calc, started when missing; without a target\n"
     "      as the settings of ExcelCal choose)",
     &RunXlsx});
}  // namespace
