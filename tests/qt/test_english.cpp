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
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QXmlStreamReader>
#include <map>
#include <set>

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

bool HasLetters(const QString& text) {
  return text.contains(QRegularExpression("[A-Za-zÄÖÜäöüß]{2}"));
}

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
      if (qobject_cast<QDialogButtonBox*>(o) || (qobject_cast<QDialog*>(o) && cls.startsWith('Q')))
        return true;
    }
    return false;
  }

  void Add(QObject* o, const QString& path, const QString& text) {
    if (text.trimmed().isEmpty()) return;
    texts[path] = text;
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

  /// Opens everything once in language and walks it.
  Texts WalkEverything(TLanguage language) {
    EXPECT_TRUE(ApplyUiLanguage(language, VQR_BINARY_DIR "/"));
    // The help files beside the program.
    for (const char* help : {"vqrshow4.HLP", "vqrshow4_en.HLP"})
      QFile::copy(QString(VQR_SOURCE_DIR "/app/resources/") + help, Path(help));
    WriteIni(
        "[General]\nSavePos=OFF\n[CombiWindow1]\nVisibleCh1=ON\nVisibleCh3=ON\nVisibleCh17=ON\n"
        "[Printer]\nPreview=ON\n");
    windows.reset();
    MakeForm();
    windows = std::make_unique<TDiagramWindows>(*form);
    printTo = Path("page.pdf");
    EXPECT_TRUE(form->OpenDataFile(QString::fromStdString(SamplePath("hours40.DAT"))));
    Walker walker;
    // Every modal dialog is walked as it comes up, then closed.
    QTimer modals;
    QObject::connect(&modals, &QTimer::timeout, [&walker] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w) return;
      walker.Walk(w);
      if (auto* d = qobject_cast<QDialog*>(w))
        d->reject();
      else
        w->close();
    });
    modals.start(20);

    // Every action of the menus and the tool bar but "Beenden"; the
    // spreadsheet export without an office on PATH (a new .xlsx file).
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit());
    std::vector<QAction*> actions;
    for (QAction* top : form->menuBar()->actions())
      if (QMenu* m = top->menu())
        for (QAction* a : m->actions()) actions.push_back(a);
    for (QAction* a : form->findChildren<QAction*>())
      if (a->objectName().startsWith("SpB_")) actions.push_back(a);
    for (QAction* a : actions) {
      if (a->isSeparator() || a->objectName() == "Mn_File_Exit" || !a->isEnabled()) continue;
      a->trigger();
      QApplication::processEvents();
      // A diagram window as each action left it.
      if (windows->Channel()->isVisible()) walker.Walk(windows->Channel());
    }
    // The channel window's markers fill "Messwerte"; its menu.
    TF_SChannel* channel = windows->Channel();
    form->findChild<QAction*>("MN_Wnd_Combi1")->trigger();
    QApplication::processEvents();
    channel->grab();
    QTest::keyClick(channel, Qt::Key_Right);
    QTest::keyClicks(channel, "m");
    for (int i = 0; i < 20; ++i) QTest::keyClick(channel, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClicks(channel, "m");
    QApplication::processEvents();
    // The editors behind the settings fields: colour, pen, font.
    for (const char* field : {"Ed_XAxisColor", "Ed_XAxisPen", "Ed_XLabelFont"})
      emit form->findChild<TZTEditField*>(field)->clicked();
    qputenv("PATH", path);
    modals.stop();

    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) walker.Walk(w);
    walker.Walk(form.get());  // every page, built or not yet shown
    for (QMenu* m : form->findChildren<QMenu*>()) walker.Walk(m);
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
};

}  // namespace

TEST_F(English, NoWindowPageOrDialogIsLeftGerman) {
  const std::map<QString, QString> translations = ReadTranslations();
  ASSERT_GT(translations.size(), 200u);
  // German texts whose English differs; short ones ("Ok", "mm") may be
  // words of both languages.
  std::set<QString> german, same;
  for (const auto& [source, english] : translations) {
    if (source == english)
      same.insert(source);
    else if (source.size() >= 4 && HasLetters(source))
      german.insert(source);
  }

  const Texts de = WalkEverything(TLanguage::German);
  const Texts en = WalkEverything(TLanguage::English);
  ASSERT_GT(en.size(), 400u);
  // Both walks met the same widgets (the windows are built alike).
  int shared = 0;
  QStringList left;
  for (const auto& [path, text] : en) {
    const auto other = de.find(path);
    for (const QString& line : text.split('\n')) {
      const QString bare = QString(line).remove('&').trimmed();
      if (german.count(line) || german.count(line.trimmed())) left << path + ": " + line;
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
  // The walks saw the menus in their language.
  const QString open = "QXMainForm/QMenuBar[0]/Mn_File/Mn_File_Open";
  ASSERT_TRUE(de.count(open) && en.count(open));
  EXPECT_EQ(std::pair(de.at(open), en.at(open)),
            std::pair(QString("Ö&ffnen..."), QString("&Open...")));
}
