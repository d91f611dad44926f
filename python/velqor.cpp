// velqor._velqor: recordings read and calibrated by the program's own core,
// as numpy arrays, and the statistics of vqrtool stats from the same code.
// The package's __init__.py adds the exceptions, argument checks and
// to_pandas.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "chart/vqrdiagram.h"
#include "session/Session.h"
#include "session/Stats.h"
#include "settings/readonlysettings.h"

namespace py = pybind11;

namespace {

/// One recording as read: copies of the store's arrays, the settings it was
/// read with and the records decoded, from which stats decodes it again.
struct TRecording {
  std::string Path;  // as the caller named it
  std::shared_ptr<TToolSettings> Settings;
  std::vector<uint8_t> Records;
  int SampleCount = 0;
  int32_t LastTime = 0;
  py::array_t<double> Time;
  py::array_t<float> Values;
  py::array_t<float> Temperature;
  py::array_t<int16_t> Raw;
  py::dict Metadata;
  py::list Calibration;
  py::list Units;
  float RefValue1 = 0.0f;
  float RefValue2 = 0.0f;
};

/// The exception class the package defines under name.
[[noreturn]] void Raise(const char* name, const std::string& path, const std::string& status,
                        int osError = 0) {
  py::object cls = py::module_::import("velqor").attr(name);
  const py::object error = cls(path, status, osError);
  PyErr_SetObject(cls.ptr(), error.ptr());
  throw py::error_already_set();
}

/// Text as JSON reads it: an integer, a float or, for "null", None.
py::object NumberObject(const std::string& text, bool integer) {
  if (text == "null") return py::none();
  const char* end = text.data() + text.size();
  if (integer) {
    long long v = 0;
    if (std::from_chars(text.data(), end, v).ptr == end) return py::int_(v);
  }
  double v = 0.0;
  std::from_chars(text.data(), end, v);
  return py::float_(v);
}

/// A metadata value as a number: the entries are decimal integers and one
/// fixed-point number; anything else stays text.
py::object MetaValue(const std::string& text) {
  const char* end = text.data() + text.size();
  long long i = 0;
  if (!text.empty() && std::from_chars(text.data(), end, i).ptr == end) return py::int_(i);
  double d = 0.0;
  if (!text.empty() && std::from_chars(text.data(), end, d).ptr == end) return py::float_(d);
  return py::str(text);
}

template <typename T>
py::array_t<T> ReadOnly(py::array_t<T> a) {
  a.attr("flags").attr("writeable") = false;
  return a;
}

void TakeArrays(TRecording& rec, TVQRSession& session) {
  const TVQRDataObject& store = session.Store();
  const py::ssize_t n = rec.SampleCount;
  py::array_t<double> time(n);
  py::array_t<float> values({n, py::ssize_t{16}});
  py::array_t<float> temperature(n);
  py::array_t<int16_t> raw({n, py::ssize_t{kTempChannel}});
  auto t = time.mutable_unchecked<1>();
  auto v = values.mutable_unchecked<2>();
  auto tc = temperature.mutable_unchecked<1>();
  auto r = raw.mutable_unchecked<2>();
  for (py::ssize_t i = 0; i < n; ++i) {
    const TVQRSample& s = store.Samples[static_cast<size_t>(i) + 1];
    t(i) = s.Seconds;
    for (int ch = 1; ch <= 16; ++ch) v(i, ch - 1) = s.Cal[ch];
    tc(i) = s.Cal[kTempChannel];
    for (int ch = 1; ch <= kTempChannel; ++ch) r(i, ch - 1) = s.Raw[ch];
  }
  rec.Time = ReadOnly(std::move(time));
  rec.Values = ReadOnly(std::move(values));
  rec.Temperature = ReadOnly(std::move(temperature));
  rec.Raw = ReadOnly(std::move(raw));
}

void TakeCalibration(TRecording& rec, TVQRSession& session) {
  const TVqrDataObjectNew& d = session.Data();
  rec.RefValue1 = d.Recording().RefValue1();
  rec.RefValue2 = d.Recording().RefValue2();
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    const ChannelCal& c = d.Recording().Cal(ch);
    const bool temp = ch == kTempChannel;
    py::dict e;
    e["channel"] = ch;
    e["scale"] = static_cast<double>(c.Scale);
    e["offset"] = static_cast<double>(c.Offset);
    e["raw_min"] = c.RawMin;
    e["raw_max"] = c.RawMax;
    e["cal_min"] = static_cast<double>(c.CalMin);
    e["cal_max"] = static_cast<double>(c.CalMax);
    e["ref_raw1"] = temp ? py::object(py::none()) : py::int_(d.RefRaw1(ch));
    e["ref_raw2"] = temp ? py::object(py::none()) : py::int_(d.RefRaw2(ch));
    const std::string unit = session.Diagram().UnitText(temp ? 2 : 1);
    e["unit"] = py::reinterpret_steal<py::str>(
        PyUnicode_DecodeUTF8(unit.data(), static_cast<py::ssize_t>(unit.size()), "replace"));
    rec.Units.append(e["unit"]);
    rec.Calibration.append(std::move(e));
  }
  for (int k = 1; k <= 8; ++k) {
    const auto& e = session.Meta().Entry(k);
    if (!e.Name.empty()) rec.Metadata[py::str(e.Name)] = MetaValue(e.Value);
  }
}

