// The comparison: further recordings drawn beside the open one.

#include <sys/stat.h>

#include <algorithm>
#include <climits>

#include "chart/vqrdiagram.h"
#include "data/processgauge.h"
#include "session/Session.h"
#include "session/compared.h"
#include "settings/settings.h"

std::string FileNamePart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::time_t TVQRSession::StartTime(const std::string& path, int32_t lastTime) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  return st.st_mtime - lastTime;
}

TTimeAlign AlignFromSettings(TVQRShowSettings& settings) {
  bool clock = false;
  settings.TakeBool(settings.DiagramTimeOfDay, 1, clock);
  return clock ? TTimeAlign::ClockTime : TTimeAlign::FromStart;
}

void TVQRSession::SetTimeAlign(TTimeAlign align) {
  if (align == align_) return;
  align_ = align;
  if (!compared_.empty()) FitComparison();
}

TLoadStatus TVQRSession::AddCompared(const std::string& path) {
  if (ComparedCount() >= kMaxCompared) return TLoadStatus::OpenFailed;
  auto c = std::make_unique<TCompared>();
  c->Store.Clear();
  c->Data.SetStore(&c->Store);
  c->Data.SetLogFile(&c->Reader);
  c->Data.SetMetaData(&c->Meta);
  c->Data.SetGauge(gauge_);
  c->Data.Axes().SetScaling(data_->Axes().Scaling());
  c->Data.SetZeroPoint(data_->ZeroPoint());
  c->Reader.SetFileName(path);
  if (!c->Reader.Open()) return TLoadStatus::OpenFailed;
  if (gauge_) gauge_->Start(c->Reader.GetSize(), "Lesen:");
  const bool ok = c->Data.ReadData();
  if (gauge_) gauge_->Complete();
  c->Reader.Close();
  if (!ok) return TLoadStatus::NotDecoded;
  c->Data.SetGauge(nullptr);  // drawing reports its progress through the open recording
  c->Name = FileNamePart(path);
  c->Path = path;
  c->Start = StartTime(path, c->Data.Recording().LastTime());
  compared_.push_back(std::move(c));
  FitComparison();
  return TLoadStatus::Ok;
}

TVqrDataObjectNew& TVQRSession::ComparedData(int i) { return compared_.at(i)->Data; }

const std::string& TVQRSession::ComparedPath(int i) const { return compared_.at(i)->Path; }

void TVQRSession::EndComparison() {
  if (compared_.empty()) return;
  compared_.clear();
  data_->FitOwnAxes();
  diagram_->SetComparison({}, {}, {});
}

void TVQRSession::SetZeroPoint(bool on) {
  data_->SetZeroPoint(on);
  for (const auto& c : compared_) c->Data.SetZeroPoint(on);
}

bool TVQRSession::ZeroPoint() const { return data_->ZeroPoint(); }

void TVQRSession::FitComparison() {
  data_->FitOwnAxes();
  if (compared_.empty()) {
    diagram_->SetComparison({}, {}, {});
    return;
  }
  const AxisRange ownTime = data_->Axes().Time();
  const AxisRange ownValue = data_->Axes().Value();

  // Aligned by the clock, every run starts at its distance from the earliest
  // start; a run whose start is not known starts there too.
  std::time_t first = start_;
  for (const auto& c : compared_)
    if (c->Start != 0) first = first == 0 ? c->Start : std::min(first, c->Start);
  auto offset = [&](std::time_t start) -> int32_t {
    if (align_ == TTimeAlign::FromStart || start == 0 || first == 0) return 0;
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{start} - first, 0, INT32_MAX));
  };

  std::vector<TDiagramRun> runs;
  std::vector<TAxesRun> fitted;
  runs.push_back({data_.get(), offset(start_), name_});
  for (const auto& c : compared_) runs.push_back({&c->Data, offset(c->Start), c->Name});
  for (const TDiagramRun& run : runs) fitted.push_back({&run.Data->Recording(), run.TimeOffset});
  data_->Axes().FitOver(fitted);
  diagram_->SetComparison(std::move(runs), ownTime, ownValue);
}
