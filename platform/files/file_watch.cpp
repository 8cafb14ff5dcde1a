#include "platform/files/file_watch.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace plat {
namespace {

std::atomic<std::size_t> gOpens{0};
std::atomic<bool> gWatched{false};

struct Watch {
  std::mutex lock;
  std::shared_ptr<const std::function<void(const FileEvent&)>> watch;
};

Watch& TheWatch() {
  static Watch* watch = new Watch;  // lives until process exit
  return *watch;
}

}  // namespace

std::size_t FileOpens() { return gOpens.load(); }

void WatchFileSteps(std::function<void(const FileEvent&)> watch) {
  Watch& w = TheWatch();
  std::lock_guard hold(w.lock);
  const bool on = static_cast<bool>(watch);
  w.watch = on ? std::make_shared<const std::function<void(const FileEvent&)>>(std::move(watch)) : nullptr;
  gWatched.store(on);
}

void ReportFileStep(const FileEvent& event) {
  if (event.step == FileStep::kOpen) gOpens.fetch_add(1);
  if (!gWatched.load()) return;
  std::shared_ptr<const std::function<void(const FileEvent&)>> watch;
  {
    Watch& w = TheWatch();
    std::lock_guard hold(w.lock);
    watch = w.watch;
  }
  if (watch) (*watch)(event);  // outside the lock: the watch may take its time
}

}  // namespace plat
