// Pages "Diagramm  X/Y" and "Diagramm  T/allgemein".
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/settings/SettingsPages.h"
#include "gui/settings/pagebuilder.h"

using namespace pages;

namespace {

QString Name(const char* pattern, QChar axis) { return QString(pattern).arg(axis); }

// The controls of one axis; returns the grid so that callers can add rows.
QGridLayout* AxisGroupGrid(QGroupBox* group, QChar a) {
  auto* g = TightGrid(group, 3);
  int r = 0;
  g->addWidget(Header(TSettingsPage::tr("Farbe / Stift")), r++, 1, 1, 2);
  g->addWidget(Label(TSettingsPage::tr("Achse")), r, 0);
  g->addWidget(Field(Name("Ed_%1AxisColor", a), Kind::Color), r, 1);
  g->addWidget(Field(Name("Ed_%1AxisPen", a), Kind::Pen), r++, 2);
  g->addWidget(Label(TSettingsPage::tr("Teilstrich")), r, 0);
  g->addWidget(Field(Name("Ed_%1TicColor", a), Kind::Color), r, 1);
  g->addWidget(Field(Name("Ed_%1TicPen", a), Kind::Pen), r++, 2);

  struct Row {
    const char* caption;
    const char* pattern;
  };
  static const Row lengths[] = {
      {QT_TRANSLATE_NOOP("TSettingsPage", "Start X"), "Ed_%1AxisX"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "Start Y"), "Ed_%1AxisY"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "Länge"), "Ed_%1AxisL"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "Teilstrich-Länge"), "Ed_%1TicL"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "Abstand Mass"), "Ed_%1LabelOffset"},
      {QT_TRANSLATE_NOOP("TSettingsPage", "Abstand Einheit"), "Ed_%1UnitOffset"},
  };
  for (const Row& row : lengths) {
    g->addWidget(Label(TSettingsPage::tr(row.caption)), r, 0);
    g->addWidget(Field(Name(row.pattern, a), Kind::Number), r++, 1, 1, 2, Qt::AlignLeft);
  }

  g->addWidget(Header(TSettingsPage::tr("Farbe / Schrift")), r++, 1, 1, 2);
  g->addWidget(Label(TSettingsPage::tr("Bemassung")), r, 0);
  g->addWidget(Field(Name("Ed_%1LabelColor", a), Kind::Color), r, 1);
  g->addWidget(Field(Name("Ed_%1LabelFont", a), Kind::Font, kPenWidth), r++, 2);
  g->addWidget(Label(TSettingsPage::tr("Schriftgrösse")), r, 0);
  g->addWidget(Field(Name("Ed_%1LabelSize", a), Kind::Size), r++, 1);
  return g;
}

QGroupBox* AxisGroup(const QString& name, const QString& title, QChar axis) {
  auto* group = Group(name, title);
  AxisGroupGrid(group, axis);
  return group;
}

}  // namespace

QWidget* BuildDiagramXYPage() {
  auto* page = new QWidget;
  page->setObjectName("TS_DiagramXY");
  auto* v = new QVBoxLayout(page);
  v->addWidget(Note(TSettingsPage::tr("Masse in mm, skaliert auf A4")));
  auto* h = new QHBoxLayout;

  auto* x = Group("GB_XAxis", TSettingsPage::tr("X-Achse"));
  QGridLayout* xg = AxisGroupGrid(x, 'X');
  int r = xg->rowCount();
  xg->addWidget(Label(TSettingsPage::tr("Umschaltung auf Tage")), r++, 0, 1, 3);
  xg->addWidget(Label(TSettingsPage::tr("ab max Std")), r, 0);
  xg->addWidget(Field("Ed_HourMax", Kind::Number), r, 1, 1, 2, Qt::AlignLeft);
  xg->setRowStretch(r + 1, 1);
  h->addWidget(x);

  auto* y = Group("GB_YAxis", TSettingsPage::tr("Y-Achse"));
  QGridLayout* yg = AxisGroupGrid(y, 'Y');
  r = yg->rowCount();
  yg->addWidget(Label(TSettingsPage::tr("Umrechnungsfaktor ")), r++, 0, 1, 3);
  yg->addWidget(Label(TSettingsPage::tr("auf Benutzer-Einheit ")), r, 0);
  yg->addWidget(Field("Ed_YFactor", Kind::Number, 90), r, 1, 1, 2, Qt::AlignLeft);
  yg->setRowStretch(r + 1, 1);
  h->addWidget(y);
  h->addStretch(1);
  v->addLayout(h);
  v->addStretch(1);
  return page;
}

