#pragma once
// The diagram window's ways of moving freely: "Zurück" and "Vor" through the
// zoom history, "Achsen..." for typed ranges and "Marke bei..." for a marker
// at a typed time, in the window's context menu, and the wheel.

#include <QObject>
#include <QString>
#include <functional>

#include "chart/diagramcontroller.h"

class QAction;
class QMenu;
class QWheelEvent;
class QWidget;
class TVQRDiagram;

class TDiagramNavigation : public QObject {
  Q_OBJECT
 public:
  /// apply: what the window does with the controller's answers.
  TDiagramNavigation(QWidget* window, QMenu* popup, TDiagramController& controller,
                     std::function<TVQRDiagram*()> diagram,
                     std::function<void(const TDiagramActions&)> apply);

  /// The context menu opens: the items that can do nothing are greyed.
  void MenuOpening();
  /// The wheel over the window.
  void Wheel(const QWheelEvent& event);
  /// "Achsen..." and "Marke bei...": the dialogs, modal.
  void EditAxes();
  void MarkAt();

 private:
  QWidget* window_;
  TDiagramController& controller_;
  std::function<TVQRDiagram*()> diagram_;
  std::function<void(const TDiagramActions&)> apply_;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
  QAction* axes_ = nullptr;
  QAction* markAt_ = nullptr;
  // The texts last typed into "Achsen..." and the axes they gave, so that
  // the dialog shows them again exactly as typed while those are shown.
  QString typed_[6];
  TAxisSet typedAxes_;
};
