// The settings pages: every value the binder binds has its control, which
// loads the value and gives back exactly what the user changed; the commands
// see the edits and the close writes them; the editors.
#include <QAbstractButton>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <clocale>
#include <set>

#include "chart/vqrdiagram.h"
#include "data/vqrfileo.h"
#include "gui/settings/pendialog.h"
#include "gui/settings/qtcontrols.h"
#include "gui/settings/qtdialogs.h"
#include "gui/settings/settingsbinder.h"
#include "settings/settings.h"
#include "support/mainwindow_fixture.h"

namespace {

// Keys that have no control on the pages.
bool Unbound(const TZTiniSettingValue& s, int i) {
  if (s.ValueType == TZTIniValueType::WindowPosition) return true;
  const std::string key = s.KeyOf(i);
  if (key == "LastFile" || key == "FillPixel") return true;
  return key == "UnitText2" && s.SectionOf(i) != "Axis1";
}

// A distinctive, valid INI value for value number n of a setting.
std::string ValueFor(const TZTiniSettingValue& s, int n, const std::string& suffix) {
  if (s.Section == "Limits") return std::to_string(n) + ".5";  // a number or blank
  switch (s.ValueType) {
    case TZTIniValueType::String:
      return "Text " + std::to_string(n);
    case TZTIniValueType::Integer:
      return std::to_string(n + 1);
    case TZTIniValueType::Float:
      return TZTIniClass::FormatIniFloat((n + 1) * 0.25, s.Decimals);
    case TZTIniValueType::Color:
      return std::to_string(0x102030 + n * 7);
    case TZTIniValueType::Pen:
      return suffix == "Width" ? std::to_string(n % 300 + 1) : std::to_string(n % 5);
    case TZTIniValueType::Font:
      return n % 2 ? "b-Arial" : "-iLiberation Serif";
    default:
      return "ON";
  }
}

}  // namespace

class SettingsBinding : public MainWindowFixture {
 protected:
  /// An INI file with a non-default value for every bound key; radio groups
  /// get exactly one button on.
  QByteArray FullIni() {
    MakeForm();
    std::map<std::string, std::vector<std::string>> sections;
    int n = 0;
    std::set<QObject*> radioGroupsOn;
    for (const auto& s : form->Settings()->Settings()) {
      for (int i = 1; i <= s->Count; ++i, ++n) {
        if (Unbound(*s, i)) continue;
        std::string value;
        if (s->ValueType == TZTIniValueType::Boolean) {
          IZTControl* c = form->Binder()->ControlOf(s.get(), i);
          auto* w = dynamic_cast<TQtControl*>(c)->Widget();
          const bool radio = c->GetKind() == IZTControl::Kind::RadioButton;
          value = (!radio && n % 2) || (radio && radioGroupsOn.insert(w->parent()).second) ? "ON"
                                                                                           : "OFF";
        }
        for (const TZTIniKeyText& k : s->IniTexts(i)) {
          const std::string suffix = k.Key.size() > 5 ? k.Key.substr(k.Key.size() - 5) : "";
          sections[k.Section].push_back(k.Key + "=" +
                                        (value.empty() ? ValueFor(*s, n, suffix) : value));
        }
      }
    }
    form.reset();
    QByteArray text = "[General]\nSavePos=OFF\n";
    for (const auto& [section, lines] : sections) {
      text += "[" + QByteArray::fromStdString(section) + "]\n";
      for (const std::string& line : lines) text += QByteArray::fromStdString(line) + "\n";
    }
    return text;
  }
};

