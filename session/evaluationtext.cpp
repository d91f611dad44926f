#include "session/evaluationtext.h"

#include <cerrno>
#include <cstring>
#include <initializer_list>

#include "data/translate.h"

// The texts are those of the main window's dialogs, where they are shown
// (context TQXMainForm).

namespace {

// %1, %2, ... replaced by args in one pass, so that an argument holding a
// marker (a file named "a%2.vqa") stays as it is.
std::string Args(const std::string& text, std::initializer_list<std::string> args) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t n = i + 1 < text.size() ? static_cast<size_t>(text[i + 1] - '1') : args.size();
    if (text[i] == '%' && n < args.size()) {
      out += *(args.begin() + n);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::string ReadReasonText(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
      return TrText("TQXMainForm", "Die Datei gibt es nicht.");
    case EACCES:
    case EPERM:
      return TrText("TQXMainForm", "Der Zugriff wurde verweigert.");
    default:
      return std::strerror(errorNumber);
  }
}

std::string EvaluationErrorMessage(const std::string& file, const TEvalResult& r) {
  switch (r.Error) {
    case TEvalError::None:
      break;
    case TEvalError::OpenFailed:
      return Args(TrText("TQXMainForm", "Die Auswertung %1 kann nicht geöffnet werden. %2"),
                  {file, ReadReasonText(r.Errno)});
    case TEvalError::NotRegular:
      return Args(
          TrText("TQXMainForm",
                 "%1 ist keine gewöhnliche Datei, sondern ein Ordner, eine Pipe oder ein Gerät."),
          {file});
    case TEvalError::TooLarge:
      return Args(TrText("TQXMainForm", "%1 ist zu groß für eine Auswertung (höchstens %2 kB)."),
                  {file, std::to_string(kMaxEvaluationBytes / 1024)});
    case TEvalError::Damaged:
      return Args(TrText("TQXMainForm", "Die Auswertung %1 ist beschädigt oder unvollständig."),
                  {file});
    case TEvalError::NotEvaluation:
      return Args(TrText("TQXMainForm", "%1 ist keine Auswertung von vqrshow4."), {file});
    case TEvalError::NewerVersion:
      return Args(TrText("TQXMainForm",
                         "Die Auswertung %1 stammt von einer neueren Programmversion (Format %2; "
                         "dieses Programm liest Format %3)."),
                  {file, std::to_string(r.Version), std::to_string(kEvaluationVersion)});
    case TEvalError::WrongType:
      return Args(TrText("TQXMainForm",
                         "Die Auswertung %1 ist beschädigt: das Feld \u201e%2\u201c fehlt oder hat "
                         "den falschen Typ."),
                  {file, r.Field});
    case TEvalError::BadValue:
      return Args(TrText("TQXMainForm",
                         "Die Auswertung %1 ist beschädigt: das Feld \u201e%2\u201c hat einen "
                         "ungültigen Wert."),
                  {file, r.Field});
  }
  return {};
}

std::string RecordingStateMessage(const std::string& file, TRecordingState state, int errorNumber) {
  switch (state) {
    case TRecordingState::Missing:
      return Args(TrText("TQXMainForm",
                         "Die Aufzeichnung %1 der Auswertung wurde nicht gefunden; sie wurde "
                         "verschoben oder gelöscht."),
                  {file});
    case TRecordingState::NotRegular:
      return Args(
          TrText("TQXMainForm",
                 "%1 ist keine gewöhnliche Datei, sondern ein Ordner, eine Pipe oder ein Gerät."),
          {file});
    case TRecordingState::Unreadable:
      return Args(TrText("TQXMainForm", "Die Aufzeichnung %1 kann nicht gelesen werden. %2"),
                  {file, ReadReasonText(errorNumber)});
    case TRecordingState::Changed:
    case TRecordingState::Same:
      break;
  }
  return Args(TrText("TQXMainForm",
                     "Die Aufzeichnung %1 wurde geändert, seit die Auswertung gespeichert wurde."),
              {file});
}
