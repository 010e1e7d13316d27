#pragma once

// Fails one chosen system call of the data files on purpose and records every call, through the
// table in SystemCalls.h, so that a test can walk a failure over every call a save or a start
// makes, as storage engines are tested.

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <fcntl.h>

#include <cerrno>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "SystemCalls.h"

namespace larkspin::testing {

struct SystemCall {
  std::string name;  // "open", "write", "fdatasync"...
  std::string path;  // the path it names, or the one its descriptor was opened by
  std::string to;    // rename's new name
  int flags = 0;     // open's
  long result = -1;
};

class FaultInjector {
 public:
  // Every call is recorded. Call number `failAt` (from 1) of those named in `failing` fails with
  // `error` without reaching the system; with 0, none fails.
  explicit FaultInjector(int failAt = 0, int error = EIO,
                         std::set<std::string> failing = AllCalls())
      : failAt_(failAt), error_(error), failing_(std::move(failing)), saved_(System()) {
    current_ = this;
    using S = SystemCalls;
    System() = S{
        .open = [](const char* p, int f,
                   mode_t m) { return Call("open", p, f, &S::open, p, f, m); },
        .close = [](int fd) { return Call("close", fd, 0, &S::close, fd); },
        .read = [](int fd, void* b,
                   std::size_t n) { return Call("read", fd, 0, &S::read, fd, b, n); },
        .write = [](int fd, const void* b,
                    std::size_t n) { return Call("write", fd, 0, &S::write, fd, b, n); },
        .fdatasync = [](int fd) { return Call("fdatasync", fd, 0, &S::fdatasync, fd); },
        .fsync = [](int fd) { return Call("fsync", fd, 0, &S::fsync, fd); },
        .fchmod = [](int fd, mode_t m) { return Call("fchmod", fd, 0, &S::fchmod, fd, m); },
        .fstat = [](int fd, struct stat* s) { return Call("fstat", fd, 0, &S::fstat, fd, s); },
        .stat = [](const char* p, struct stat* s) { return Call("stat", p, 0, &S::stat, p, s); },
        .lstat = [](const char* p, struct stat* s) { return Call("lstat", p, 0, &S::lstat, p, s); },
        .rename = [](const char* f,
                     const char* t) { return Call("rename", f, 0, &S::rename, f, t); },
        .unlink = [](const char* p) { return Call("unlink", p, 0, &S::unlink, p); },
    };
  }
  ~FaultInjector() {
    System() = saved_;
    current_ = nullptr;
  }
  FaultInjector(const FaultInjector&) = delete;
  FaultInjector& operator=(const FaultInjector&) = delete;

  static std::set<std::string> AllCalls() {
    return {"open",   "close", "read", "write", "fdatasync", "fsync",
            "fchmod", "fstat", "stat", "lstat", "rename",    "unlink"};
  }

  // How many calls were made.
  int Calls() const { return static_cast<int>(trace_.size()); }
  bool Injected() const { return injected_ >= 0; }
  const SystemCall& InjectedCall() const { return trace_[injected_]; }

  // Whether everything written to `path` through a descriptor was synced to the disk after.
  bool WrittenDurably(const std::string& path) const {
    bool synced = true;
    for (const SystemCall& call : trace_) {
      if (call.path != path || call.result < 0) continue;
      if (call.name == "write") synced = false;
      if (call.name == "fdatasync" || call.name == "fsync") synced = true;
    }
    return synced;
  }

  // Whether `target` got its present bytes by a rename that lasts through a crash: its
  // temporary file synced after its last write and closed without an error (which may tell of a
  // lost write), and a folder synced after the last rename.
  bool RenamedDurably(const std::string& target) const {
    std::set<std::string> created, synced, folders;
    bool renamed = false;
    bool folderSynced = false;
    for (const SystemCall& call : trace_) {
      if (call.name == "close" && call.result < 0) synced.erase(call.path);
      if (call.result < 0) continue;  // a failed call changed nothing
      if (call.name == "open" && (call.flags & O_CREAT)) created.insert(call.path);
      if (call.name == "open" && (call.flags & O_DIRECTORY)) folders.insert(call.path);
      if (call.name == "write") synced.erase(call.path);
      if ((call.name == "fdatasync" || call.name == "fsync") && folders.count(call.path)) {
        folderSynced = true;
      } else if (call.name == "fdatasync" || call.name == "fsync") {
        synced.insert(call.path);
      }
      if (call.name == "rename") {
        // Only files this save wrote need their data synced; a file moved aside keeps its own.
        const bool lasts = !created.count(call.path) || synced.count(call.path);
        if (!lasts) return false;
        renamed = renamed || call.to == target;
        folderSynced = false;
      }
    }
    return renamed && folderSynced;
  }

 private:
  // Runs the real call unless it is the one to fail; records it either way, with the path it
  // names (or its descriptor was opened by) and, for rename, the new name.
  template <typename Function, typename... Args>
  static auto Call(const char* name, const std::string& path, int flags,
                   Function SystemCalls::*real, Args... args)
      -> std::invoke_result_t<Function, Args...> {
    FaultInjector& self = *current_;
    std::string to;
    if constexpr (sizeof...(Args) == 2 &&
                  std::is_same_v<Function, int (*)(const char*, const char*)>) {
      to = std::get<1>(std::tuple(args...));
    }
    self.trace_.push_back({name, path, to, flags});
    if (self.failing_.count(name) && ++self.eligible_ == self.failAt_) {
      self.injected_ = static_cast<int>(self.trace_.size()) - 1;
      errno = self.error_;
      return -1;
    }
    const auto result = (RealSystemCalls().*real)(args...);
    const int error = errno;
    self.trace_.back().result = result;
    if (std::string(name) == "open" && result >= 0) self.paths_[static_cast<int>(result)] = path;
    errno = error;
    return result;
  }
  template <typename Function, typename... Args>
  static auto Call(const char* name, int fd, int flags, Function SystemCalls::*real, Args... args)
      -> std::invoke_result_t<Function, Args...> {
    return Call(name, current_->paths_[fd], flags, real, args...);
  }

  inline static FaultInjector* current_ = nullptr;
  int failAt_;
  int error_;
  std::set<std::string> failing_;
  SystemCalls saved_;
  int eligible_ = 0;
  int injected_ = -1;
  std::vector<SystemCall> trace_;
  std::map<int, std::string> paths_;
};

}  // namespace larkspin::testing
#endif
