// Pages "Dateien", "Einzelblatt", "Kombin. 1" and "Kombin. 2".
#include <QComboBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/settings/SettingsPages.h"
#include "gui/settings/pagebuilder.h"

using namespace pages;

namespace {

// The language of the program: the stored value is the item's data.
QGroupBox* LanguageGroup() {
  // Named in both languages, so that whoever cannot read the one finds it.
  auto* group = Group("GB_Language", TSettingsPage::tr("Sprache / Language"));
  auto* v = new QVBoxLayout(group);
  auto* choice = new QComboBox;
  choice->setObjectName("CoB_Language");
  choice->addItem(TSettingsPage::tr("Systemsprache"), "System");
  choice->addItem(TSettingsPage::tr("Deutsch"), "de");
  choice->addItem(TSettingsPage::tr("English"), "en");
  v->addWidget(choice);
  v->addWidget(Note(TSettingsPage::tr("gilt ab dem nächsten Start")));
  v->addStretch(1);
  return group;
}

// A folder row: caption, text field, picker button.
void AddPathRow(QGridLayout* grid, int row, const QString& caption, const QString& field,
                const QString& button) {
  grid->addWidget(Label(caption), row, 0);
  grid->addWidget(Field(field, Kind::Text), row, 1);
  grid->addWidget(PickerButton(button), row, 2);
}

}  // namespace

QWidget* BuildFilePage() {
  auto* page = new QWidget;
  page->setObjectName("FileSettings");
  auto* v = new QVBoxLayout(page);

  auto* raw = Group("GB_RawFile", TSettingsPage::tr(" VQR Rohdaten "));
  auto* rg = new QGridLayout(raw);
  rg->addWidget(Check("CB_RawFile_Remember", TSettingsPage::tr(" Letzte Datei merken")), 0, 0, 1,
                3);
  AddPathRow(rg, 1, TSettingsPage::tr("Start-Ordner"), "Ed_RawDir", "Bt_SelRawDir");
  rg->setColumnStretch(1, 1);
  v->addWidget(raw);

  auto* data = Group("GB_DataFile", TSettingsPage::tr("VQR verarbeitete Daten"));
  auto* dg = new QGridLayout(data);
  dg->addWidget(Check("CB_Datafile_Remember", TSettingsPage::tr(" Letzte Datei merken")), 0, 0, 1,
                3);
  dg->addWidget(Check("CB_DataLikeRaw", TSettingsPage::tr(" Dateiname wie Rohdaten")), 1, 0, 1, 3);
  AddPathRow(dg, 2, TSettingsPage::tr("Start-Ordner"), "Ed_DataDir", "Bt_SelDataDir");
  dg->setColumnStretch(1, 1);
  v->addWidget(data);

  auto* row = new QHBoxLayout;
  auto* ascii = Group("GB_AsciiExport", TSettingsPage::tr("ASCII-Export"));
  auto* av = new QVBoxLayout(ascii);
  av->addWidget(Radio("RB_ASC_CData", TSettingsPage::tr("Kalibrierte Daten")));
  av->addWidget(Radio("RB_ASC_RData", TSettingsPage::tr("Rohdaten")));
  av->addWidget(Radio("RB_ASC_CParams", TSettingsPage::tr("Kalibrier-Parameter")));
  row->addWidget(ascii);

  auto* filter = Group("GB_Filter", TSettingsPage::tr("Filter"));
  auto* fg = TightGrid(filter, 2);
  fg->addWidget(Label(TSettingsPage::tr("Abstand (1-32)")), 0, 0);
  fg->addWidget(Field("Ed_Equal_Dist", Kind::Number), 0, 1);
  fg->setRowStretch(1, 1);
  row->addWidget(filter);
  row->addWidget(LanguageGroup());
  row->addStretch(1);
  v->addLayout(row);
  v->addStretch(1);
  return page;
}

namespace {

// One column block of channel rows with optional "Sichtbar" check boxes.
// prefix is "Single", "Combi1" or "Combi2"; channel 17 is "T".
void AddChannelRows(QGridLayout* grid, const QString& prefix, bool withVisible, int first, int last,
                    int column) {
  int c = column;
  if (withVisible) grid->addWidget(Header(TSettingsPage::tr("Sichtbar")), 0, c++);
  grid->addWidget(Header(TSettingsPage::tr("Kanal")), 0, c++);
  grid->addWidget(Header(TSettingsPage::tr("Farbe")), 0, c++);
  grid->addWidget(Header(TSettingsPage::tr("Stift")), 0, c++);
  for (int ch = first; ch <= last; ++ch) {
    const QString id = ch == 17 ? QString("T") : QString::number(ch);
    const int row = ch - first + 1;
    c = column;
    if (withVisible) {
      auto* cb = Check(QString("CB_%1Ch%2").arg(prefix, id), QString());
      grid->addWidget(cb, row, c++, Qt::AlignHCenter);
    }
    grid->addWidget(Label(ch == 17 ? QString("T") : TSettingsPage::tr("Kanal %1").arg(ch)), row,
                    c++);
    grid->addWidget(Field(QString("Ed_%1Ch%2Col").arg(prefix, id), Kind::Color), row, c++);
    grid->addWidget(Field(QString("Ed_%1Ch%2Pen").arg(prefix, id), Kind::Pen), row, c++);
  }
}

QWidget* BuildChannelPage(const QString& pageName, const QString& prefix, bool withVisible,
                          int channels, QWidget* side) {
  auto* page = new QWidget;
  page->setObjectName(pageName);
  auto* h = new QHBoxLayout(page);
  auto* group = Group("GB_" + prefix + "Channels", TSettingsPage::tr("Kurven"));
  auto* grid = new QGridLayout(group);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  const int half = (channels + 1) / 2;
  const int width = withVisible ? 4 : 3;
  AddChannelRows(grid, prefix, withVisible, 1, half, 0);
  grid->setColumnMinimumWidth(width, 24);
  AddChannelRows(grid, prefix, withVisible, half + 1, channels, width + 1);
  h->addWidget(group, 0, Qt::AlignTop);
  h->addWidget(side, 0, Qt::AlignTop);
  h->addStretch(1);
  return page;
}

}  // namespace

