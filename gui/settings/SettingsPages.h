#pragma once
// The settings pages of the main window. They only hold the widgets, named
// as the settings table expects; the main window connects the editors.

class QTabWidget;
class QWidget;

/// Adds the nine pages to tabs in their fixed order.
void BuildSettingsPages(QTabWidget* tabs);

QWidget* BuildFilePage();
QWidget* BuildSinglePage();
QWidget* BuildCombiPage(int combi);
QWidget* BuildDiagramXYPage();
QWidget* BuildDiagramTGenPage();
QWidget* BuildTextPage();
QWidget* BuildPrinterPage();
QWidget* BuildExcelPage();
