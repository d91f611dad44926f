#include "export/XLExport.h"

#include <exception>

#include "data/numtext.h"
#include "export/xlnames.h"
#include "settings/settings.h"

namespace {

constexpr size_t kPrefixLength = 12;

// Workbook and sheet names as the settings give them: blanks around them
// and the case of the letters do not count.
bool SameName(const std::string& a, const std::string& b) {
  return SameSheetName(std::string(TrimmedText(a)), std::string(TrimmedText(b)));
}

}  // namespace

TXLExportCore::TXLExportCore(IXLExportView& view, TVQRShowSettings& settings,
                             std::unique_ptr<IXLProvider> provider, bool usesTemplate)
    : view_(view),
      settings_(settings),
      provider_(std::move(provider)),
      usesTemplate_(usesTemplate) {}

TXLExportCore::~TXLExportCore() = default;

void TXLExportCore::FormShow() {
  XLBook = nullptr;
  XLSheet = nullptr;
  lines_.clear();
  view_.SetLines(lines_, -1);
  XLWasRunning = true;
  XLAvailable = true;
  WantNewBook = settings_.ExcelCalNewWorkBook->GetBool(1);
  WantNewSheet = settings_.ExcelCalNewTabSheet->GetBool(1);
  CfgWorkBook = settings_.ExcelCalWorkBook->GetString(1);
  CfgTemplate = settings_.ExcelCalTemplate->GetString(1);
  CfgTabSheet = settings_.ExcelCalTabSheet->GetString(1);

  if (WantNewBook) {
    XLWasRunning = false;
    WantNewSheet = true;
  } else {
    try {
      app_ = provider_->Attach();
    } catch (const TXLError&) {
      XLWasRunning = false;
    }
    if (!app_) XLWasRunning = false;
  }
  if (XLWasRunning) {
    // An invisible instance belongs to another automation client that left
    // it behind; it goes without asking and a fresh one takes its place.
    try {
      // cppcheck-suppress nullPointerRedundantCheck ; XLWasRunning is false without app_
      if (!app_->Visible()) {
        app_->SetDisplayAlerts(false);
        app_->Quit();
        XLWasRunning = false;
      }
    } catch (const TXLError& e) {
      view_.ShowError(e.what());
      XLWasRunning = false;
    }
  }
  if (!XLWasRunning) {
    WantNewBook = true;
    WantNewSheet = true;
    app_.reset();
    try {
      app_ = provider_->Create();
    } catch (const TXLError&) {
    }
    XLAvailable = app_ != nullptr;
  }
  if (!XLAvailable) {
    view_.Beep();
    view_.ShowError(TrText("TXLExportCore", kNotAvailable));
    return;
  }
  if (XLWasRunning) {
    FillList();
  } else if (!usesTemplate_ && !IsBlank(CfgTemplate)) {
    view_.SetComment(TrText("TXLExportCore", "Vorlage wird für .xlsx-Dateien nicht verwendet."));
  } else {
    // Say which application takes the data: Calc, or a new .xlsx file.
    view_.SetComment(TrText("TXLExportCore", kNotRunning) + TrText("TXLExportCore", " Ziel: ") +
                     provider_->Description());
  }
  if (WantNewBook) view_.SetEditText(IXLExportView::TEdit::NewWorkbook, kStandardBook);
  view_.SetEditText(IXLExportView::TEdit::Template, CfgTemplate);
  if (WantNewSheet) view_.SetEditText(IXLExportView::TEdit::NewSheet, CfgTabSheet);
}

void TXLExportCore::FillList() {
  int foundBook = -1, foundSheet = -1;
  try {
    const int32_t books = app_->WorkbookCount();
    for (int32_t k = 1; k <= books; ++k) {
      IXLWorkbook& book = app_->Workbook(k);
      const std::string name = book.Name();
      if (SameName(name, CfgWorkBook)) foundBook = static_cast<int>(lines_.size());
      lines_.push_back(kBookPrefix + name);
      const int32_t sheets = book.SheetCount();
      for (int32_t j = 1; j <= sheets; ++j) {
        const std::string sheet = book.SheetName(j);
        if (SameName(sheet, CfgTabSheet)) foundSheet = static_cast<int>(lines_.size());
        lines_.push_back(kSheetPrefix + sheet);
      }
    }
  } catch (const TXLError& e) {
    view_.ShowError(e.what());
  }
  int selected = -1;
  if (WantNewSheet) {
    if (lines_.size() > 1) selected = 1;
    view_.SetComment(TrText("TXLExportCore", "Mappe wählen für neue Tabelle"));
    if (foundBook >= 0) selected = foundBook;
  } else {
    view_.SetComment(TrText("TXLExportCore", "Tabelle wählen für VQR-Daten"));
    if (foundSheet >= 0) selected = foundSheet;
  }
  view_.SetLines(lines_, selected);
}

