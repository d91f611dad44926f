// The program in English: every window, page and dialog reachable from the
// main window's actions is opened once in German and once in English, every
// widget in them is walked, and no visible text may be left German.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QWheelEvent>
#include <QXmlStreamReader>
#include <functional>
#include <map>
#include <set>

#include "chart/vqrdiagram.h"
#include "data/vqrfileo.h"
#include "gui/chart/DiagramWindows.h"
#include "gui/chart/SingleChannel.h"
#include "gui/common/uilanguage.h"
#include "gui/settings/qtcontrols.h"
#include "session/Session.h"
#include "support/mainwindow_fixture.h"

namespace {

/// The translation file: each German source text and its English text.
std::map<QString, QString> ReadTranslations() {
  QFile file(VQR_SOURCE_DIR "/translations/vqrshow4_en.ts");
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  std::map<QString, QString> texts;
  QXmlStreamReader xml(&file);
  QString source;
  while (!xml.atEnd()) {
    if (!xml.readNextStartElement()) continue;
    if (xml.name() == u"source") source = xml.readElementText();
    if (xml.name() == u"translation") texts[source] = xml.readElementText();
  }
  return texts;
}

/// The help's outline: per place (h1 to h3) its anchor, the places it links
/// to and how many paragraphs, table rows and list items it has.
QStringList HelpOutline(const char* file) {
  QFile f(QString(VQR_SOURCE_DIR "/app/resources/") + file);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file;
  const QString text = QString::fromUtf8(f.readAll());
  QStringList outline;
  for (const QString& place : text.split(QRegularExpression("<h[1-3]>"))) {
    const auto anchor = QRegularExpression("^<a name=\"([^\"]+)\"").match(place);
    QStringList links;
    for (const auto& m : QRegularExpression("href=\"#([^\"]+)\"").globalMatch(place))
      links << m.captured(1);
    outline << QString("%1: %2 p, %3 tr, %4 li; -> %5")
                   .arg(anchor.captured(1))
                   .arg(place.count("<p>"))
                   .arg(place.count("<tr>"))
                   .arg(place.count("<li>"))
                   .arg(links.join(' '));
  }
  return outline;
}

bool HasLetters(const QString& text) {
  return text.contains(QRegularExpression("[A-Za-zÄÖÜäöüß]{2}"));
}

/// The German source texts whose English differs, found as a whole line
/// ("Kanal 3" is "Kanal %1") or, on a printed page, anywhere as whole words.
class GermanTexts {
 public:
  void Add(const QString& source) {
    exact_.insert(source);
    static const QRegularExpression arg("%\\d+");
    QStringList parts;
    int letters = 0;
    for (const QString& part : source.split(arg)) {
      letters += static_cast<int>(part.count(QRegularExpression("[A-Za-zÄÖÜäöüß]")));
      parts << QRegularExpression::escape(part.simplified()).replace("\\ ", "[ \\t]+");
    }
    if (letters < 4) return;
    const QString body = parts.join("[ \\t]*[^\\n]*?[ \\t]*");
    if (parts.size() > 1) lines_.emplace_back(source, QRegularExpression("^\\s*" + body + "\\s*$"));
    // Short words ("Min", "Rand") may stand in English text too.
    if (letters >= 5) {
      const QString edge = "[\\wÄÖÜäöüß]";
      const QString simple = source.simplified();
      words_.emplace_back(
          source, QRegularExpression((simple.front().isLetter() ? "(?<!" + edge + ")" : "") + body +
                                     (simple.back().isLetter() ? "(?!" + edge + ")" : "")));
    }
  }
  bool Line(const QString& line) const {
    if (exact_.count(line) || exact_.count(line.trimmed())) return true;
    return std::any_of(lines_.begin(), lines_.end(),
                       [&](const auto& p) { return p.second.match(line).hasMatch(); });
  }
  QStringList In(const QString& text) const {
    QStringList found;
    for (const auto& [source, re] : words_)
      if (re.match(text).hasMatch()) found << source;
    return found;
  }