// Every key the table binds has a control of its kind, which shows the value
// loaded and gives it back unchanged; an untouched close writes nothing.
TEST_F(SettingsBinding, EveryValueLoadsIntoItsControlAndAnUntouchedCloseWritesNothing) {
  WriteIni(FullIni());
  const QByteArray original = ReadFile(iniPath);

  MakeForm();
  EXPECT_EQ(Find<QLineEdit>("Ed_Legend")->text().left(5), "Text ");
  EXPECT_NE(Find<TZTEditField>("Ed_SingleCh2Col")->ColorCode(), 0);
  const std::map<TZTIniValueType, TZTEditField::FieldKind> kinds = {
      {TZTIniValueType::Color, TZTEditField::FieldKind::Color},
      {TZTIniValueType::Pen, TZTEditField::FieldKind::Pen},
      {TZTIniValueType::Font, TZTEditField::FieldKind::Font}};
  for (const auto& s : form->Settings()->Settings())
    for (int i = 1; i <= s->Count; ++i) {
      SCOPED_TRACE(s->SectionOf(i) + "/" + s->KeyOf(i));
      IZTControl* c = form->Binder()->ControlOf(s.get(), i);
      if (Unbound(*s, i)) {
        EXPECT_EQ(c, nullptr);
        continue;
      }
      ASSERT_NE(c, nullptr);
      EXPECT_EQ(c->GetKind() != IZTControl::Kind::Edit, s->ValueType == TZTIniValueType::Boolean);
      if (auto k = kinds.find(s->ValueType); k != kinds.end()) {
        auto* field = qobject_cast<TZTEditField*>(dynamic_cast<TQtControl*>(c)->Widget());
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->Kind(), k->second);
      }
      form->Binder()->Commit(s.get(), i);
      EXPECT_FALSE(s->IsModified(i));
    }
  CloseForm();
  EXPECT_EQ(ReadFile(iniPath), original);
}

// Invalid numbers become zero; text changes only in case are not written.
TEST_F(SettingsBinding, ClosingWritesExactlyTheChangedKeys) {
  WriteIni(
      "[General]\nSavePos=OFF\n[Printer]\nBackGround1=/a/"
      "Paper.rtf\n[PrinterVert]\nFixedFactorX=1.250\n");
  MakeForm();
  Find<QLineEdit>("Ed_PrinterPaper1")->setText("/a/PAPER.RTF");
  Find<QLineEdit>("Ed_PrV_FactorX")->setText("1,5");
  Find<QLineEdit>("Ed_XAxisX")->setText("77");
  Find<QLineEdit>("Ed_YFactor")->setText("2.5");
  Find<QLineEdit>("Ed_Legend")->setText("Messstelle");
  Find<QCheckBox>("CB_Combi2ChT")->setChecked(true);
  Find<QRadioButton>("RB_ASC_RData")->setChecked(true);
  Find<TZTEditField>("Ed_GridColor")->SetColorCode(0x0000ff);
  Find<TZTEditField>("Ed_TTicPen")->SetPenCode(15003);
  Find<TZTEditField>("Ed_XLabelFont")->SetFaceAndStyle("Arial", 1);
  Find<TZTEditField>("Ed_XLabelFont")->setText("Arial");
  CloseForm();
  IniMap expected = {{"general/savepos", "OFF"},
                     {"axis1/startx", "77"},
                     {"axis2/userfactor", "2.500000"},
                     {"legend/title", "Messstelle"},
                     {"combiwindow2/visiblech17", "ON"},
                     {"asciifile/raw", "ON"},
                     {"diagram/gridcolor", "255"},
                     {"axis3/ticpenwidth", "15"},
                     {"axis3/ticpenstyle", "3"},
                     {"axis1/labelfont", "b-Arial"},
                     {"printer/background1", "/a/Paper.rtf"},
                     {"printervert/fixedfactorx", "0.000"}};
  EXPECT_EQ(ReadIniMap(iniPath), expected);
}

