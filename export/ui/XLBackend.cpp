// Which spreadsheet application the export dialog drives on this machine.
#include "export/ui/XLExport.h"
#include "export/xlsx/XlsxApp.h"

TXLBackend MakeXLBackend(TFrm_XLExport& dialog) {
  // Workbooks in memory: the dialog always makes a new one, and "made
  // visible" means saved where the user says and opened on the desktop.
  TXLBackend b;
  b.Provider = std::make_unique<TXlsxProvider>([&dialog](TXlsxApplication& app) {
    dialog.HandOverWorkbook(
        app, [&app](int32_t book, const std::string& path) { app.SaveWorkbook(book, path); });
  });
  b.UsesTemplate = false;
  return b;
}