 private:
  std::set<QString> exact_;
  std::vector<std::pair<QString, QRegularExpression>> lines_, words_;
};

/// Widget path -> visible text, one language's walk.
using Texts = std::map<QString, QString>;

/// Collects what the user reads in every widget below (and including) root.
class Walker {
 public:
  Texts texts;
  /// Texts of Qt's own dialogs and button boxes, which Qt translates.
  std::set<QString> qtOwned;

  void Walk(QWidget* root) {
    if (!root) return;
    Add(root, Path(root) + "#title", root->windowTitle());
    std::vector<QWidget*> all{root};
    for (QWidget* w : root->findChildren<QWidget*>()) all.push_back(w);
    for (QWidget* w : all) Collect(w);
  }

 private:
  static QString Path(QObject* o) {
    QStringList parts;
    for (; o; o = o->parent()) {
      QString part = o->objectName();
      if (part.isEmpty()) {
        // Unnamed: its class and place among the siblings of that class.
        int index = 0;
        if (QObject* p = o->parent())
          for (QObject* sibling : p->children()) {
            if (sibling == o) break;
            if (sibling->metaObject() == o->metaObject()) ++index;
          }
        part = QString("%1[%2]").arg(o->metaObject()->className()).arg(index);
      }
      parts.prepend(part);
    }
    return parts.join('/');
  }

  static bool OwnedByQt(QObject* o) {
    for (; o; o = o->parent()) {
      const QString cls = o->metaObject()->className();
      // A message box's caption and text are the program's; its buttons Qt's.
      if (qobject_cast<QDialogButtonBox*>(o) ||
          (qobject_cast<QDialog*>(o) && cls.startsWith('Q') && !qobject_cast<QMessageBox*>(o)))
        return true;
    }
    return false;
  }

  void Add(QObject* o, const QString& path, const QString& text) {
    if (text.trimmed().isEmpty()) return;
    // A place walked again with another text (a message box, a status
    // panel) keeps each.
    QString& kept = texts[path];
    if (kept.isEmpty())
      kept = text;
    else if (!kept.split('\n').contains(text))
      kept += '\n' + text;
    if (OwnedByQt(o)) qtOwned.insert(path);
  }

  void Collect(QWidget* w) {
    const QString p = Path(w);
    Add(w, p + "#tip", w->toolTip());
    Add(w, p + "#status", w->statusTip());
    if (auto* l = qobject_cast<QLabel*>(w)) Add(w, p, l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) Add(w, p, b->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) Add(w, p, g->title());
    if (auto* t = qobject_cast<QTabBar*>(w))
      for (int i = 0; i < t->count(); ++i) Add(w, p + QString("#tab%1").arg(i), t->tabText(i));
    if (auto* c = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < c->count(); ++i) Add(w, p + QString("#item%1").arg(i), c->itemText(i));
    if (auto* l = qobject_cast<QListWidget*>(w))
      for (int i = 0; i < l->count(); ++i)
        Add(w, p + QString("#item%1").arg(i), l->item(i)->text());
    if (auto* t = qobject_cast<QTableWidget*>(w)) {
      for (int c = 0; c < t->columnCount(); ++c)
        if (QTableWidgetItem* h = t->horizontalHeaderItem(c))
          Add(w, p + QString("#head%1").arg(c), h->text());
      for (int r = 0; r < t->rowCount(); ++r)
        if (QTableWidgetItem* item = t->item(r, 0))
          Add(w, p + QString("#row%1").arg(r), item->text());
    }
    if (auto* line = qobject_cast<QLineEdit*>(w))
      Add(w, p + "#placeholder", line->placeholderText());
    if (auto* menu = qobject_cast<QMenu*>(w)) Add(w, p + "#menu", menu->title());
    for (QAction* a : w->actions()) {
      const QString ap = p + "/" + (a->objectName().isEmpty() ? a->text() : a->objectName());
      Add(a, ap, a->text());
      if (a->toolTip() != QString(a->text()).remove('&')) Add(a, ap + "#tip", a->toolTip());
      Add(a, ap + "#status", a->statusTip());
    }
  }
};

class English : public MainWindowFixture {
 protected:
  void TearDown() override {
    windows.reset();
    ApplyUiLanguage(TLanguage::German, VQR_BINARY_DIR "/");
    QLocale::setDefault(QLocale::c());
    MainWindowFixture::TearDown();
  }