void TXLExportCore::ReadChoice() {
  // Only this list chooses: a name left over from an earlier export would
  // write into a sheet the user did not pick.
  WorkBookName.clear();
  TabSheetName.clear();
  sheetBook_.clear();
  const int selected = view_.SelectedLine();
  std::string heading;
  bool sheetChosen = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string& line = lines_[i];
    const bool isSelected = static_cast<int>(i) == selected;
    if (line.starts_with(kBookPrefix)) {
      heading = line.substr(kPrefixLength);
      if (isSelected) WorkBookName = heading;
    } else if (line.starts_with(kSheetPrefix) && isSelected) {
      TabSheetName = line.substr(kPrefixLength);
      sheetBook_ = heading;
      sheetChosen = true;
    }
  }
  if (!sheetChosen) {
    sheetBook_ = heading;
  } else {
    // A sheet line chooses its workbook for a new sheet as well.
    WorkBookName = sheetBook_;
  }
}

void TXLExportCore::MakeNewWorkBook() {
  WorkBookName = view_.EditText(IXLExportView::TEdit::NewWorkbook);
  TabSheetName = view_.EditText(IXLExportView::TEdit::NewSheet);
  if (IsBlank(TabSheetName)) {
    GoOn = false;
    return;
  }
  const std::string templateFile(TrimmedText(view_.EditText(IXLExportView::TEdit::Template)));
  XLBook = &app_->AddWorkbook(templateFile);
  XLBook->Worksheet(1).SetName(TabSheetName);
  XLSheet = &XLBook->Worksheet(TabSheetName);
}

void TXLExportCore::MakeNewTabSheet() {
  TabSheetName = view_.EditText(IXLExportView::TEdit::NewSheet);
  if (IsBlank(TabSheetName) || IsBlank(WorkBookName)) {
    GoOn = false;
    return;
  }
  XLBook = &app_->Workbook(WorkBookName);
  IXLWorksheet& sheet = XLBook->AddWorksheetBefore(1);
  sheet.SetName(TabSheetName);
  XLSheet = &sheet;
}

void TXLExportCore::UseTabSheet() {
  WorkBookName = sheetBook_;
  if (IsBlank(TabSheetName) || IsBlank(WorkBookName)) {
    GoOn = false;
    return;
  }
  XLBook = &app_->Workbook(WorkBookName);
  XLSheet = &XLBook->Worksheet(TabSheetName);
}

void TXLExportCore::RunExport(const TXLSheetWriter& write) {
  const TXLLayout layout = XLLayoutFromSettings(settings_);
  WriteHeader = layout.WriteHeader;
  Reformat = layout.Reformat;
  TimeFormat = layout.TimeFormat;
  ChannelFormat = layout.ChannelFormat;
  TempFormat = layout.TempFormat;
  write(*XLSheet, layout, [this]() {
    view_.ProcessEvents();
    return GoOn;
  });
}

void TXLExportCore::OkClick(const TXLSheetWriter& write) {
  if (Busy || !XLAvailable || !app_) {
    view_.Beep();
    return;
  }
  Busy = true;
  GoOn = true;
  try {
    ReadChoice();
    XLBook = nullptr;
    XLSheet = nullptr;
    if (WantNewBook)
      MakeNewWorkBook();
    else if (WantNewSheet)
      MakeNewTabSheet();
    else
      UseTabSheet();
    if (!XLSheet || !GoOn)
      view_.Beep();
    else
      RunExport(write);
    GoOn = false;
    app_->SetVisible(true);
  } catch (const std::exception& e) {
    // The export ends at the failing call; the dialog stays open for
    // another choice or "Abbrechen".
    GoOn = false;
    Busy = false;
    view_.ShowError(e.what());
    return;
  }
  Busy = false;
  view_.CloseDialog();
}

void TXLExportCore::CancelClick() {
  if (Busy) {
    GoOn = false;
    view_.Beep();
    return;
  }
  if (!XLWasRunning && XLAvailable && app_) QuitStartedApp();
  view_.CloseDialog();
}

void TXLExportCore::QuitStartedApp() {
  try {
    app_->SetDisplayAlerts(false);
    app_->Quit();
  } catch (const TXLError& e) {
    view_.ShowError(e.what());
  }
  app_.reset();
  XLBook = nullptr;
  XLSheet = nullptr;
}