// An edit counts for the next command without "Anwenden" ("alle gleich"
// only from the next start) and is written at close.
TEST_F(SettingsBinding, EditsCountForTheNextCommandAndAreWrittenAtClose) {
  WriteIni("[General]\nSavePos=OFF\n[SingleWindow]\nAllEqual=ON\nColorCh1=255\n");
  MakeForm();
  printTo = Path("page.pdf");
  Find<QLineEdit>("Ed_HourMax")->setText("72");
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  EXPECT_EQ(form->DataObject()->Axes().Scaling().MaxHour, 72);
  Find<QLineEdit>("Ed_Legend")->setText(" Messstelle ");
  Find<TZTEditField>("Ed_SingleCh2Col")->SetColorCode(0xFF00);
  Find<QCheckBox>("CB_Single_AllEqual")->setChecked(false);
  form->OpenDiagramWindow(2);
  TVQRDiagram* d = form->Diagram();
  EXPECT_EQ(std::tuple(d->Layout().Legend.Title, d->ChannelPens()[2].Color),
            std::tuple("Messstelle", 255));
  Find<QCheckBox>("CB_Pr_AllBlack")->setChecked(true);
  form->FilePrint();
  EXPECT_TRUE(QFile::exists(printTo));
  EXPECT_TRUE(d->PrintOptions().AllBlack);
  CloseForm();
  IniMap ini = ReadIniMap(iniPath);
  for (const auto& [key, value] : IniMap{{"axis1/maxhour", "72"},
                                         {"legend/title", "Messstelle"},
                                         {"singlewindow/colorch2", "65280"},
                                         {"singlewindow/allequal", "OFF"},
                                         {"printer/allblack", "ON"}})
    EXPECT_EQ(ini[key], value) << key;
}

// A save at close that fails asks until the settings are written somewhere
// or given up; a write-protected file is never replaced.
TEST_F(SettingsBinding, FailedSaveAtCloseAsksWhatToDo) {
  const struct {
    bool protect;           // the INI file is mode 0444, else its folder vanishes
    const char* answers;    // buttons clicked, box by box, "|" between
    const char* saveAs;     // file chosen for "Speichern unter..."
    const char* writtenTo;  // file holding the change afterwards, null: none
  } cases[] = {{true, "Speichern unter...", "copy.INI", "copy.INI"},
               {false, "Wiederholen", "", "cfg/vqrshow4.INI"},  // the folder is back
               {true, "Ohne Speichern beenden", "", nullptr},
               {true, "Speichern unter...|Ohne Speichern beenden", "/proc/no.INI", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers);
    const QStringList answers = QString::fromUtf8(c.answers).split('|');
    QDir(Path("cfg")).removeRecursively();
    QFile::remove(Path("copy.INI"));
    QDir(dir.path()).mkpath("cfg");
    const QString ini = Path("cfg/vqrshow4.INI");
    WriteFile(ini, "[General]\nSavePos=OFF\n[Legend]\nTitle=Alt\n");
    MakeForm("/ini=" + ini);
    nextFile = c.saveAs[0] == '/' ? QString(c.saveAs) : Path(c.saveAs);
    Find<QLineEdit>("Ed_Legend")->setText("Neu");
    if (c.protect)
      QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    else
      QDir(dir.path()).rename("cfg", "away");

    QStringList texts;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&]() {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      texts << box->windowTitle() + "|" + box->text();
      if (!c.protect) QDir(dir.path()).rename("away", "cfg");
      const QString next = answers.value(texts.size() - 1, "Ohne Speichern beenden");
      QStringList buttons;
      for (QAbstractButton* b : box->buttons()) {
        buttons << b->text();
        if (b->text() == next)
          QMetaObject::invokeMethod(b, &QAbstractButton::click, Qt::QueuedConnection);
      }
      buttons.sort();
      EXPECT_EQ(buttons,
                QStringList({"Ohne Speichern beenden", "Speichern unter...", "Wiederholen"}));
    });
    answer.start(10);
    form->close();
    answer.stop();

    ASSERT_EQ(texts.size(), answers.size());
    EXPECT_TRUE(
        texts[0].startsWith("Fehler|") && texts[0].contains(ini) &&
        texts[0].contains(c.protect ? "ist schreibgeschützt" : Path("cfg") + " existiert nicht"))
        << texts[0].toStdString();
    EXPECT_TRUE(texts.value(1, c.saveAs).contains(c.saveAs));
    if (c.protect) {
      EXPECT_FALSE(QFileInfo(ini).permissions() & QFileDevice::WriteOwner);
      QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    IniMap written = c.writtenTo ? ReadIniMap(Path(c.writtenTo)) : IniMap{};
    EXPECT_EQ(written["legend/title"], c.writtenTo ? "Neu" : "");
    EXPECT_EQ(ReadIniMap(ini).at("legend/title"), c.protect ? "Alt" : "Neu");
    // What was given up stays in memory for the rest of the session.
    EXPECT_EQ(form->Settings()->LegendTitle->GetString(1), "Neu");
    form.reset();
  }
}

