#pragma once

#include <atomic>

namespace com {

// The module's lock count: live objects and IClassFactory::LockServer.
// DllCanUnloadNow answers from it.
class ModuleLock {
 public:
  ModuleLock() { ++count_; }
  ModuleLock(const ModuleLock&) : ModuleLock() {}
  ModuleLock& operator=(const ModuleLock&) = default;
  ~ModuleLock() { --count_; }

  static void Lock() { ++count_; }
  static void Unlock() { --count_; }
  static long Count() { return count_; }

 private:
  static inline std::atomic<long> count_{0};
};

}  // namespace com
