#include "session/AsciiBatch.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "data/atomicfile.h"
#include "export/expfile.h"

namespace {
// The status text, with the writer's reason when it has one ("cannot write
// ...: No space left on device").
TAsciiResult WriteFailed(const std::string& why) {
  std::string text = "Error writing export File!";
  if (!why.empty()) text += " (" + why + ")";
  return {TAsciiStatus::WriteFailed, text};
}

// Files written completely, waiting to be flushed to disk and renamed.
class TCommitQueue {
 public:
  static constexpr size_t kCommitters = 8;
  static constexpr size_t kMaxWaiting = 32;  // each holds an open file

  explicit TCommitQueue(std::function<void(size_t, bool, const std::string&)> committed)
      : committed_(std::move(committed)) {}

  void Push(size_t index, TAtomicFile file) {
    std::unique_lock<std::mutex> guard(lock_);
    room_.wait(guard, [&] { return waiting_.size() < kMaxWaiting; });
    waiting_.push_back({index, std::move(file)});
    // Another thread when more files wait than threads are free for them.
    if (threads_.size() < kCommitters && threads_.size() - busy_ < waiting_.size())
      threads_.emplace_back([this] { Run(); });
    ready_.notify_one();
  }

  void Finish() {
    {
      std::lock_guard<std::mutex> guard(lock_);
      closing_ = true;
    }
    ready_.notify_all();
    for (auto& t : threads_) t.join();
  }

 private:
  struct Entry {
    size_t index;
    TAtomicFile file;
  };

  void Run() {
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
      ready_.wait(guard, [&] { return closing_ || !waiting_.empty(); });
      if (waiting_.empty()) return;
      Entry e = std::move(waiting_.front());
      waiting_.pop_front();
      ++busy_;
      room_.notify_one();
      guard.unlock();
      const bool ok = e.file.Commit(false);  // the folders once at the end
      committed_(e.index, ok, e.file.Error());
      guard.lock();
      --busy_;
    }
  }

  std::function<void(size_t, bool, const std::string&)> committed_;
  std::mutex lock_;
  std::condition_variable ready_, room_;
  std::deque<Entry> waiting_;
  std::vector<std::thread> threads_;
  size_t busy_ = 0;
  bool closing_ = false;
};
}  // namespace

TAsciiResult ExportAsciiFile(TVQRSession& session, TVQRAsciiFile& file, const TAsciiJob& job,
                             const TAsciiOptions& options, TAtomicFile* later) {
  session.Data().Axes().SetScaling({options.MaxHour, options.UserFactor});
  if (const TLoadStatus status = session.Load(job.Input); status != TLoadStatus::Ok)
    return {static_cast<TAsciiStatus>(status), LoadStatusText(status)};  // same codes
  for (int n : options.Smooth) session.Smooth(n);
  if (session.ExportAscii(job.Output, file, options.Mode, later) != TExportStatus::Ok)
    return WriteFailed(!file.ErrorText().empty() ? file.ErrorText()
                       : later                   ? later->Error()
                                                 : std::string());
  return {};
}

std::vector<TAsciiResult> RunAsciiBatch(const std::vector<TAsciiJob>& jobs,
                                        const TAsciiOptions& options, int threads,
                                        const TAsciiProgress& progress) {
  std::vector<TAsciiResult> results(jobs.size());
  std::atomic<size_t> next{0};
  std::mutex lock;
  size_t done = 0;
  auto finished = [&](size_t i) {
    if (!progress) return;
    std::lock_guard<std::mutex> guard(lock);
    progress(++done, jobs.size(), jobs[i]);
  };
  TCommitQueue commits([&](size_t i, bool ok, const std::string& why) {
    if (!ok) results[i] = WriteFailed(why);
    finished(i);
  });
  auto worker = [&] {
    auto session = std::make_unique<TVQRSession>();
    auto file = std::make_unique<TVQRAsciiFile>();
    for (size_t i = next++; i < jobs.size(); i = next++) {
      TAtomicFile written;
      results[i] = ExportAsciiFile(*session, *file, jobs[i], options, &written);
      if (written.IsOpen())
        commits.Push(i, std::move(written));
      else
        finished(i);
    }
  };
  const size_t count = std::clamp<size_t>(threads < 1 ? 1 : static_cast<size_t>(threads), 1,
                                          std::max<size_t>(1, jobs.size()));
  std::vector<std::thread> pool;
  for (size_t t = 1; t < count; ++t) pool.emplace_back(worker);
  worker();
  for (auto& t : pool) t.join();
  commits.Finish();
  // Every rename above reaches the disk with its folder's one flush.
  std::set<std::string> folders;
  for (const TAsciiJob& job : jobs) {
    const std::string folder = std::filesystem::path(job.Output).parent_path().string();
    folders.insert(folder.empty() ? "." : folder);
  }
  for (const std::string& folder : folders) SyncFolder(folder);
  return results;
}