  /// The context menu of window opened at the middle of its plot, then its
  /// action name.
  static void MenuAction(TF_SChannel* window, const char* name) {
    const TRect plot = window->Diagram()->PlotRect();
    const QPoint p((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, p, window->mapToGlobal(p));
    QApplication::sendEvent(window, &event);
    window->ContextMenu()->hide();
    auto* action = window->findChild<QAction*>(name);
    EXPECT_TRUE(action && action->isEnabled()) << name;
    if (action && action->isEnabled()) action->trigger();
    QApplication::processEvents();
  }
  /// One notch of the wheel in, at the middle of the plot.
  static void Wheel(TF_SChannel* window) {
    const TRect plot = window->Diagram()->PlotRect();
    const QPoint p((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2);
    QWheelEvent event(p, window->mapToGlobal(p), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window, &event);
    QApplication::processEvents();
  }

  /// Opens everything once in language and walks it.
  Texts WalkEverything(TLanguage language) {
    EXPECT_TRUE(ApplyUiLanguage(language, VQR_BINARY_DIR "/"));
    // The help files beside the program.
    for (const char* help : {"vqrshow4.HLP", "vqrshow4_en.HLP"})
      QFile::copy(QString(VQR_SOURCE_DIR "/app/resources/") + help, Path(help));
    // A limit on channel 1 gives "Messwerte" its limit columns.
    WriteIni(
        "[General]\nSavePos=OFF\n[CombiWindow1]\nVisibleCh1=ON\nVisibleCh3=ON\nVisibleCh17=ON\n"
        "[Printer]\nPreview=ON\nAlwaysHorz=ON\n[Limits]\nUpper1=1.5\n");
    windows.reset();
    MakeForm();
    windows = std::make_unique<TDiagramWindows>(*form);
    printTo = Path("page.pdf");
    const QString recording = QString::fromStdString(SamplePath("hours40.DAT"));
    EXPECT_TRUE(form->OpenDataFile(recording));
    Walker walker;
    // Every modal dialog is walked as it comes up, then closed; a few are
    // filled in first, for the texts they show only then, or accepted.
    bool printReport = false;
    const std::map<QString, std::function<bool(QDialog*)>> fill{
        {"Dlg_Axes",
         [](QDialog* d) {
           d->findChild<QCheckBox*>("CB_TimeAuto")->setChecked(false);
           d->findChild<QLineEdit*>("Ed_TimeFrom")->clear();
           d->accept();  // refused, saying why
           return false;
         }},
        {"Dlg_MarkAt",
         [](QDialog* d) {
           d->findChild<QLineEdit*>("Ed_MarkTime")->setText("1");
           return false;
         }},
        {"Dlg_Note",
         [](QDialog* d) {
           d->findChild<QLineEdit*>("Ed_NoteText")->setText("42");
           return true;
         }},
        {"F_Report", [&printReport](QDialog*) { return std::exchange(printReport, false); }},
    };
    QTimer modals;
    QObject::connect(&modals, &QTimer::timeout, [&walker, &fill] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w) return;
      auto* d = qobject_cast<QDialog*>(w);
      const auto filler = d ? fill.find(d->objectName()) : fill.end();
      const bool accept = filler != fill.end() && filler->second(d);
      walker.Walk(w);
      if (!d)
        w->close();
      else if (accept)
        d->accept();
      else
        d->reject();
    });
    modals.start(20);

    // Every action of the menus, their submenus and the tool bar but
    // "Beenden"; the spreadsheet export without an office on PATH (a new
    // .xlsx file).
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit());
    std::vector<QAction*> actions;
    for (QAction* top : form->menuBar()->actions())
      if (QMenu* m = top->menu())
        for (QAction* a : m->actions()) {
          actions.push_back(a);
          if (QMenu* sub = a->menu())
            for (QAction* s : sub->actions()) actions.push_back(s);
        }
    for (QAction* a : form->findChildren<QAction*>())
      if (a->objectName().startsWith("SpB_")) actions.push_back(a);
    for (QAction* a : actions) {
      if (a->isSeparator() || a->menu() || a->objectName() == "Mn_File_Exit" || !a->isEnabled())
        continue;
      a->trigger();
      QApplication::processEvents();
      // A diagram window as each action left it.
      if (windows->Channel()->isVisible()) walker.Walk(windows->Channel());
    }
    EXPECT_FALSE(windows->FurtherWindows().empty());
    // The channel window: a note, then the markers, which fill "Messwerte";
    // typed axes and a marker at a time; the zoom history.
    TF_SChannel* channel = windows->Channel();
    form->findChild<QAction*>("MN_Wnd_Combi1")->trigger();
    QApplication::processEvents();
    channel->grab();
    MenuAction(channel, "PMn_NoteAdd");
    QTest::keyClick(channel, Qt::Key_Right);
    QTest::keyClicks(channel, "m");
    for (int i = 0; i < 20; ++i) QTest::keyClick(channel, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClicks(channel, "m");
    QApplication::processEvents();
    MenuAction(channel, "PMn_Axes");
    MenuAction(channel, "PMn_MarkAt");
    Wheel(channel);
    Wheel(channel);
    MenuAction(channel, "PMn_ZoomBack");
    walker.Walk(channel);
    // A zoom drawn with two clicks.
    const TRect plot = channel->Diagram()->PlotRect();
    for (const double at : {0.3, 0.7})
      QTest::mouseClick(channel, Qt::LeftButton, {},
                        QPoint(plot.left + static_cast<int>(at * (plot.right - plot.left)),
                               plot.top + static_cast<int>(at * (plot.bottom - plot.top))));
    // The report of the zoomed window with its markers, printed.
    printTo = Path("report.pdf");
    printReport = true;
    form->findChild<QAction*>("Mn_File_Report")->trigger();
    QApplication::processEvents();
    // The editors behind the settings fields: colour, pen, font.
    for (const char* field : {"Ed_XAxisColor", "Ed_XAxisPen", "Ed_XLabelFont"})
      emit form->findChild<TZTEditField*>(field)->clicked();
    qputenv("PATH", path);
    report = Exec("pdftotext", {"-layout", printTo, "-"}).out;
    // The legend's title and the axes' units are settings (their defaults
    // when blank): they keep their stored values.
    const TDiagramLayout& layout = form->Diagram()->Layout();
    for (const std::string& text :
         {layout.Legend.Title, layout.XAxis.UnitText1, layout.XAxis.UnitText2,
          layout.YAxis.UnitText1, layout.TAxis.UnitText1}) {
      if (!text.empty())
        report.remove(QRegularExpression(
            "\\b" + QRegularExpression::escape(QString::fromStdString(text)) + "\\b"));
    }

    // Evaluations that are refused, and one that cannot be written.
    QFile::copy(recording, Path("run.DAT"));
    EXPECT_TRUE(form->OpenDataFile(Path("run.DAT")));
    EXPECT_TRUE(form->SaveEvaluationFile(Path("e.vqa")));
    const QByteArray good = ReadFile(Path("e.vqa"));
    WriteFile(Path("cut.vqa"), good.left(good.size() / 2));
    WriteFile(Path("newer.vqa"), QByteArray(good).replace("\"version\": 1", "\"version\": 3"));
    WriteFile(Path("wrong.vqa"),
              QString::fromUtf8(good)
                  .replace(QRegularExpression("\"zero_point\": \\w+"), "\"zero_point\": 0")
                  .toUtf8());
    for (const char* name : {"cut.vqa", "newer.vqa", "wrong.vqa", "none.vqa"})
      EXPECT_FALSE(form->OpenEvaluationFile(Path(name))) << name;
    WriteFile(Path("run.DAT"), ReadFile(recording) + "x");  // changed since
    EXPECT_FALSE(form->OpenEvaluationFile(Path("e.vqa")));
    QFile::remove(Path("run.DAT"));  // gone
    EXPECT_FALSE(form->OpenEvaluationFile(Path("e.vqa")));
    EXPECT_FALSE(form->SaveEvaluationFile(Path("no/such/folder.vqa")));
    modals.stop();

    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) walker.Walk(w);
    walker.Walk(form.get());  // every page, built or not yet shown
    for (QMenu* m : form->findChildren<QMenu*>()) walker.Walk(m);
    for (TF_SChannel* w : windows->FurtherWindows()) walker.Walk(w);
    for (QMenu* m : channel->findChildren<QMenu*>()) walker.Walk(m);
    // What the recording's file says is data, not text of the program.
    for (int k = 1; k <= 8; ++k) {
      const auto& e = form->Session()->Meta().Entry(k);
      metadata << QString::fromStdString(e.Name).trimmed() + ": " +
                      QString::fromStdString(e.Value).trimmed();
    }
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    qtOwned.insert(walker.qtOwned.begin(), walker.qtOwned.end());
    return walker.texts;
  }

