// vqrtool xlsx: the program's spreadsheet export of one or many recordings
// into one .xlsx workbook.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "command.h"
#include "data/numtext.h"
#include "data/vqrtypes.h"
#include "export/XLLayout.h"
#include "export/xlsx/XlsxApp.h"
#include "toolsettings.h"

namespace {
constexpr const char* kDefaultSheet = "VQR Daten";

int Usage(const std::string& why) {
  std::fprintf(stderr, "vqrtool xlsx: %s\n", why.c_str());
  return PrintVqrUsage();
}

int RunXlsx(const std::vector<std::string>& args) {
  std::vector<std::string> inputs;
  std::string out, sheetName;
  bool sheetGiven = false;
  TToolSettingsOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const TSettingsArg taken = TakeSettingsArg(args, i, options);
    if (taken == TSettingsArg::Taken) continue;
    if (taken == TSettingsArg::MissingValue) return Usage("missing value after " + a);
    if (a == "-o" || a == "--sheet") {
      if (i + 1 >= args.size()) return Usage("missing value after " + a);
      (a == "-o" ? out : sheetName) = args[++i];
      sheetGiven = sheetGiven || a == "--sheet";
    } else if (a.size() > 1 && a[0] == '-') {
      return Usage("unknown option " + a);
    } else {
      inputs.push_back(a);
    }
  }
  if (inputs.empty()) return Usage("no input file");
  if (out.empty()) return Usage("no output given (-o OUT.xlsx)");
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
     "      or the setting ExcelCal/TabSheet)",
     &RunXlsx});
}  // namespace