QWidget* BuildDiagramTGenPage() {
  auto* page = new QWidget;
  page->setObjectName("TS_DiagramTGen");
  auto* v = new QVBoxLayout(page);
  v->addWidget(Note(TSettingsPage::tr("Masse in mm, skaliert auf A4")));
  auto* h = new QHBoxLayout;
  auto* t = AxisGroup("GB_TAxis", TSettingsPage::tr("Temperatur-Achse"), 'T');
  h->addWidget(t, 0, Qt::AlignTop);

  auto* general = Group("GB_General", TSettingsPage::tr("Allgemeine Einstellungen"));
  auto* gv = new QVBoxLayout(general);

  auto* legend = Group("GB_Legend", TSettingsPage::tr("Legende"));
  auto* lg = TightGrid(legend, 4);
  int r = 0;
  lg->addWidget(Label(TSettingsPage::tr("Start  X")), r, 0);
  lg->addWidget(Field("Ed_FirstLegendX", Kind::Number), r, 1);
  lg->addWidget(Label(TSettingsPage::tr("Y")), r, 2, Qt::AlignRight);
  lg->addWidget(Field("Ed_FirstLegendY", Kind::Number), r++, 3);
  lg->addWidget(Label(TSettingsPage::tr("Schritt  X")), r, 0);
  lg->addWidget(Field("Ed_StepLegendX", Kind::Number), r, 1);
  lg->addWidget(Label(TSettingsPage::tr("Y")), r, 2, Qt::AlignRight);
  lg->addWidget(Field("Ed_StepLegendY", Kind::Number), r++, 3);
  lg->addWidget(Label(TSettingsPage::tr("Länge")), r, 0);
  lg->addWidget(Field("Ed_LegendLength", Kind::Number), r++, 1);
  lg->addWidget(Label(TSettingsPage::tr("Abstand")), r, 0);
  lg->addWidget(Field("Ed_LegendOffset", Kind::Number), r++, 1);
  lg->addWidget(Label(TSettingsPage::tr("Farbe / Schrift")), r, 0);
  auto* colorAndFont = new QHBoxLayout;
  colorAndFont->addWidget(Field("Ed_LegendColor", Kind::Color));
  colorAndFont->addWidget(Field("Ed_LegendFont", Kind::Font, kPenWidth));
  colorAndFont->addStretch(1);
  lg->addLayout(colorAndFont, r++, 1, 1, 3);
  lg->addWidget(Label(TSettingsPage::tr("Grösse")), r, 0);
  lg->addWidget(Field("Ed_LegendSize", Kind::Size), r++, 1, Qt::AlignLeft);
  gv->addWidget(legend);

  auto* grid = Group("GB_Grid", TSettingsPage::tr("Gitter"));
  auto* gg = TightGrid(grid, 3);
  gg->addWidget(Label(TSettingsPage::tr("Farbe / Stift")), 0, 0);
  gg->addWidget(Field("Ed_GridColor", Kind::Color), 0, 1);
  gg->addWidget(Field("Ed_GridPen", Kind::Pen), 0, 2);
  gg->addWidget(Label(TSettingsPage::tr("Gitter-Stil")), 1, 0);
  gg->addWidget(Field("Ed_GridStyle", Kind::GridStyle), 1, 1);
  gv->addWidget(grid);

  auto* origin = Group("GB_DataStart", TSettingsPage::tr("Datenbereich"));
  auto* og = TightGrid(origin, 4);
  og->addWidget(Label(TSettingsPage::tr("Nullpunkt X")), 0, 0);
  og->addWidget(Field("Ed_DataStartX", Kind::Number), 0, 1);
  og->addWidget(Label(TSettingsPage::tr("Nullpunkt Y")), 0, 2);
  og->addWidget(Field("Ed_DataStartY", Kind::Number), 0, 3);
  gv->addWidget(origin);

  auto* timeAxis = Group("GB_TimeAxis", TSettingsPage::tr("Zeitachse"));
  auto* tv = new QHBoxLayout(timeAxis);
  auto* fromStart = Radio("RB_TimeFromStart", TSettingsPage::tr(" ab Start"));
  fromStart->setChecked(true);  // the clock not chosen
  tv->addWidget(fromStart);
  tv->addWidget(Radio("RB_TimeOfDay", TSettingsPage::tr(" Uhrzeit")));
  tv->addStretch(1);
  gv->addWidget(timeAxis);
  gv->addStretch(1);

  h->addWidget(general, 0, Qt::AlignTop);
  h->addStretch(1);
  v->addLayout(h);
  v->addStretch(1);
  return page;
}
