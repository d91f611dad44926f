#include "session/evaluation.h"

#include <cerrno>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "chart/charttypes.h"
#include "data/atomicfile.h"
#include "data/freerange.h"
#include "data/regularfile.h"
#include "data/sha256.h"
#include "data/vqrtypes.h"

using nlohmann::json;

namespace {

constexpr const char* kFormat = "vqrshow4-evaluation";
// A recording is about 60 kB; anything far larger is not one.
constexpr size_t kMaxRecordingBytes = 64u << 20;
constexpr size_t kMaxPath = 4096;
constexpr size_t kMaxSmoothing = 100;

// ------------------------------------------------------------------ writing

json AxisJson(const AxisRange& a, bool time) {
  json j = {{"divisions", a.Divisions},
            {"span", a.Span},
            {"start", a.Start},
            {"int_digits", a.IntDigits},
            {"decimals", a.Decimals}};
  if (time) j["time_in_days"] = a.TimeInDays;
  // A free range: its ticks, in the units of its labels.
  if (IsFreeRange(a)) {
    j["tick_step"] = a.TickStep;
    j["first_tick"] = a.FirstTick;
  }
  return j;
}

json RecordingJson(const TEvalRecording& r) {
  return {{"path", r.Path}, {"sha256", r.Sha256}, {"smoothing", r.Smoothing}};
}

// ------------------------------------------------------------------ reading

// Walks the parsed document; the first fault found is kept with its field.
class TReader {
 public:
  TEvalResult Result;

  bool Fail(TEvalError error, const std::string& field) {
    if (Result) Result = {error, field};
    return false;
  }
  const json* Member(const json& object, const char* key, const std::string& field) {
    const auto it = object.find(key);
    if (it == object.end()) {
      Fail(TEvalError::WrongType, field);
      return nullptr;
    }
    return &*it;
  }
  bool Object(const json* j, const std::string& field) {
    return j && (j->is_object() || Fail(TEvalError::WrongType, field));
  }
  bool Array(const json* j, size_t most, const std::string& field) {
    if (!j) return false;
    if (!j->is_array()) return Fail(TEvalError::WrongType, field);
    return j->size() <= most || Fail(TEvalError::BadValue, field);
  }
  bool Int(const json* j, long long lo, long long hi, const std::string& field, long long& out) {
    if (!j) return false;
    if (j->is_number_unsigned()) {
      const auto v = j->get<unsigned long long>();
      if (v > static_cast<unsigned long long>(hi)) return Fail(TEvalError::BadValue, field);
      out = static_cast<long long>(v);
      return out >= lo || Fail(TEvalError::BadValue, field);
    }
    if (!j->is_number_integer()) return Fail(TEvalError::WrongType, field);
    out = j->get<long long>();
    return (out >= lo && out <= hi) || Fail(TEvalError::BadValue, field);
  }
  template <typename T>
  bool Int(const json* j, long long lo, long long hi, const std::string& field, T& out) {
    long long v = 0;
    if (!Int(j, lo, hi, field, v)) return false;
    out = static_cast<T>(v);
    return true;
  }
  bool Float(const json* j, const std::string& field, float& out) {
    if (!j) return false;
    if (!j->is_number()) return Fail(TEvalError::WrongType, field);
    const double v = j->get<double>();
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
      return Fail(TEvalError::BadValue, field);
    out = static_cast<float>(v);
    return true;
  }
  bool Bool(const json* j, const std::string& field, bool& out) {
    if (!j) return false;
    if (!j->is_boolean()) return Fail(TEvalError::WrongType, field);
    out = j->get<bool>();
    return true;
  }
  bool String(const json* j, size_t most, const std::string& field, std::string& out) {
    if (!j) return false;
    if (!j->is_string()) return Fail(TEvalError::WrongType, field);
    const auto& s = j->get_ref<const std::string&>();
    if (s.size() > most) return Fail(TEvalError::BadValue, field);
    out = s;
    return true;
  }

  bool Double(const json* j, const std::string& field, double& out) {
    if (!j) return false;
    if (!j->is_number()) return Fail(TEvalError::WrongType, field);
    out = j->get<double>();
    return std::isfinite(out) || Fail(TEvalError::BadValue, field);
  }

