#pragma once
// Answers the modal dialogs that come up while a test drives a window.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <vector>

using Answer = std::function<void(QWidget*)>;

inline Answer Click(const char* button) {
  return [button](QWidget* w) { w->findChild<QPushButton*>(button)->click(); };
}
inline Answer Press(QMessageBox::StandardButton button) {
  return [button](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(button)->click(); };
}
inline Answer CloseBox() {
  return [](QWidget* w) { w->close(); };
}

/// Answers the modal dialogs that come up, one answer each in turn, and
/// notes each as "objectName" or "objectName: message"; one too many is
/// rejected.
class Modals : public QObject {
 public:
  explicit Modals(std::vector<Answer> answers) : answers_(std::move(answers)) {
    connect(&timer_, &QTimer::timeout, this, &Modals::Poll);
    timer_.start(5);
  }
  QStringList seen;

 private:
  void Poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == last_) return;
    last_ = w;
    const auto* box = qobject_cast<QMessageBox*>(w);
    seen << w->objectName() + (box ? ": " + box->text() : QString());
    if (next_ < answers_.size())
      answers_[next_++](w);
    else if (auto* dialog = qobject_cast<QDialog*>(w))
      dialog->reject();  // unexpected: noted, and the test goes on
    else
      w->close();
  }

  std::vector<Answer> answers_;
  size_t next_ = 0;
  QPointer<QWidget> last_;
  QTimer timer_;
};

/// Runs f with these answers to the dialogs it opens; what the dialogs said.
inline QStringList Answering(std::vector<Answer> answers, const std::function<void()>& f) {
  Modals modals(std::move(answers));
  f();
  QApplication::processEvents();
  return modals.seen;
}
