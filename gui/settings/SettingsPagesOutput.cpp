// Pages "Texte", "Drucker" and "Excel®".
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/settings/SettingsPages.h"
#include "gui/settings/pagebuilder.h"

using namespace pages;

QWidget* BuildTextPage() {
  auto* page = new QWidget;
  page->setObjectName("TS_Text");
  auto* v = new QVBoxLayout(page);

  auto* texts = Group("GB_Texts", TSettingsPage::tr("Diagramm-Texte"));
  auto* tg = new QGridLayout(texts);
  static const char* const rows[][2] = {
      {QT_TRANSLATE_NOOP("TSettingsPage", "Legende Titel (Kanal)"), "Ed_Legend"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "Legende Temperatur (T)"), "Ed_LegendT"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "X-Achse Einheit 1 (Std)"), "Ed_XUnitLo"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "X-Achse Einheit 2 (Tage)"), "Ed_XUnitHi"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "Y-Achse Einheit  (McF)"), "Ed_YUnit"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "T-Achse Einheit (Celsius)"), "Ed_TUnit"},
  };
  int r = 0;
  for (const auto& row : rows) {
    tg->addWidget(Label(TSettingsPage::tr(row[0])), r, 0);
    tg->addWidget(Field(row[1], Kind::Text, 220), r++, 1, Qt::AlignLeft);
  }
  tg->setColumnStretch(2, 1);
  v->addWidget(texts);

  auto* paper = Group("GB_PrinterPaper", TSettingsPage::tr("Drucker-Hintergrund"));
  auto* pg = new QGridLayout(paper);
  pg->addWidget(Label(TSettingsPage::tr("Datei 1")), 0, 0);
  pg->addWidget(Field("Ed_PrinterPaper1", Kind::Text), 0, 1);
  pg->addWidget(PickerButton("Bt_SelPaperFile1"), 0, 2);
  pg->addWidget(Label(TSettingsPage::tr("Datei 2")), 1, 0);
  pg->addWidget(Field("Ed_PrinterPaper2", Kind::Text), 1, 1);
  pg->addWidget(PickerButton("Bt_SelPaperFile2"), 1, 2);
  pg->setColumnStretch(1, 1);
  v->addWidget(paper);

  auto* logo = Group("GB_Logo", TSettingsPage::tr("Logo-Grafik"));
  auto* lg = new QGridLayout(logo);
  lg->addWidget(Label(TSettingsPage::tr("Datei ")), 0, 0);
  lg->addWidget(Field("Ed_LogoFile", Kind::Text), 0, 1, 1, 5);
  lg->addWidget(PickerButton("Bt_SelLogoFile"), 0, 6);
  lg->addWidget(Label(TSettingsPage::tr("Start X ")), 1, 0);
  lg->addWidget(Field("Ed_LogoX", Kind::Number), 1, 1);
  lg->addWidget(Label(TSettingsPage::tr(" Y")), 1, 2, Qt::AlignRight);
  lg->addWidget(Field("Ed_LogoY", Kind::Number), 1, 3);
  lg->addWidget(Note(TSettingsPage::tr("Masse in mm, skaliert auf A4")), 1, 4);
  lg->addWidget(Label(TSettingsPage::tr("Vergrösserung")), 2, 0);
  lg->addWidget(Field("Ed_LogoScale", Kind::Number), 2, 1);
  lg->setColumnStretch(5, 1);
  v->addWidget(logo);
  v->addStretch(1);
  return page;
}

namespace {

QGroupBox* ScaleGroup(const QString& name, const QString& title, QChar vh) {
  auto* group = Group(name, title);
  auto* g = TightGrid(group, 2);
  static const char* const rows[][2] = {
      {QT_TRANSLATE_NOOP("TSettingsPage", "fester Faktor X"), "Ed_Pr%1_FactorX"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "fester Faktor Y"), "Ed_Pr%1_FactorY"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "Y / X minimal "), "Ed_Pr%1_YtoXmin"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "Y / X maximal "), "Ed_Pr%1_YtoXmax"},
  };
  int r = 0;
  for (const auto& row : rows) {
    g->addWidget(Label(TSettingsPage::tr(row[0])), r, 0);
    g->addWidget(Field(QString(row[1]).arg(vh), Kind::Number), r++, 1);
  }
  g->setRowStretch(r, 1);
  return group;
}

}  // namespace