  bool Axis(const json& parent, const char* key, bool time, const std::string& at, AxisRange& a) {
    const std::string field = at + "." + key;
    const json* j = Member(parent, key, field);
    if (!Object(j, field)) return false;
    // A free range: ticks at multiples of tick_step; it may hold none.
    if (j->contains("tick_step")) {
      if (!Double(Member(*j, "tick_step", field + ".tick_step"), field + ".tick_step",
                  a.TickStep) ||
          !Double(Member(*j, "first_tick", field + ".first_tick"), field + ".first_tick",
                  a.FirstTick))
        return false;
      if (!(a.TickStep > 0.0)) return Fail(TEvalError::BadValue, field + ".tick_step");
    }
    bool ok =
        Int(Member(*j, "divisions", field + ".divisions"), IsFreeRange(a) ? 0 : 1, 1000,
            field + ".divisions", a.Divisions) &&
        Float(Member(*j, "span", field + ".span"), field + ".span", a.Span) &&
        Float(Member(*j, "start", field + ".start"), field + ".start", a.Start) &&
        Int(Member(*j, "int_digits", field + ".int_digits"), 0, 20, field + ".int_digits",
            a.IntDigits) &&
        Int(Member(*j, "decimals", field + ".decimals"), 0, 20, field + ".decimals", a.Decimals);
    if (ok && !(a.Span > 0)) return Fail(TEvalError::BadValue, field + ".span");
    if (ok && time)
      ok = Bool(Member(*j, "time_in_days", field + ".time_in_days"), field + ".time_in_days",
                a.TimeInDays);
    return ok;
  }

  bool Recording(const json* j, const std::string& field, TEvalRecording& r) {
    if (!Object(j, field)) return false;
    if (!String(Member(*j, "path", field + ".path"), kMaxPath, field + ".path", r.Path))
      return false;
    if (!ValidPath(r.Path)) return Fail(TEvalError::BadValue, field + ".path");
    if (!String(Member(*j, "sha256", field + ".sha256"), 64, field + ".sha256", r.Sha256))
      return false;
    if (r.Sha256.size() != 64 ||
        r.Sha256.find_first_not_of("0123456789abcdef") != std::string::npos)
      return Fail(TEvalError::BadValue, field + ".sha256");
    const std::string sf = field + ".smoothing";
    const json* s = Member(*j, "smoothing", sf);
    if (!Array(s, kMaxSmoothing, sf)) return false;
    for (size_t i = 0; i < s->size(); ++i) {
      int d = 0;
      if (!Int(&(*s)[i], 1, 32, sf + "[" + std::to_string(i) + "]", d)) return false;
      r.Smoothing.push_back(d);
    }
    return true;
  }

  // Not empty, no NUL, and a relative path never climbs out of its folder.
  static bool ValidPath(const std::string& p) {
    if (p.empty() || p.find('\0') != std::string::npos) return false;
    if (p.front() == '/') return true;
    size_t begin = 0;
    while (begin <= p.size()) {
      size_t end = p.find('/', begin);
      if (end == std::string::npos) end = p.size();
      if (p.compare(begin, end - begin, "..") == 0) return false;
      begin = end + 1;
    }
    return true;
  }

  bool Window(const json& j, const std::string& field, TEvalWindow& w) {
    if (!Object(&j, field)) return false;
    if (!Int(Member(j, "mode", field + ".mode"), 1, kCombi2Mode, field + ".mode", w.Mode))
      return false;
    if (!IsChannelMode(w.Mode) && !IsCombiMode(w.Mode))
      return Fail(TEvalError::BadValue, field + ".mode");
    const json* axes = Member(j, "axes", field + ".axes");
    if (!Object(axes, field + ".axes")) return false;
    if (!Axis(*axes, "time", true, field + ".axes", w.Axes.Time) ||
        !Axis(*axes, "value", false, field + ".axes", w.Axes.Value) ||
        !Axis(*axes, "temperature", false, field + ".axes", w.Axes.Temp))
      return false;
    if (!Bool(Member(j, "zoomed", field + ".zoomed"), field + ".zoomed", w.Zoomed)) return false;
    const std::string mf = field + ".markers";
    const json* m = Member(j, "markers", mf);
    if (!Array(m, 2, mf)) return false;
    if (m->size() != 2) return Fail(TEvalError::BadValue, mf);
    return Int(&(*m)[0], 0, kMaxSamples, mf + "[0]", w.MarkA) &&
           Int(&(*m)[1], 0, kMaxSamples, mf + "[1]", w.MarkB);
  }