using Editors = MainWindowFixture;

namespace {

// Runs f on the next modal dialog of type T, once it is open.
template <class T, class F>
void OnNextDialog(F f) {
  QTimer::singleShot(0, [f]() {
    for (int tries = 0; tries < 200; ++tries) {
      if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
        f(d);
        return;
      }
      QTest::qWait(5);
    }
  });
}

}  // namespace

TEST_F(Editors, PenColourAndGridFieldsTakeWhatTheirEditorChose) {
  WriteIni("[General]\nSavePos=OFF\n[SingleWindow]\nPenCh1Width=2\nPenCh1Style=3\n");
  MakeForm();
  form->show();
  auto* pen = Find<TZTEditField>("Ed_SingleCh1Pen");
  EXPECT_EQ(pen->text(), QString::fromUtf8("–•–•–•–•–•–•"));
  QString shown;
  OnNextDialog<TF_ZTIniPenDialog>([&](TF_ZTIniPenDialog* d) {
    shown = d->findChild<QLineEdit*>("Ed_PD_Width")->text();
    d->findChild<QLineEdit*>("Ed_PD_Width")->setText("1.5");
    d->findChild<QRadioButton*>("RB_Dot")->setChecked(true);
    d->findChild<QPushButton*>("Bt_PD_Ok")->click();
  });
  QTest::mouseClick(pen, Qt::LeftButton);
  EXPECT_EQ(shown, "0.2");
  EXPECT_EQ(pen->PenCode(), 15002);
  EXPECT_EQ(pen->text(), QString::fromUtf8("• • • • • • • • • • •"));

  auto* colour = Find<TZTEditField>("Ed_XAxisColor");
  OnNextDialog<QColorDialog>([&](QColorDialog* d) {
    shown = colour->text();
    d->setCurrentColor(QColor(10, 20, 30));
    d->accept();
  });
  QTest::mouseClick(colour, Qt::LeftButton);
  EXPECT_EQ(shown, "?");
  EXPECT_EQ(colour->ColorCode(), 10 | (20 << 8) | (30 << 16));
  EXPECT_EQ(colour->palette().color(QPalette::Base), QColor(10, 20, 30));

  auto* grid = Find<TZTEditField>("Ed_GridStyle");
  QTest::mouseClick(grid, Qt::LeftButton);
  EXPECT_TRUE(Find<QMenu>("PMn_GridStyle")->isVisible());
  Find<QAction>("PMn_GS_solid")->trigger();
  Find<QMenu>("PMn_GridStyle")->close();
  EXPECT_EQ(grid->text(), "2");
}

TEST_F(Editors, FontFieldEditsFaceStyleSizeAndColourTogether) {
  WriteIni("[General]\nSavePos=OFF\n[Axis1]\nLabelFont=b-Arial\nLabelSize=12\nLabelColor=255\n");
  MakeForm();
  form->show();
  auto* font = Find<TZTEditField>("Ed_XLabelFont");
  QColor presetColor;
  OnNextDialog<TFontColorDialog>([&](TFontColorDialog* d) {
    presetColor = d->SelectedColor();
    QFont f = d->SelectedFont();
    f.setPointSize(14);
    f.setStyleName(QString());
    f.setItalic(true);
    d->SetFont(f);
    d->SetColor(QColor(0, 0, 128));
    d->accept();
  });
  QTest::mouseClick(font, Qt::LeftButton);
  EXPECT_EQ(presetColor, QColor(255, 0, 0));
  // the stored face survives its alias
  EXPECT_EQ(std::tuple(font->text(), font->FaceStyle(), Find<QLineEdit>("Ed_XLabelSize")->text(),
                       Find<TZTEditField>("Ed_XLabelColor")->ColorCode()),
            std::tuple(QString("Arial"), 3, QString("14"), 128 << 16));
}

