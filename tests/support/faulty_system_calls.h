#pragma once

#include <cerrno>
#include <functional>
#include <vector>

#include "platform/system_calls.h"

namespace vellanor::test {

// The real system calls, counted and logged, one of which can be made to fail
// (with EIO unless told otherwise), or to stop the program there as a crash would: that call and
// every later one are not made, but files still open are closed, as the system does for a program
// that died.
class FaultySystemCalls : public platform::SystemCalls {
 public:
  enum class Fault { None, Fail, Crash };

  // `call` counts from 1 over every call since the last Reset.
  void Inject(Fault fault, int call, int error = EIO) {
    Reset();
    fault_ = fault;
    at_ = call;
    error_ = error;
  }
  void Reset() {
    fault_ = Fault::None;
    at_ = 0;
    crashed_ = false;
    log.clear();
  }
  bool Crashed() const { return crashed_; }

  std::vector<Call> log;  // every call asked for, made or not

 protected:
  long Perform(Call call, const std::function<long()>& real) override {
    log.push_back(call);
    if (static_cast<int>(log.size()) == at_) {
      if (fault_ == Fault::Fail) {
        errno = error_;
        return -1;
      }
      crashed_ = fault_ == Fault::Crash;
    }
    if (crashed_ && call != Call::Close) {
      errno = EIO;
      return -1;
    }
    return real();
  }

 private:
  Fault fault_ = Fault::None;
  int at_ = 0;
  int error_ = EIO;
  bool crashed_ = false;
};

}  // namespace vellanor::test
