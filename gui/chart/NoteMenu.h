#pragma once
// The notes in a diagram window's context menu: "Notiz..." adds one at the
// cursor's time, "Notiz bearbeiten..." and "Notiz löschen" change the one
// under the mouse. The dialog asks for the text and, optionally, the curve
// whose value the note marks.

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

#include "chart/notes.h"

class QAction;
class QMenu;
class QWidget;
class IDiagramHost;
class TVqrDataObjectNew;

/// What the note dialog shows and gives back.
struct TNoteChoice {
  QString Text;
  int Channel = 0;  // 0: none
};

class TNoteMenu : public QObject {
  Q_OBJECT
 public:
  /// Adds the three actions to popup; changed runs after every change.
  TNoteMenu(QWidget& window, QMenu& popup, IDiagramHost& host, std::function<void()> changed);

  /// The menu opens at p (window pixels) with the cursor on sample (0: none).
  void Prepare(QPoint p, int sample);

  /// Asks for a note's text and curve (channels: the curves offered); false
  /// when cancelled. A dialog unless replaced (tests).
  std::function<bool(TNoteChoice& choice, const std::vector<int>& channels)> AskNote;

  QAction* AddAction() const { return add_; }
  QAction* EditAction() const { return edit_; }
  QAction* DeleteAction() const { return delete_; }

 private:
  void Add();
  void Edit();
  void Delete();
  bool Ask(TNoteChoice& choice);
  /// The curves the window draws now.
  std::vector<int> Curves() const;

  QWidget& window_;
  IDiagramHost& host_;
  std::function<void()> changed_;
  QAction* add_ = nullptr;
  QAction* edit_ = nullptr;
  QAction* delete_ = nullptr;
  int sample_ = 0;
  int hit_ = -1;  // the note under the mouse
};

/// A curve's value at a time of the recording, as the diagram draws it (the
/// sample nearest that time).
float NoteValueAt(const TVqrDataObjectNew& data, int32_t time, int channel);

/// The notes between from and to seconds, in time order, one line each:
/// time in hours, the curve and its value, the text.
QStringList NoteLines(const TNotes& notes, double fromSeconds, double toSeconds);