  bool Note(const json& j, const std::string& field, TNote& n) {
    if (!Object(&j, field)) return false;
    std::string text;
    if (!Int(Member(j, "time_s", field + ".time_s"), 0, std::numeric_limits<int32_t>::max(),
             field + ".time_s", n.Time) ||
        !String(Member(j, "text", field + ".text"), 4 * kMaxNoteText, field + ".text", text) ||
        !Int(Member(j, "channel", field + ".channel"), 0, kTempChannel, field + ".channel",
             n.Channel))
      return false;
    n.Text = NoteText(text);
    if (n.Channel == 0) return true;
    return Float(Member(j, "value", field + ".value"), field + ".value", n.Value);
  }

  bool Evaluation(const json& doc, TEvaluation& e) {
    if (!doc.is_object()) return Fail(TEvalError::NotEvaluation, "");
    const auto format = doc.find("format");
    if (format == doc.end() || !format->is_string() || *format != kFormat)
      return Fail(TEvalError::NotEvaluation, "format");
    long long version = 0;
    if (!Int(Member(doc, "version", "version"), 1, std::numeric_limits<long long>::max(), "version",
             version))
      return false;
    if (version > kEvaluationVersion) {
      Result = {TEvalError::NewerVersion, "version", 0, version};
      return false;
    }
    if (!Recording(Member(doc, "recording", "recording"), "recording", e.Recording)) return false;
    const json* compared = Member(doc, "compared", "compared");
    if (!Array(compared, 7, "compared")) return false;
    for (size_t i = 0; i < compared->size(); ++i) {
      TEvalRecording r;
      if (!Recording(&(*compared)[i], "compared[" + std::to_string(i) + "]", r)) return false;
      e.Compared.push_back(std::move(r));
    }
    if (!Bool(Member(doc, "zero_point", "zero_point"), "zero_point", e.ZeroPoint)) return false;
    // Not in the first files of this format: uncoupled then.
    if (doc.contains("coupled_time") &&
        !Bool(Member(doc, "coupled_time", "coupled_time"), "coupled_time", e.CoupledTime))
      return false;
    const json* windows = Member(doc, "windows", "windows");
    if (!Array(windows, kMaxEvaluationWindows, "windows")) return false;
    for (size_t i = 0; i < windows->size(); ++i) {
      TEvalWindow w;
      if (!Window((*windows)[i], "windows[" + std::to_string(i) + "]", w)) return false;
      e.Windows.push_back(w);
    }
    const json* notes = Member(doc, "notes", "notes");
    if (!Array(notes, kMaxNotes, "notes")) return false;
    for (size_t i = 0; i < notes->size(); ++i) {
      TNote n;
      if (!Note((*notes)[i], "notes[" + std::to_string(i) + "]", n)) return false;
      e.Notes.push_back(std::move(n));
    }
    return Limits(doc, e.Limits);
  }

  bool Limit(const json& j, const std::string& field, std::optional<double>& out) {
    if (j.is_null()) return true;
    float unused = 0;
    if (!Float(&j, field, unused)) return false;
    out = j.get<double>();
    return true;
  }

