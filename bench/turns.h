#pragma once

// An operation and its baseline measured in turns, once each per iteration:
// the one that went second goes first the next time, so that neither always
// meets a warm cache or a disk still busy with the other's writes.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "file_patterns.h"

namespace vellanor::bench {

class Turns {
 public:
  explicit Turns(bool operationFirst = true) : operationFirst_(operationFirst) {}

  // Runs both functions, each returning the seconds it took, and makes the
  // operation's time the iteration's.
  template <typename Operation, typename Baseline>
  void Run(benchmark::State& state, Operation operation, Baseline baseline) {
    double operationSeconds = 0;
    double baselineSeconds = 0;
    if (operationFirst_) {
      operationSeconds = operation();
      baselineSeconds = baseline();
    } else {
      baselineSeconds = baseline();
      operationSeconds = operation();
    }
    operationFirst_ = !operationFirst_;
    state.SetIterationTime(operationSeconds);
    operation_.push_back(operationSeconds);
    baseline_.push_back(baselineSeconds);
    ratios_.push_back(operationSeconds / baselineSeconds);
  }

  // The medians, as "<operation>_ms" and "<baseline>_ms", and the median of
  // the ratios as "ratio".
  void Report(benchmark::State& state, const std::string& operationName,
              const std::string& baselineName) {
    state.counters[operationName + "_ms"] = 1000 * Median(operation_);
    state.counters[baselineName + "_ms"] = 1000 * Median(baseline_);
    state.counters["ratio"] = Median(ratios_);
  }

 private:
  bool operationFirst_;
  std::vector<double> operation_;
  std::vector<double> baseline_;
  std::vector<double> ratios_;
};

}  // namespace vellanor::bench
