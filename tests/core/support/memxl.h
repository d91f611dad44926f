#pragma once
// A spreadsheet application held in memory: workbooks, sheets and cells,
// with the failures a real one reports (unknown names, refused sheet names).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "export/xlauto.h"

namespace vqrtest {

struct MemCell {
  enum class Kind { Text, DateTime, Double };
  Kind kind = Kind::Double;
  std::string text;
  double value = 0;
  std::string format;  // empty: never set
};

class MemSheet : public IXLWorksheet {
 public:
  explicit MemSheet(std::string name) : name_(std::move(name)) {}
  std::string Name() override { return name_; }
  void SetName(const std::string& name) override {
    if (name.empty() || name.find_first_of("[]:*?/\\") != std::string::npos)
      throw TXLError("Der Name '" + name + "' ist als Tabellenname nicht erlaubt.");
    name_ = name;
  }
  void SetText(int32_t row, int32_t col, const std::string& text) override {
    Put(row, col, MemCell::Kind::Text, 0).text = text;
  }
  void SetDateTime(int32_t row, int32_t col, double days) override {
    Put(row, col, MemCell::Kind::DateTime, days);
  }
  void SetDouble(int32_t row, int32_t col, double value) override {
    Put(row, col, MemCell::Kind::Double, value);
  }
  void SetNumberFormat(int32_t row, int32_t col, const std::string& format) override {
    cells[{row, col}].format = format;
  }

  /// Called after every value written (the test's "user" acts there).
  std::function<void()> onWrite;
  std::map<std::pair<int32_t, int32_t>, MemCell> cells;

 private:
  MemCell& Put(int32_t row, int32_t col, MemCell::Kind kind, double value) {
    MemCell& c = cells[{row, col}];
    c.kind = kind;
    c.value = value;
    if (onWrite) onWrite();
    return c;
  }
  std::string name_;
};

class MemBook : public IXLWorkbook {
 public:
  MemBook(std::string name, std::vector<std::string> sheets) : name_(std::move(name)) {
    for (auto& s : sheets) sheets_.push_back(std::make_unique<MemSheet>(s));
  }
  std::string Name() override { return name_; }
  int32_t SheetCount() override { return static_cast<int32_t>(sheets_.size()); }
  std::string SheetName(int32_t index) override { return Worksheet(index).Name(); }
  IXLWorksheet& Worksheet(int32_t index) override { return Sheet(index); }
  IXLWorksheet& Worksheet(const std::string& name) override { return Sheet(name); }
  IXLWorksheet& AddWorksheetBefore(int32_t index) override {
    Sheet(index);
    auto it = sheets_.insert(sheets_.begin() + (index - 1),
                             std::make_unique<MemSheet>("Tabelle" + std::to_string(++added_)));
    return **it;
  }
  MemSheet& Sheet(int32_t index) {
    if (index < 1 || index > SheetCount()) throw TXLError("Index außerhalb des gültigen Bereichs");
    return *sheets_[static_cast<size_t>(index - 1)];
  }
  MemSheet& Sheet(const std::string& name) {
    for (auto& s : sheets_)
      if (s->Name() == name) return *s;
    throw TXLError("Keine Tabelle '" + name + "'");
  }

 private:
  std::string name_;
  std::vector<std::unique_ptr<MemSheet>> sheets_;
  int added_ = 10;
};

/// What an application instance holds; the provider and the objects handed
/// to the dialog share it, so a test sees what the dialog did.
struct MemAppState {
  bool visible = true, alerts = true, quit = false;
  std::vector<std::unique_ptr<MemBook>> books;
  std::vector<std::string> templates;  // given to AddWorkbook
  std::function<void()> onWrite;       // for the sheets of added workbooks
  MemBook& Add(const std::string& name, std::vector<std::string> sheets) {
    books.push_back(std::make_unique<MemBook>(name, std::move(sheets)));
    return *books.back();
  }
};

class MemApp : public IXLApplication {
 public:
  explicit MemApp(std::shared_ptr<MemAppState> s) : s_(std::move(s)) {}
  bool Visible() override { return s_->visible; }
  void SetVisible(bool v) override { s_->visible = v; }
  void SetDisplayAlerts(bool on) override { s_->alerts = on; }
  void Quit() override { s_->quit = true; }
  int32_t WorkbookCount() override { return static_cast<int32_t>(s_->books.size()); }
  IXLWorkbook& Workbook(int32_t index) override {
    if (index < 1 || index > WorkbookCount())
      throw TXLError("Index außerhalb des gültigen Bereichs");
    return *s_->books[static_cast<size_t>(index - 1)];
  }
  IXLWorkbook& Workbook(const std::string& name) override {
    for (auto& b : s_->books)
      if (b->Name() == name) return *b;
    throw TXLError("Keine Mappe '" + name + "'");
  }
  IXLWorkbook& AddWorkbook(const std::string& templateFile) override {
    s_->templates.push_back(templateFile);
    MemBook& book = s_->Add("Mappe" + std::to_string(s_->books.size() + 1), {"Tabelle1"});
    book.Sheet(1).onWrite = s_->onWrite;
    return book;
  }

 private:
  std::shared_ptr<MemAppState> s_;
};

/// running: the instance Attach finds (none when null); every Create starts
/// a new one, kept in created, unless creating fails.
class MemProvider : public IXLProvider {
 public:
  std::unique_ptr<IXLApplication> Attach() override {
    if (!running) throw TXLError("Keine laufende Anwendung");
    return std::make_unique<MemApp>(running);
  }
  std::unique_ptr<IXLApplication> Create() override {
    if (!canCreate) throw TXLError("Nicht installiert");
    created.push_back(std::make_shared<MemAppState>());
    created.back()->visible = false;
    return std::make_unique<MemApp>(created.back());
  }
  std::string Description() const override { return "Speicher"; }

  std::shared_ptr<MemAppState> running;
  bool canCreate = true;
  std::vector<std::shared_ptr<MemAppState>> created;
};

}  // namespace vqrtest