QWidget* BuildPrinterPage() {
  auto* page = new QWidget;
  page->setObjectName("TS_Printer");
  auto* v = new QVBoxLayout(page);

  auto* top = new QHBoxLayout;
  auto* orient = Group("GB_Orientation", TSettingsPage::tr("Orientierung"));
  auto* ov = new QVBoxLayout(orient);
  ov->addWidget(Radio("RB_Pr_FixPortrait", TSettingsPage::tr(" immer vertikal")));
  ov->addWidget(Radio("RB_Pr_FixLandscape", TSettingsPage::tr(" immer horizontal")));
  auto* unfixed = Radio("RB_Pr_UnfixOrient", TSettingsPage::tr(" wie Drucker"));
  unfixed->setChecked(true);  // neither fixed orientation stored
  ov->addWidget(unfixed);
  top->addWidget(orient);

  auto* options = Group("GB_PrintOptions", TSettingsPage::tr("Ausgabe"));
  auto* pv = new QVBoxLayout(options);
  pv->addWidget(Check("CB_Pr_AllBlack", TSettingsPage::tr(" alles Schwarz")));
  pv->addWidget(Check("CB_Pr_Preview", TSettingsPage::tr("Skal. Vorschau anzeigen")));
  pv->addStretch(1);
  top->addWidget(options);

  auto* border = Group("GB_Border", TSettingsPage::tr("Rand"));
  auto* bg = TightGrid(border, 4);
  bg->addWidget(Label(TSettingsPage::tr("links ")), 0, 0);
  bg->addWidget(Field("Ed_BorderL", Kind::Number), 0, 1);
  bg->addWidget(Label(TSettingsPage::tr("oben ")), 0, 2);
  bg->addWidget(Field("Ed_BorderT", Kind::Number), 0, 3);
  bg->addWidget(Label(TSettingsPage::tr("rechts ")), 1, 0);
  bg->addWidget(Field("Ed_BorderR", Kind::Number), 1, 1);
  bg->addWidget(Label(TSettingsPage::tr("unten ")), 1, 2);
  bg->addWidget(Field("Ed_BorderB", Kind::Number), 1, 3);
  bg->addWidget(Note(TSettingsPage::tr("Masse in mm, skaliert auf A4")), 2, 0, 1, 4);
  top->addWidget(border);
  top->addStretch(1);
  v->addLayout(top);

  auto* scales = new QHBoxLayout;
  scales->addWidget(ScaleGroup("GB_ScaleVert", TSettingsPage::tr("Skalierung Vertikal"), 'V'));
  scales->addWidget(ScaleGroup("GB_ScaleHorz", TSettingsPage::tr("Skalierung Horizontal"), 'H'));
  scales->addStretch(1);
  v->addLayout(scales);
  v->addStretch(1);
  return page;
}

QWidget* BuildExcelPage() {
  auto* page = new QWidget;
  page->setObjectName("TS_Excel");
  auto* v = new QVBoxLayout(page);

  auto* book = Group("GB_XLWorkbook", TSettingsPage::tr("Arbeitsmappe"));
  auto* bg = new QGridLayout(book);
  bg->addWidget(Label(TSettingsPage::tr("Mappe:")), 0, 0);
  bg->addWidget(Field("Ed_XLCal_Workbook", Kind::Text), 0, 1);
  bg->addWidget(Check("CB_XLCal_WBNew", TSettingsPage::tr(" immer neu anlegen")), 0, 2);
  bg->addWidget(Label(TSettingsPage::tr("Vorlage:")), 1, 0);
  bg->addWidget(Field("Ed_XLCal_Template", Kind::Text), 1, 1);
  bg->addWidget(Label(TSettingsPage::tr("Tabelle:")), 2, 0);
  bg->addWidget(Field("Ed_XLCal_TabSheet", Kind::Text), 2, 1);
  bg->addWidget(Check("CB_XLCal_TSNew", TSettingsPage::tr(" immer neu anlegen")), 2, 2);
  bg->setColumnStretch(1, 1);
  v->addWidget(book);

  auto* h = new QHBoxLayout;
  auto* place = Group("GB_XLLayout", TSettingsPage::tr("Anordnung"));
  auto* pg = TightGrid(place, 4);
  pg->addWidget(Check("CB_XLCal_Header", TSettingsPage::tr("Überschriften Zeile ")), 0, 0, 1, 3);
  pg->addWidget(Field("Ed_XLCal_HeaderRow", Kind::Number), 0, 3);
  pg->addWidget(Label(TSettingsPage::tr("Daten ab")), 1, 0);
  pg->addWidget(Label(TSettingsPage::tr("Zeile ")), 1, 2, Qt::AlignRight);
  pg->addWidget(Field("Ed_XLCal_DataRow", Kind::Number), 1, 3);
  pg->addWidget(Label(TSettingsPage::tr("Spalte ")), 2, 2, Qt::AlignRight);
  pg->addWidget(Field("Ed_XLCal_DataCol", Kind::Number), 2, 3);
  pg->setRowStretch(3, 1);
  h->addWidget(place);

  auto* format = Group("GB_XLFormat", TSettingsPage::tr("Zahlenformate"));
  auto* fg = TightGrid(format, 2);
  fg->addWidget(Check("CB_XLCal_newFormat", TSettingsPage::tr(" Zellen neu formatieren:")), 0, 0, 1,
                2);
  fg->addWidget(Label(TSettingsPage::tr("Zeit")), 1, 0);
  fg->addWidget(Field("Ed_XLCal_FormatTime", Kind::Text, 160), 1, 1);
  fg->addWidget(Label(TSettingsPage::tr("Kanal 1-16")), 2, 0);
  fg->addWidget(Field("Ed_XLCal_FormatChannel", Kind::Text, 160), 2, 1);
  fg->addWidget(Label(TSettingsPage::tr("Temperatur")), 3, 0);
  fg->addWidget(Field("Ed_XLCal_FormatTemp", Kind::Text, 160), 3, 1);
  h->addWidget(format);
  h->addStretch(1);
  v->addLayout(h);
  v->addStretch(1);
  return page;
}
