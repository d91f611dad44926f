// Which spreadsheet application the export dialog drives on this machine:
// LibreOffice Calc when it is installed (soffice on PATH), else .xlsx files.
#include "export/xlsx/XlsxApp.h"
#include "gui/export/XLExport.h"
#ifdef VQR_HAVE_CALC
#include "export/calc/xlcalc.h"
#endif

TXLBackend MakeXLBackend(TFrm_XLExport& dialog) {
  TXLBackend b;
#ifdef VQR_HAVE_CALC
  if (CalcInstalled()) {
    // The running Calc, or one started listening on the program's pipe;
    // blocks of rows keep it fast, "Abbrechen" acts between blocks.
    b.Provider = std::make_unique<TCalcProvider>();
    b.UsesTemplate = true;
    b.BlockRows = 100;
    return b;
  }
#endif
  // Workbooks in memory: the dialog always makes a new one, and "made
  // visible" means saved where the user says and opened on the desktop.
  b.Provider = std::make_unique<TXlsxProvider>([&dialog](TXlsxApplication& app) {
    dialog.HandOverWorkbook(
        app, [&app](int32_t book, const std::string& path) { app.SaveWorkbook(book, path); });
  });
  b.UsesTemplate = false;
  return b;
}