// Opening the font dialog on a field and pressing OK must leave the field,
// its size and the INI file exactly as they were, on every font field.
TEST_F(Editors, FontDialogOpensOnTheFieldsFontAndOkWithoutChangeChangesNothing) {
  const std::pair<const char*, const char*> groups[] = {{"Ed_XLabelFont", "Ed_XLabelSize"},
                                                        {"Ed_LegendFont", "Ed_LegendSize"}};
  // A fresh field shows what the drawing uses (Arial, 16 pt, upright, as the
  // family it is installed as); a set field shows its own face and style.
  const struct {
    QByteArray code, size;  // in the INI file; none when empty
    const char* face;
    int points, style;
  } cases[] = {{"", "", "Arial", 16, 0},
               {"-iLiberation Serif", "11", "Liberation Serif", 11, 2},
               {"b-Arial", "9", "Arial", 9, 1}};
  for (const auto& c : cases) {
    QByteArray ini = "[General]\nSavePos=OFF\n";
    if (!c.code.isEmpty())
      for (const char* section : {"Axis1", "Legend"})
        ini += "[" + QByteArray(section) + "]\n" + (section[0] == 'L' ? "Font=" : "LabelFont=") +
               c.code + "\nLabelSize=" + c.size + "\n";
    WriteIni(ini);
    const IniMap before = ReadIniMap(iniPath);
    MakeForm();
    form->show();
    for (const auto& [fontName, sizeName] : groups) {
      SCOPED_TRACE(std::string(fontName) + " " + c.face);
      auto* font = Find<TZTEditField>(fontName);
      auto* size = Find<QLineEdit>(sizeName);
      const QString face = font->text(), points = size->text();
      const int style = font->FaceStyle();
      QFont shown;
      OnNextDialog<TFontColorDialog>([&](TFontColorDialog* d) {
        shown = d->findChild<QFontDialog*>()->currentFont();
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
      });
      QTest::mouseClick(font, Qt::LeftButton);
      EXPECT_EQ(std::tuple(shown.family(), shown.pointSize(), shown.bold() + 2 * shown.italic()),
                std::tuple(QFontInfo(QFont(c.face)).family(), c.points, c.style));
      EXPECT_EQ(std::tuple(font->text(), font->FaceStyle(), size->text()),
                std::tuple(face, style, points));
    }
    CloseForm();
    EXPECT_EQ(ReadIniMap(iniPath), before);
  }
}

TEST_F(SettingsBinding, NumbersSurviveLoadAndCloseUnderTheGermanLocale) {
  // The German decimal comma must not leak into anything read or written.
  const std::string saved = setlocale(LC_ALL, nullptr);
  std::shared_ptr<void> restore(nullptr, [saved](void*) { setlocale(LC_ALL, saved.c_str()); });
  ASSERT_TRUE(setlocale(LC_ALL, "de_DE.UTF-8") && *localeconv()->decimal_point == ',')
      << "locale de_DE.UTF-8 is missing (./test.sh generates it)";
  WriteIni(
      "[General]\nSavePos=OFF\n[Axis2]\nUserFactor=2.500000\n[PrinterHorz]\nFixedFactorY=12.125\n");
  MakeForm();
  form->show();
  EXPECT_EQ(Find<QLineEdit>("Ed_YFactor")->text(), "2.500000");
  EXPECT_EQ(Find<QLineEdit>("Ed_PrH_FactorY")->text(), "12.125");
  Find<QLineEdit>("Ed_LogoX")->setText("7");
  Find<QLineEdit>("Ed_PrV_FactorY")->setText(" 1.5e1 ");
  OnNextDialog<TF_ZTIniPenDialog>([](TF_ZTIniPenDialog* d) {
    d->findChild<QLineEdit*>("Ed_PD_Width")->setText("2.5");
    d->findChild<QPushButton*>("Bt_PD_Ok")->click();
  });
  QTest::mouseClick(Find<TZTEditField>("Ed_SingleCh1Pen"), Qt::LeftButton);
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  EXPECT_EQ(form->Diagram()->AxisScaleText(0).find(','), std::string::npos);
  EXPECT_EQ(form->Diagram()->TickLabel(1, 1).find(','), std::string::npos);
  CloseForm();

  IniMap ini = ReadIniMap(iniPath);
  for (const auto& [key, value] : IniMap{{"axis2/userfactor", "2.500000"},
                                         {"printerhorz/fixedfactory", "12.125"},
                                         {"logo/startx", "7"},
                                         {"printervert/fixedfactory", "15.000"},
                                         {"singlewindow/pench1width", "25"}})
    EXPECT_EQ(ini[key], value) << key;
}

