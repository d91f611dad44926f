#pragma once
// The help viewer: the program's HTML help file in a browser window, opened
// at its contents, at the topic of a context number, or at help on help.

#include <QString>
#include <QWidget>

class QKeyEvent;
class QTextBrowser;

class THelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  /// False when the file cannot be read.
  bool SetHelpFile(const QString& fileName);

  void ShowContents();
  void ShowContext(int context);
  void ShowHelpOnHelp();

  /// True when the help text holds an anchor of that name.
  bool HasAnchor(const QString& name) const;

  /// Anchor of the last request ("" for the contents).
  QString CurrentAnchor() const { return anchor_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowAnchor(const QString& anchor);

  QTextBrowser* browser_;
  QString anchor_;
};
