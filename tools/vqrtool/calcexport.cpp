#include "calcexport.h"

#include <cstdio>

#include "command.h"
#include "data/numtext.h"
#include "export/XLLayout.h"
#include "session/Session.h"
#include "settings/settings.h"
#ifdef VQR_HAVE_CALC
#include "export/calc/xlcalc.h"
#endif

#ifndef VQR_HAVE_CALC
bool CalcExportBuilt() { return false; }
int ExportIntoCalc(TVQRSession&, const TVQRShowSettings&, const TCalcTarget&) {
  std::fprintf(stderr, "vqrtool xlsx: built without LibreOffice Calc\n");
  return kExitWriteFailed;
}
#else
namespace {
constexpr const char* kDefaultSheet = "VQR Daten";
constexpr int kBlockRows = 100;

std::string Text(TVQRShowSettings::Setting s) { return std::string(TrimmedText(s->GetString(1))); }

IXLWorkbook& ChosenWorkbook(IXLApplication& app, const std::string& name) {
  if (!name.empty()) return app.Workbook(name);
  if (app.WorkbookCount() == 0) throw TXLError("no workbook is open in LibreOffice Calc");
  return app.Workbook(1);
}
}  // namespace

bool CalcExportBuilt() { return true; }

int ExportIntoCalc(TVQRSession& session, const TVQRShowSettings& settings,
                   const TCalcTarget& target) {
  TCalcProvider provider;
  bool told = false;
  auto tell = [&] {
    if (!told && !provider.Notice().empty())
      std::fprintf(stderr, "vqrtool xlsx --calc: %s\n", provider.Notice().c_str());
    told = true;
  };
  try {
    std::unique_ptr<IXLApplication> app;
    bool started = false;
    try {
      app = provider.Attach();
    } catch (const TXLNotRunning&) {
      // An office that does not answer is reported, not replaced.
      app = provider.Create();
      started = true;
    }
    tell();
    TCalcTarget::TKind kind = target.Kind;
    std::string sheetName = target.SheetName;
    if (kind == TCalcTarget::FromSettings) {
      // As the dialog preselects; an office just started has no workbook.
      kind = started || settings.ExcelCalNewWorkBook->GetBool(1) ? TCalcTarget::NewWorkbook
             : settings.ExcelCalNewTabSheet->GetBool(1)          ? TCalcTarget::NewSheet
                                                                 : TCalcTarget::ExistingSheet;
    }
    if (sheetName.empty()) sheetName = Text(settings.ExcelCalTabSheet);
    if (sheetName.empty()) sheetName = kDefaultSheet;
    const std::string bookName =
        target.Workbook.empty() ? Text(settings.ExcelCalWorkBook) : target.Workbook;

    IXLWorkbook* book = nullptr;
    IXLWorksheet* sheet = nullptr;
    switch (kind) {
      case TCalcTarget::NewWorkbook:
        book = &app->AddWorkbook(Text(settings.ExcelCalTemplate));
        sheet = &book->Worksheet(1);
        sheet->SetName(sheetName);
        break;
      case TCalcTarget::NewSheet:
        book = &ChosenWorkbook(*app, bookName);
        sheet = &book->AddWorksheetBefore(1);
        sheet->SetName(sheetName);
        break;
      default:
        book = &ChosenWorkbook(*app, bookName);
        sheet = &book->Worksheet(sheetName);
        break;
    }
    const int rows = session.ExportSheet(*sheet, XLLayoutFromSettings(settings), {}, kBlockRows);
    app->SetVisible(true);
    std::printf("%d rows into LibreOffice Calc: %s / %s\n", rows, book->Name().c_str(),
                sheetName.c_str());
    return kExitOk;
  } catch (const TXLError& e) {
    tell();
    std::fprintf(stderr, "vqrtool xlsx --calc: %s\n", e.what());
    return kExitWriteFailed;
  }
}
#endif