/// The whole file, or nothing when it cannot be read.
std::string FileBytes(const std::string& path) {
  std::string bytes;
  if (path.empty()) return bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buf[16384];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    std::fclose(f);
  }
  return bytes;
}

/// The settings of options, loaded once and shared for as long as the files
/// found hold the same bytes: loading the table costs more than reading a
/// recording. The loaded tables are only read.
std::shared_ptr<TToolSettings> SharedSettings(const TToolSettingsOptions& options,
                                              std::string* error) {
  std::unique_ptr<TToolSettings> located = LocateToolSettings(options, error);
  if (!located) return nullptr;
  const TZTIniClass& ini = located->Ini;
  std::string key = options.Defaults
                        ? std::string("defaults")
                        : ini.IniFileName + '\0' + FileBytes(ini.IniFileName) + '\0' +
                              ini.PublicIniFileName + '\0' + FileBytes(ini.PublicIniFileName);
  static std::mutex lock;
  static std::string cachedKey;
  static std::shared_ptr<TToolSettings> cached;
  {
    const std::lock_guard<std::mutex> hold(lock);
    if (cached && cachedKey == key) return cached;
  }
  located->Table = std::make_unique<TVQRShowSettings>(&located->Ini);
  located->Table->LoadAll();
  std::shared_ptr<TToolSettings> settings = std::move(located);
  const std::lock_guard<std::mutex> hold(lock);
  cachedKey = std::move(key);
  cached = settings;
  return settings;
}

/// A session per thread, kept for the next recording read with the same
/// settings: its store is large, and a load clears it anyway.
TVQRSession& ThreadSession(const std::shared_ptr<TToolSettings>& settings) {
  thread_local std::shared_ptr<TToolSettings> owner;
  thread_local std::unique_ptr<TVQRSession> session;
  if (!session || owner != settings) {
    session = std::make_unique<TVQRSession>(settings->Table.get());
    owner = settings;
  }
  return *session;
}

std::shared_ptr<TRecording> Read(const py::bytes& path, const std::string& display,
                                 const std::optional<py::bytes>& ini, bool defaults) {
  auto rec = std::make_shared<TRecording>();
  rec->Path = display;
  const std::string file = path;
  TToolSettingsOptions options;
  if (ini) options.IniFile = *ini;
  options.Defaults = defaults;
  options.NoProgramDir = true;  // the interpreter's folder holds no settings of ours
  std::string error;
  std::shared_ptr<TToolSettings> settings;
  TVQRSession* session = nullptr;
  TLoadStatus status = TLoadStatus::OpenFailed;
  {
    py::gil_scoped_release unlocked;
    settings = SharedSettings(options, &error);
    if (settings) {
      session = &ThreadSession(settings);
      session->Reader().KeepRecords(&rec->Records);
      status = session->Load(file);
      session->Reader().KeepRecords(nullptr);
    }
  }
  if (!settings) Raise("SettingsError", options.IniFile, error);
  if (status != TLoadStatus::Ok)
    Raise(status == TLoadStatus::OpenFailed ? "OpenError" : "DecodeError", display,
          LoadStatusText(status),
          status == TLoadStatus::OpenFailed ? session->Reader().OpenError() : 0);
  rec->Settings = std::move(settings);
  rec->SampleCount = session->Data().GetSampleCount();
  rec->LastTime = session->Data().Recording().LastTime();
  TakeArrays(*rec, *session);
  TakeCalibration(*rec, *session);
  return rec;
}