namespace {

// The captions of the settings pages read as words: no two run together
// ("aufTage"), checked on every label, box and button of every page.
TEST_F(SettingsBinding, PageCaptionsKeepTheirWordsApart) {
  WriteIni();
  MakeForm();
  // Units and names written in one piece on purpose.
  const QStringList ok = {"McF", "DiagrammY", "DiagrammX"};
  const QRegularExpression runTogether("\\p{Ll}\\p{Lu}");
  QStringList texts;
  for (const QLabel* l : form->Pages()->findChildren<QLabel*>()) texts << l->text();
  for (const QAbstractButton* b : form->Pages()->findChildren<QAbstractButton*>())
    texts << b->text();
  for (const QGroupBox* g : form->Pages()->findChildren<QGroupBox*>()) texts << g->title();
  for (int i = 0; i < form->Pages()->count(); ++i) texts << form->Pages()->tabText(i);
  int checked = 0;
  for (const QString& text : texts) {
    for (const QString& word : text.split(QRegularExpression("[\\s/()]+"), Qt::SkipEmptyParts)) {
      ++checked;
      if (!ok.contains(word)) {
        EXPECT_FALSE(runTogether.match(word).hasMatch()) << word.toStdString();
      }
    }
  }
  EXPECT_GT(checked, 100);
  bool found = false;
  for (const QString& text : texts) found |= text == "Umschaltung auf Tage";
  EXPECT_TRUE(found);
}

}  // namespace

// ------------------------------------------------------- the settings rows

namespace {

// Every value of every setting exactly as the store holds it, and whether it
// will be written.
std::vector<std::string> Snapshot(const TVQRShowSettings& t) {
  std::vector<std::string> out;
  for (const auto& s : t.Settings())
    for (int i = 1; i <= s->Count; ++i) {
      std::string v = s->SectionOf(i) + "/" + s->KeyOf(i) + " = ";
      char number[40];
      std::snprintf(number, sizeof number, "%.17g", s->GetFloat(i));
      v += s->ValueType == TZTIniValueType::Float ? std::string(number) : "";
      for (const TZTIniKeyText& k : s->IniTexts(i)) v += " [" + k.Text + "]";
      out.push_back(v + (s->IsModified(i) ? " *" : ""));
    }
  return out;
}

// The lines of a that differ from b ("a | b"); empty when they are equal.
std::vector<std::string> Differences(const std::vector<std::string>& a,
                                     const std::vector<std::string>& b) {
  std::vector<std::string> out;
  for (size_t k = 0; k < std::max(a.size(), b.size()); ++k) {
    const std::string x = k < a.size() ? a[k] : "", y = k < b.size() ? b[k] : "";
    if (x != y) out.push_back(x + " | " + y);
  }
  return out;
}

}  // namespace

