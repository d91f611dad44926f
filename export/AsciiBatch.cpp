#include "export/AsciiBatch.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "data/Recording.h"
#include "export/expfile.h"

bool WriteAsciiExport(TVqrDataObjectNew& data, TVQRAsciiFile& file, const std::string& path,
                      TAsciiMode mode) {
  data.SetExportFile(&file);
  if (!file.Open(path)) return false;
  file.SetSeparator(',');
  bool ok = false;
  switch (mode) {
    case TAsciiMode::CalParams:
      ok = data.ExportCalParams();
      break;
    case TAsciiMode::Raw:
      ok = data.ExportRaw();
      break;
    case TAsciiMode::Calibrated:
      ok = data.ExportCalibrated();
      break;
  }
  const bool closed = file.CloseExport();
  return ok && closed;
}

TAsciiResult ExportAsciiFile(TVQRRecording& rec, TVQRAsciiFile& file, const TAsciiJob& job,
                             const TAsciiOptions& options) {
  rec.Data().Scaling = {options.MaxHour, options.UserFactor};
  switch (rec.Load(job.Input)) {
    case TLoadStatus::OpenFailed:
      return {TAsciiStatus::OpenFailed, "Error opening data file!"};
    case TLoadStatus::NotDecoded:
      return {TAsciiStatus::NotDecoded, "Error reading Data File!"};
    case TLoadStatus::Ok:
      break;
  }
  for (int n : options.Smooth) rec.Data().Smooth(n);
  if (!WriteAsciiExport(rec.Data(), file, job.Output, options.Mode))
    return {TAsciiStatus::WriteFailed, "Error writing export File!"};
  return {};
}

std::vector<TAsciiResult> RunAsciiBatch(const std::vector<TAsciiJob>& jobs,
                                        const TAsciiOptions& options, int threads,
                                        const TAsciiProgress& progress) {
  std::vector<TAsciiResult> results(jobs.size());
  std::atomic<size_t> next{0};
  std::mutex lock;
  size_t done = 0;
  auto worker = [&] {
    auto rec = std::make_unique<TVQRRecording>();
    auto file = std::make_unique<TVQRAsciiFile>();
    for (size_t i = next++; i < jobs.size(); i = next++) {
      results[i] = ExportAsciiFile(*rec, *file, jobs[i], options);
      if (progress) {
        std::lock_guard<std::mutex> guard(lock);
        progress(++done, jobs.size(), jobs[i]);
      }
    }
  };
  const size_t count = std::clamp<size_t>(threads < 1 ? 1 : static_cast<size_t>(threads), 1,
                                          std::max<size_t>(1, jobs.size()));
  std::vector<std::thread> pool;
  for (size_t t = 1; t < count; ++t) pool.emplace_back(worker);
  worker();
  for (auto& t : pool) t.join();
  return results;
}
