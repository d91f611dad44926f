// Which spreadsheet application the export dialog drives on this machine.
#include "export/ui/XLExport.h"

#if __has_include("export/xlsx/XlsxApp.h")
#include "export/xlsx/XlsxApp.h"
#define VQR_HAVE_XLSX 1
#endif

namespace {

#ifndef VQR_HAVE_XLSX
class TNoSpreadsheet : public IXLProvider {
 public:
  std::unique_ptr<IXLApplication> Attach() override { throw TXLError("no spreadsheet"); }
  std::unique_ptr<IXLApplication> Create() override { throw TXLError("no spreadsheet"); }
  std::string Description() const override { return {}; }
};
#endif

}  // namespace

TXLBackend MakeXLBackend(TFrm_XLExport& dialog) {
#ifdef VQR_HAVE_XLSX
  // Workbooks in memory: the dialog always makes a new one, and "made
  // visible" means saved where the user says and opened on the desktop.
  TXLBackend b;
  b.Provider = std::make_unique<TXlsxProvider>([&dialog](TXlsxApplication& app) {
    dialog.HandOverWorkbook(
        app, [&app](int32_t book, const std::string& path) { app.SaveWorkbook(book, path); });
  });
  b.UsesTemplate = false;
  return b;
#else
  (void)dialog;
  return {std::make_unique<TNoSpreadsheet>(), false};
#endif
}