// A hand-edited value gives the commands the same, and the close writes the
// same, whether its page was built and taken or never built at all.
TEST_F(SettingsBinding, HandEditedValuesAreTheSameThroughThePageAndThroughTheStore) {
  const char* const inis[] = {
      // floats: more decimals than the field shows, a comma, blank, junk, exponent
      "[Axis2]\nUserFactor=1.23456789\n[PrinterVert]\nFixedFactorX=2,5\nFixedFactorY=\n"
      "MinYtoX=abc\nMaxYtoX=1e5\n[PrinterHorz]\nFixedFactorX=-0.0005\nMinYtoX=  -12.34567\n"
      "[Logo]\nScale=99999999999999.9999\n",
      // integers: trailing junk, overflow, blank, spaces, negative
      "[Legend]\nLabelSize=12abc\nStartX=99999999999\nStartY=\nStepX= 7\n[ExcelCal]\n"
      "HeaderRow=-3\nDataRow=x1\n[Equalizer]\nDistance=+4\n",
      // texts: blanks around, only blanks, a Windows-1252 byte; one without a field
      "[Legend]\nTitle=  Kanal A  \nTempChannel=   \n[Axis1]\nUnitText1=\xe4h  \n"
      "[RawFile]\nStartDir=  /data/  \nLastFile=  keep.DAT  \n[ExcelCal]\nTabSheet=\n",
      // fonts: unknown style letters, capitals, blank face, blanks around the face
      "[Legend]\nFont=xyArial \n[Axis1]\nLabelFont=BIArial\n[Axis2]\nLabelFont=  \n"
      "[Axis3]\nLabelFont=-iTimes  New \n",
      // colours and pens: every bit, negative, junk
      "[Diagram]\nGridColor=-1\nGridPenWidth=-2\nGridPenStyle=9\n[Axis1]\nColor=4294967295\n"
      "TicColor=abc\n[SingleWindow]\nColorCh3=16777216\nPenCh2Width=3\n",
      // check boxes and radio groups with more than one button on
      "[AsciiFile]\nCalibrated=ON\nRaw=yes\nCalParams=true\n[Printer]\nAlwaysVert=ON\n"
      "AlwaysHorz=ON\nAllBlack=1\n[Diagram]\nTimeOfDay=True\n[CombiWindow1]\nVisibleCh17=ON\n",
      "[AsciiFile]\nCalibrated=ON\nRaw=OFF\n[Printer]\nAlwaysHorz=ON\n",
  };
  for (const char* edited : inis) {
    SCOPED_TRACE(edited);
    const QByteArray text = QByteArray("[General]\nSavePos=OFF\n") + edited;

    WriteIni(text);
    buildPages = false;
    MakeForm();  // no page is ever built
    const std::vector<std::string> storeAlone = Snapshot(*form->Settings());
    form->Binder()->CommitAll();
    EXPECT_EQ(Differences(Snapshot(*form->Settings()), storeAlone), std::vector<std::string>());
    CloseForm();
    const QByteArray closedAlone = ReadFile(iniPath);

    WriteIni(text);
    buildPages = true;
    MakeForm();  // every page built and filled
    form->Binder()->CommitAll();
    EXPECT_EQ(Differences(Snapshot(*form->Settings()), storeAlone), std::vector<std::string>());
    CloseForm();
    EXPECT_EQ(ReadFile(iniPath), closedAlone);
  }
  // The value the diagram is scaled with is the one the field shows.
  WriteIni("[General]\nSavePos=OFF\n[Axis2]\nUserFactor=1.23456789\n");
  buildPages = false;
  MakeForm();
  EXPECT_EQ(form->Settings()->Axis2UserFactor->GetFloat(1), 1.234568);
}

// Declared in one row, a setting is on its page, in the file, in the listing
// and read by its command; nothing else names it.
TEST_F(SettingsBinding, ARowAloneBringsASettingToItsPageFileListingAndCommand) {
  std::shared_ptr<void> cleanup(nullptr, [](void*) { ClearSettingRowsForTest(); });
  AddSettingRowForTest(FloatRow("Extra", "Margin", 2, 1.5)
                           .Ctl("Ed_ExtraMargin")
                           .For(TSettingsCommand::Print)
                           .OnPage("TS_Printer", "Rand"));
  WriteIni("[General]\nSavePos=OFF\n[Extra]\nMargin= 2.345\n");
  buildPages = false;
  MakeForm();
  TZTiniSettingValue* margin = form->Settings()->Find("Extra", "Margin");
  ASSERT_NE(margin, nullptr);
  EXPECT_EQ(margin->GetFloat(1), 2.35);  // as its field shows it, before the page exists
  EXPECT_EQ(form->findChild<QLineEdit*>("Ed_ExtraMargin"), nullptr);

  form->show();
  form->Pages()->setCurrentWidget(form->findChild<QWidget*>("TS_Printer"));
  auto* field = form->findChild<QLineEdit*>("Ed_ExtraMargin");
  ASSERT_NE(field, nullptr);
  EXPECT_TRUE(field->isVisible());
  EXPECT_EQ(field->text(), "2.35");
  field->setText("4.5");
  form->Binder()->CommitFor(TSettingsCommand::ExcelExport);
  EXPECT_EQ(margin->GetFloat(1), 2.35);  // another command does not read it
  form->Binder()->CommitFor(TSettingsCommand::Print);
  EXPECT_EQ(margin->GetFloat(1), 4.5);
  EXPECT_NE(form->Settings()->Listing().find("\nExtra/Margin = 4.50\n"), std::string::npos);
  CloseForm();
  EXPECT_EQ(ReadIniMap(iniPath)["extra/margin"], "4.50");
}