  bool Limits(const json& doc, TVQRLimits& limits) {
    const json* list = Member(doc, "limits", "limits");
    if (!Array(list, kTempChannel, "limits")) return false;
    for (size_t i = 0; i < list->size(); ++i) {
      const std::string field = "limits[" + std::to_string(i) + "]";
      const json& j = (*list)[i];
      int ch = 0;
      if (!Object(&j, field) ||
          !Int(Member(j, "channel", field + ".channel"), 1, kTempChannel, field + ".channel", ch))
        return false;
      if (limits.Has(ch)) return Fail(TEvalError::BadValue, field + ".channel");
      const json* lower = Member(j, "lower", field + ".lower");
      const json* upper = Member(j, "upper", field + ".upper");
      if (!lower || !upper || !Limit(*lower, field + ".lower", limits.Lower[ch]) ||
          !Limit(*upper, field + ".upper", limits.Upper[ch]))
        return false;
    }
    return true;
  }
};

std::string Folder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::string EvaluationJson(const TEvaluation& eval) {
  json doc;
  doc["format"] = kFormat;
  doc["version"] = kEvaluationVersion;
  doc["recording"] = RecordingJson(eval.Recording);
  doc["compared"] = json::array();
  for (const TEvalRecording& r : eval.Compared) doc["compared"].push_back(RecordingJson(r));
  doc["zero_point"] = eval.ZeroPoint;
  doc["coupled_time"] = eval.CoupledTime;
  doc["windows"] = json::array();
  for (const TEvalWindow& w : eval.Windows)
    doc["windows"].push_back({{"mode", w.Mode},
                              {"axes",
                               {{"time", AxisJson(w.Axes.Time, true)},
                                {"value", AxisJson(w.Axes.Value, false)},
                                {"temperature", AxisJson(w.Axes.Temp, false)}}},
                              {"zoomed", w.Zoomed},
                              {"markers", {w.MarkA, w.MarkB}}});
  doc["notes"] = json::array();
  for (const TNote& n : eval.Notes) {
    json j = {{"time_s", n.Time}, {"text", n.Text}, {"channel", n.Channel}};
    if (n.Channel != 0) j["value"] = n.Value;
    doc["notes"].push_back(std::move(j));
  }
  doc["limits"] = json::array();
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    if (!eval.Limits.Has(ch)) continue;
    auto limit = [](const std::optional<double>& v) { return v ? json(*v) : json(nullptr); };
    doc["limits"].push_back({{"channel", ch},
                             {"lower", limit(eval.Limits.Lower[ch])},
                             {"upper", limit(eval.Limits.Upper[ch])}});
  }
  // Invalid UTF-8 in a text is replaced rather than refused.
  return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

TEvalResult ParseEvaluation(std::string_view text, TEvaluation& out) {
  if (text.size() > kMaxEvaluationBytes) return {TEvalError::TooLarge, ""};
  const json doc = json::parse(text.begin(), text.end(), nullptr, false);
  if (doc.is_discarded()) return {TEvalError::Damaged, ""};
  TReader reader;
  TEvaluation e;
  if (!reader.Evaluation(doc, e)) return reader.Result;
  out = std::move(e);
  return {};
}

TEvalResult ReadEvaluationFile(const std::string& path, TEvaluation& out) {
  std::string text;
  if (!ReadRegularFile(path, kMaxEvaluationBytes, text)) {
    const int e = errno;
    if (e == EFBIG) return {TEvalError::TooLarge, "", e};
    if (e == EINVAL || e == EISDIR) return {TEvalError::NotRegular, "", e};
    return {TEvalError::OpenFailed, "", e};
  }
  return ParseEvaluation(text, out);
}

bool WriteEvaluationFile(const std::string& path, const TEvaluation& eval, int* errorNumber) {
  const std::string text = EvaluationJson(eval);
  TAtomicFile file;
  const bool ok = file.Open(path) && file.Write(text.data(), text.size()) && file.Commit();
  if (!ok && errorNumber) *errorNumber = file.ErrorNumber();
  return ok;
}

std::string StoredRecordingPath(const std::string& recording, const std::string& evaluationPath) {
  const std::string folder = Folder(evaluationPath) + "/";
  if (recording.size() > folder.size() && recording.compare(0, folder.size(), folder) == 0)
    return recording.substr(folder.size());
  return recording;
}

std::string ResolveRecordingPath(const std::string& stored, const std::string& evaluationPath) {
  if (!stored.empty() && stored.front() == '/') return stored;
  return Folder(evaluationPath) + "/" + stored;
}

std::string RecordingSha256(const std::string& path, int* errorNumber) {
  std::string bytes;
  if (!ReadRegularFile(path, kMaxRecordingBytes, bytes)) {
    if (errorNumber) *errorNumber = errno;
    return {};
  }
  return Sha256Hex(bytes);
}

TRecordingState CheckRecording(const std::string& path, const std::string& sha256,
                               int* errorNumber) {
  int e = 0;
  const std::string actual = RecordingSha256(path, &e);
  if (errorNumber) *errorNumber = e;
  if (actual.empty()) {
    if (e == ENOENT || e == ENOTDIR) return TRecordingState::Missing;
    if (e == EINVAL || e == EISDIR) return TRecordingState::NotRegular;
    return TRecordingState::Unreadable;
  }
  return actual == sha256 ? TRecordingState::Same : TRecordingState::Changed;
}