QWidget* BuildSinglePage() {
  auto* side = new QWidget;
  auto* v = new QVBoxLayout(side);
  v->setContentsMargins(0, 0, 0, 0);
  auto* all = Group("GB_SingleAllEqual", TSettingsPage::tr("Farbe / Stift"));
  auto* av = new QVBoxLayout(all);
  av->addWidget(Check("CB_Single_AllEqual", TSettingsPage::tr(" alle gleich")));
  av->addWidget(Label(TSettingsPage::tr("(wie Kanal 1)")));
  v->addWidget(all);
  v->addWidget(Button("Bt_SC_Apply", TSettingsPage::tr("Anwenden")));
  return BuildChannelPage("TS_Single", "Single", false, 16, side);
}

namespace {

// Colours that readers with a colour-vision deficiency can still tell apart
// (the Okabe-Ito set without its yellow, then Tol's muted set), 0x00BBGGRR;
// the temperature gets black.
constexpr int32_t kDistinctColors[17] = {0xB27200, 0x009FE6, 0x739E00, 0x005ED5, 0xE9B456, 0xA779CC,
                                         0x552288, 0x339999, 0x99AA44, 0x7766CC, 0x882233, 0x337711,
                                         0x9944AA, 0x77CCDD, 0xEECC88, 0x001166, 0x000000};

}  // namespace

QWidget* BuildCombiPage(int combi) {
  auto* side = new QWidget;
  auto* v = new QVBoxLayout(side);
  v->setContentsMargins(0, 0, 0, 0);
  v->addWidget(Button(QString("Bt_C%1_Apply").arg(combi), TSettingsPage::tr("Anwenden")));
  QPushButton* distribute =
      Button(QString("Bt_C%1_Colors").arg(combi), TSettingsPage::tr("Farben verteilen"));
  v->addWidget(distribute);
  QWidget* page = BuildChannelPage(QString("TS_Combi%1").arg(combi), QString("Combi%1").arg(combi),
                                   true, 17, side);
  // Each colour field as if the user had picked its colour in the dialog.
  QObject::connect(distribute, &QPushButton::clicked, page, [page, combi]() {
    for (int ch = 1; ch <= 17; ++ch) {
      const QString id = ch == 17 ? QString("T") : QString::number(ch);
      if (auto* f = page->findChild<TZTEditField*>(QString("Ed_Combi%1Ch%2Col").arg(combi).arg(id)))
        f->SetColorCode(kDistinctColors[ch - 1]);
    }
  });
  return page;
}

TSettingsPage::TSettingsPage(const char* name, Builder builder) : builder_(std::move(builder)) {
  setObjectName(name);
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  // Show the tab's own background through the area.
  viewport()->setAutoFillBackground(false);
}

void TSettingsPage::Build() {
  if (built_) return;
  built_ = true;
  QWidget* page = builder_();
  AddRowFields(page, objectName().toUtf8().constData());
  // The area carries the page's name.
  page->setObjectName(QString());
  setWidget(page);
  page->setAutoFillBackground(false);
  if (isVisible()) page->show();
  if (hook_) hook_(page);
}

void TSettingsPage::showEvent(QShowEvent* event) {
  Build();
  QScrollArea::showEvent(event);
}

void BuildSettingsPages(QTabWidget* tabs, const TSettingsPage::Hook& hook) {
  struct Page {
    const char* name;
    const char* caption;
    TSettingsPage::Builder builder;
  };
  const Page pages[] = {
      {"FileSettings", QT_TRANSLATE_NOOP("TSettingsPage", "Dateien"), &BuildFilePage},
      {"TS_Single", QT_TRANSLATE_NOOP("TSettingsPage", "Einzelblatt"), &BuildSinglePage},
      {"TS_Combi1", QT_TRANSLATE_NOOP("TSettingsPage", "Kombin. 1"),
       [] { return BuildCombiPage(1); }},
      {"TS_Combi2", QT_TRANSLATE_NOOP("TSettingsPage", "Kombin. 2"),
       [] { return BuildCombiPage(2); }},
      {"TS_DiagramXY", QT_TRANSLATE_NOOP("TSettingsPage", "Diagramm  X/Y"), &BuildDiagramXYPage},
      {"TS_DiagramTGen", QT_TRANSLATE_NOOP("TSettingsPage", "Diagramm  T/allgemein"),
       &BuildDiagramTGenPage},
      {"TS_Text", QT_TRANSLATE_NOOP("TSettingsPage", "Texte"), &BuildTextPage},
      {"TS_Printer", QT_TRANSLATE_NOOP("TSettingsPage", "Drucker"), &BuildPrinterPage},
      {"TS_Excel", QT_TRANSLATE_NOOP("TSettingsPage", "Excel®"), &BuildExcelPage},
      {"TS_Limits", QT_TRANSLATE_NOOP("TSettingsPage", "Grenzwerte"), &BuildLimitsPage},
  };
  for (const Page& p : pages) {
    auto* page = new TSettingsPage(p.name, p.builder);
    page->SetBuiltHook(hook);
    tabs->addTab(page, TSettingsPage::tr(p.caption));
  }
}

void BuildAllSettingsPages(QTabWidget* tabs) {
  for (int i = 0; i < tabs->count(); ++i)
    if (auto* page = dynamic_cast<TSettingsPage*>(tabs->widget(i))) page->Build();
}