  std::unique_ptr<TDiagramWindows> windows;
  QStringList metadata;
  std::set<QString> qtOwned;
  QString report;  // the printed report's text, without the diagram's texts of the settings
};

}  // namespace

TEST_F(English, NoWindowPageOrDialogIsLeftGerman) {
  const std::map<QString, QString> translations = ReadTranslations();
  ASSERT_GT(translations.size(), 200u);
  // German texts whose English differs; short ones ("Ok", "mm") may be
  // words of both languages.
  GermanTexts german;
  std::set<QString> same;
  for (const auto& [source, english] : translations) {
    if (source == english)
      same.insert(source);
    else if (source.size() >= 4 && HasLetters(source))
      german.Add(source);
  }

  const Texts de = WalkEverything(TLanguage::German);
  const QString deReport = report;
  const Texts en = WalkEverything(TLanguage::English);
  ASSERT_GT(en.size(), 400u);
  // Both walks met the same widgets (the windows are built alike).
  int shared = 0;
  QStringList left;
  for (const auto& [path, text] : en) {
    const auto other = de.find(path);
    for (const QString& line : text.split('\n')) {
      const QString bare = QString(line).remove('&').trimmed();
      if (german.Line(line))
        left << path + ": " + line;
      else if (!metadata.contains(line))
        for (const QString& source : german.In(line))
          left << path + ": " + line + "  (" + source + ")";
      if (other == de.end() || qtOwned.count(path) || !HasLetters(line)) continue;
      // The same in both languages: a text that is the same in English, the
      // product's name in the caption, the status "Ok" and the status errors
      // (English in both), or the recording's data.
      if (!other->second.split('\n').contains(line)) continue;
      if (same.count(line) || same.count(line.trimmed()) || bare == "Ok" ||
          (line.startsWith("Error ") && line.endsWith('!')) ||
          line.startsWith("ZT Velqor Data - ") || metadata.contains(line) ||
          line.contains(".DAT") || line.contains(dir.path()))
        continue;
      left << path + ": " + line + "  (the same in German)";
    }
    if (other != de.end()) ++shared;
  }
  EXPECT_GT(shared, static_cast<int>(en.size() * 9 / 10));
  EXPECT_TRUE(left.isEmpty()) << left.join('\n').toStdString();
  // The printed report: its page headers and tables.
  EXPECT_TRUE(deReport.contains("Seite 1 von ")) << deReport.toStdString();
  EXPECT_TRUE(report.contains("Page 1 of ")) << report.toStdString();
  EXPECT_EQ(german.In(report), QStringList()) << report.toStdString();
  // The walks saw the menus in their language.
  const QString open = "QXMainForm/QMenuBar[0]/Mn_File/Mn_File_Open";
  ASSERT_TRUE(de.count(open) && en.count(open));
  EXPECT_EQ(std::pair(de.at(open), en.at(open)),
            std::pair(QString("Ö&ffnen..."), QString("&Open...")));
}

TEST(EnglishHelp, FollowsTheGermanHelpPlaceByPlace) {
  EXPECT_EQ(HelpOutline("vqrshow4_en.HLP"), HelpOutline("vqrshow4.HLP"));
}
