// Page "Grenzwerte": per channel and for the temperature a lower and an
// upper limit of the curve, blank for none.
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/settings/SettingsPages.h"
#include "gui/settings/pagebuilder.h"

using namespace pages;

namespace {

// Channels first..last (17 is "T") with their two fields.
QGroupBox* LimitsBlock(const char* name, int first, int last) {
  auto* box = Group(name, QString());
  auto* g = TightGrid(box, 3);
  g->addWidget(Header(TSettingsPage::tr("Kanal")), 0, 0);
  g->addWidget(Header(TSettingsPage::tr("unten")), 0, 1);
  g->addWidget(Header(TSettingsPage::tr("oben")), 0, 2);
  for (int ch = first; ch <= last; ++ch) {
    const QString n = ch == 17 ? QStringLiteral("T") : QString::number(ch);
    const int row = ch - first + 1;
    g->addWidget(Label(ch == 17 ? TSettingsPage::tr("Temperatur") : n), row, 0);
    g->addWidget(Field("Ed_Lower" + n, Kind::Number, 90), row, 1);
    g->addWidget(Field("Ed_Upper" + n, Kind::Number, 90), row, 2);
  }
  g->setRowStretch(last - first + 2, 1);
  return box;
}

}  // namespace

QWidget* BuildLimitsPage() {
  auto* page = new QWidget;
  page->setObjectName("TS_Limits");
  auto* v = new QVBoxLayout(page);
  v->addWidget(
      Note(TSettingsPage::tr("Grenzen in der Einheit der Kurve, wie gezeichnet (mit Faktor); "
                             "leer: keine Grenze")));
  auto* row = new QHBoxLayout;
  row->addWidget(LimitsBlock("GB_Limits1", 1, 9));
  row->addWidget(LimitsBlock("GB_Limits2", 10, 17));
  row->addStretch(1);
  v->addLayout(row);
  v->addStretch(1);
  return page;
}
