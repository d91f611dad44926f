#include "app/HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/common/appicons.h"

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setWindowTitle(tr("VqrShow4 Hilfe"));
  setWindowIcon(AppIcon());
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("HelpBrowser");
  browser_->setOpenExternalLinks(true);

  auto* contents = new QPushButton(tr("Inhalt"), this);
  contents->setObjectName("Bt_HelpContents");
  auto* back = new QPushButton(tr("Zurück"), this);
  back->setObjectName("Bt_HelpBack");
  auto* close = new QPushButton(tr("Schliessen"), this);
  close->setObjectName("Bt_HelpClose");
  connect(contents, &QPushButton::clicked, this, &THelpWindow::ShowContents);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  back->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* v = new QVBoxLayout(this);
  v->addLayout(buttons);
  v->addWidget(browser_, 1);
  resize(640, 560);
}

bool THelpWindow::SetHelpFile(const QString& fileName) {
  QFile file(fileName);
  if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly)) return false;
  // The file keeps its ".HLP" name, so tell the browser it holds HTML.
  browser_->setSearchPaths({QFileInfo(fileName).absolutePath()});
  browser_->setHtml(QString::fromUtf8(file.readAll()));
  return true;
}

void THelpWindow::ShowAnchor(const QString& anchor) {
  anchor_ = anchor;
  if (anchor.isEmpty())
    browser_->verticalScrollBar()->setValue(0);
  else
    browser_->scrollToAnchor(anchor);
  show();
  raise();
  activateWindow();
}

bool THelpWindow::HasAnchor(const QString& name) const {
  for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().anchorNames().contains(name)) return true;
  return false;
}

void THelpWindow::ShowContents() { ShowAnchor(QString()); }

void THelpWindow::ShowContext(int context) {
  const QString anchor = QString::number(context);
  ShowAnchor(HasAnchor(anchor) ? anchor : QString());
}

void THelpWindow::ShowHelpOnHelp() { ShowAnchor("hilfe"); }

void THelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