py::dict Stats(const TRecording& rec, std::optional<double> fromHours,
               std::optional<double> toHours, int mode, bool zero, const std::vector<int>& smooth) {
  TVQRSession session(rec.Settings->Table.get());
  // The same records decode as they did from the file.
  if (session.LoadBuffer(rec.Records.data(), rec.Records.size()) != TLoadStatus::Ok)
    throw std::logic_error("the recording no longer decodes");
  for (int n : smooth) session.Smooth(n);
  session.SetZeroPoint(zero);
  const std::vector<int> channels = StatsChannels(session, mode);
  if (IsCombiMode(mode) && channels.empty()) {
    const std::string warning =
        "no channel is ticked for combination " + std::to_string(mode - kCombi1Mode + 1);
    if (PyErr_WarnEx(PyExc_UserWarning, warning.c_str(), 1) != 0) throw py::error_already_set();
  }
  const auto stats = SessionStats(session, channels, fromHours, toHours);
  py::list curves;
  for (const TCurveStats& s : stats[0]) {
    py::dict curve;
    for (const auto& [name, text] : CurveStatsFields(s)) {
      const bool integer = std::strcmp(name, "channel") == 0 || std::strcmp(name, "n") == 0;
      curve[name] = NumberObject(text, integer);
    }
    curves.append(std::move(curve));
  }
  py::dict result;
  result["file"] = rec.Path;
  result["from_h"] = NumberObject(StatsNumberText(fromHours), false);
  result["to_h"] = NumberObject(StatsNumberText(toHours), false);
  result["curves"] = std::move(curves);
  return result;
}

}  // namespace

PYBIND11_MODULE(_velqor, m) {
  m.doc() = "The core of velqor: reading, calibration and statistics.";
  m.attr("__version__") = VQR_VERSION;
  m.attr("COMBINATION_1") = kCombi1Mode;
  m.attr("COMBINATION_2") = kCombi2Mode;

  py::class_<TRecording, std::shared_ptr<TRecording>>(m, "Recording")
      .def_property_readonly("path", [](const TRecording& r) { return r.Path; })
      .def_property_readonly("sample_count", [](const TRecording& r) { return r.SampleCount; })
      .def_property_readonly("duration_h", [](const TRecording& r) { return r.LastTime / 3600.0; })
      .def_property_readonly("time_s", [](const TRecording& r) { return r.Time; })
      .def_property_readonly("values", [](const TRecording& r) { return r.Values; })
      .def_property_readonly("temperature", [](const TRecording& r) { return r.Temperature; })
      .def_property_readonly("raw", [](const TRecording& r) { return r.Raw; })
      .def_property_readonly("metadata", [](const TRecording& r) { return py::dict(r.Metadata); })
      .def_property_readonly("calibration",
                             [](const TRecording& r) {
                               py::list copy;
                               for (const auto& e : r.Calibration) copy.append(e.attr("copy")());
                               return copy;
                             })
      .def_property_readonly("units", [](const TRecording& r) { return py::list(r.Units); })
      .def_property_readonly("ref_values",
                             [](const TRecording& r) {
                               return py::make_tuple(static_cast<double>(r.RefValue1),
                                                     static_cast<double>(r.RefValue2));
                             })
      .def("__repr__", [](const TRecording& r) {
        return "<velqor.Recording " + py::repr(py::str(r.Path)).cast<std::string>() + ": " +
               std::to_string(r.SampleCount) + " samples, " +
               py::repr(py::float_(r.LastTime / 3600.0)).cast<std::string>() + " h>";
      });

  m.def("read", &Read, py::arg("path"), py::arg("display"), py::arg("ini"), py::arg("defaults"));
  m.def("stats", &Stats, py::arg("recording"), py::arg("from_h"), py::arg("to_h"), py::arg("mode"),
        py::arg("zero"), py::arg("smooth"));
}