// The binding follows the rows: every control a row names is found, with the
// kind its type needs, and nothing else is bound.
TEST_F(SettingsBinding, EveryRowFindsTheControlsItNames) {
  MakeForm();
  for (const auto& [setting, row] : form->Settings()->Rows()) {
    const std::vector<std::string> names = ControlNames(row, setting->Count);
    for (int i = 1; i <= setting->Count; ++i) {
      SCOPED_TRACE(setting->SectionOf(i) + "/" + setting->KeyOf(i));
      IZTControl* c = form->Binder()->ControlOf(setting, i);
      ASSERT_EQ(c != nullptr, !names[static_cast<size_t>(i - 1)].empty());
      if (c) {
        EXPECT_EQ(c->GetKind() == IZTControl::Kind::Edit,
                  setting->ValueType != TZTIniValueType::Boolean);
      }
    }
  }
}

// The page "Grenzwerte" after "Excel®": a limit reads with "." or "," and is
// kept with "." whatever the locale, blank or nonsense is no limit, and the
// diagram window draws what the page holds.
TEST_F(SettingsBinding, LimitsPageRoundTrip) {
  WriteIni("[General]\nSavePos=OFF\n[Limits]\nLower1=1,5\nUpper17=20.25\nLower3=abc\n");
  MakeForm();
  const int tab = form->Pages()->indexOf(form->Pages()->findChild<QWidget*>("TS_Limits"));
  ASSERT_GT(tab, 0);
  EXPECT_EQ(form->Pages()->tabText(tab), "Grenzwerte");
  EXPECT_EQ(form->Pages()->tabText(tab - 1), "Excel®");
  EXPECT_EQ(Find<QLineEdit>("Ed_Lower1")->text(), "1.5");
  EXPECT_EQ(Find<QLineEdit>("Ed_UpperT")->text(), "20.25");
  EXPECT_EQ(Find<QLineEdit>("Ed_Lower3")->text(), "");

  Find<QLineEdit>("Ed_Upper2")->setText("-3,75");
  Find<QLineEdit>("Ed_LowerT")->setText(" -10 ");
  Find<QLineEdit>("Ed_UpperT")->setText("");
  ASSERT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
  form->OpenDiagramWindow(kCombi1Mode);
  const TVQRLimits& drawn = form->Diagram()->Limits();
  EXPECT_EQ(drawn.Lower[1], 1.5);
  EXPECT_EQ(drawn.Upper[2], -3.75);
  EXPECT_EQ(drawn.Lower[17], -10.0);
  EXPECT_FALSE(drawn.Upper[17] || drawn.Lower[3] || drawn.Upper[1]);
  EXPECT_EQ(Find<QLineEdit>("Ed_Upper2")->text(), "-3.75");  // the field gives back what it keeps
  CloseForm();
  IniMap ini = ReadIniMap(iniPath);
  for (const auto& [key, value] : IniMap{{"limits/lower1", "1.5"},
                                         {"limits/upper2", "-3.75"},
                                         {"limits/lower17", "-10"},
                                         {"limits/upper17", ""},
                                         {"limits/lower3", ""}})
    EXPECT_EQ(ini[key], value) << key;

  MakeForm();
  EXPECT_EQ(Find<QLineEdit>("Ed_Upper2")->text(), "-3.75");
  EXPECT_EQ(Find<QLineEdit>("Ed_LowerT")->text(), "-10");
  CloseForm();
  EXPECT_EQ(ReadIniMap(iniPath), ini);  // nothing changed: nothing written
}
