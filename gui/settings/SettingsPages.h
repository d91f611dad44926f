#pragma once
// The settings pages of the main window. They only hold the widgets, named
// as the settings rows expect; the main window connects the editors. A page
// is built when it is first shown (or asked for), so that a start does not
// pay for the eight pages nobody looks at.

#include <QScrollArea>
#include <functional>

class QTabWidget;
class QWidget;

/// A tab's page, built on its first show. It is a scroll area named after
/// the page: a small window scrolls the page instead of squeezing it.
class TSettingsPage : public QScrollArea {
 public:
  using Builder = std::function<QWidget*()>;
  using Hook = std::function<void(QWidget*)>;
  TSettingsPage(const char* name, Builder builder);

  /// Builds the page now unless it is built, then calls the built hook.
  void Build();
  bool IsBuilt() const { return built_; }
  /// Called with the page's content right after it was built.
  void SetBuiltHook(Hook hook) { hook_ = std::move(hook); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  Builder builder_;
  Hook hook_;
  bool built_ = false;
};

/// Adds the ten pages to tabs in their fixed order, none built yet; hook is
/// called with each page's content when it is built.
void BuildSettingsPages(QTabWidget* tabs, const TSettingsPage::Hook& hook = {});
/// Builds every page of tabs not built yet.
void BuildAllSettingsPages(QTabWidget* tabs);

QWidget* BuildFilePage();
QWidget* BuildSinglePage();
QWidget* BuildCombiPage(int combi);
QWidget* BuildDiagramXYPage();
QWidget* BuildDiagramTGenPage();
QWidget* BuildTextPage();
QWidget* BuildPrinterPage();
QWidget* BuildExcelPage();
QWidget* BuildLimitsPage();

/// Adds to page (named pageName) a field for every settings row that names
/// this page and whose control the page's own layout lacks.
void AddRowFields(QWidget* page, const char* pageName);
