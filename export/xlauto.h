#pragma once
// The spreadsheet application as the export drives it: an application with
// workbooks, their sheets and cells. Backends: an in-memory application that
// writes .xlsx files, a running LibreOffice Calc, and test doubles.
//
// Rows and columns count from 1, sheet and workbook indexes too. Number
// formats are given in the German notation the settings store ("0,0000" is
// four decimals, "." groups thousands, "[h]:mm:ss" elapsed hours); each
// backend translates them into its spreadsheet's own notation.
//
// Every failing call throws TXLError with the application's message. The
// references handed out stay valid as long as the application object lives.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

class TXLError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A file of the export could not be written: Path names the file, or the
/// folder when InFolder is set (a temporary file the export names itself);
/// Code is the errno, so that the program can word the reason itself.
class TXLFileError : public TXLError {
 public:
  TXLFileError(const std::string& what, std::string path, int code, bool inFolder = false)
      : TXLError(what), Path(std::move(path)), Code(code), InFolder(inFolder) {}
  std::string Path;
  int Code = 0;
  bool InFolder = false;
};

class IXLWorksheet {
 public:
  virtual ~IXLWorksheet() = default;
  virtual std::string Name() = 0;
  /// Throws when the application refuses the name.
  virtual void SetName(const std::string& name) = 0;
  virtual void SetText(int32_t row, int32_t col, const std::string& text) = 0;
  /// A date-time value in days (1.5 = 36 hours); shown as a time even
  /// without a number format of its own.
  virtual void SetDateTime(int32_t row, int32_t col, double days) = 0;
  virtual void SetDouble(int32_t row, int32_t col, double value) = 0;
  virtual void SetNumberFormat(int32_t row, int32_t col, const std::string& format) = 0;

  /// rows x cols values, row by row, from (row, col) in one transfer; the
  /// columns whose flag in dateTime is set hold date-time values. Gives the
  /// same cells as one SetDateTime/SetDouble per value, which is what this
  /// default does; backends with a block transfer override it.
  virtual void SetValues(int32_t row, int32_t col, int32_t rows, int32_t cols, const double* values,
                         const std::vector<bool>& dateTime);
  /// One number format for a rectangle of cells; by default cell by cell.
  virtual void SetNumberFormats(int32_t row, int32_t col, int32_t rows, int32_t cols,
                                const std::string& format);
  /// Throws, naming the first cell outside the worksheet, when the rows x
  /// cols cells from (row, col) do not fit into it; the export asks before it
  /// writes anything. By default nothing is checked here (each call checks
  /// its own cells).
  virtual void CheckArea(int32_t row, int32_t col, int32_t rows, int32_t cols);
};

class IXLWorkbook {
 public:
  virtual ~IXLWorkbook() = default;
  virtual std::string Name() = 0;
  /// All sheets, worksheets and others.
  virtual int32_t SheetCount() = 0;
  virtual std::string SheetName(int32_t index) = 0;
  /// Throws when there is no such worksheet.
  virtual IXLWorksheet& Worksheet(int32_t index) = 0;
  virtual IXLWorksheet& Worksheet(const std::string& name) = 0;
  /// Inserts one new worksheet before the sheet at index and returns it.
  virtual IXLWorksheet& AddWorksheetBefore(int32_t index) = 0;
};

class IXLApplication {
 public:
  virtual ~IXLApplication() = default;
  virtual bool Visible() = 0;
  /// Shows the application with its workbooks (for a file backend: the
  /// workbooks are handed to the user, see the backend).
  virtual void SetVisible(bool visible) = 0;
  virtual void SetDisplayAlerts(bool on) = 0;
  virtual void Quit() = 0;
  virtual int32_t WorkbookCount() = 0;
  /// Throws when there is no such workbook.
  virtual IXLWorkbook& Workbook(int32_t index) = 0;
  virtual IXLWorkbook& Workbook(const std::string& name) = 0;
  /// Appends a new workbook with exactly one worksheet. A non-empty template
  /// names a file to start from where the backend supports that.
  virtual IXLWorkbook& AddWorkbook(const std::string& templateFile = {}) = 0;
};

/// How an application object is obtained: attach to a running, registered
/// instance, or create a new one. Both throw TXLError when they fail.
class IXLProvider {
 public:
  virtual ~IXLProvider() = default;
  virtual std::unique_ptr<IXLApplication> Attach() = 0;
  virtual std::unique_ptr<IXLApplication> Create() = 0;
  /// A short text for the dialog's comment line ("LibreOffice Calc", ...).
  virtual std::string Description() const = 0;
};
