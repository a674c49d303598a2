#pragma once

#include <utility>

namespace lintavo::base {

// Stands in for a service for as long as it lives: while one is alive, the service calls its
// function instead of doing its own work (tests answer dialogs and record errors this way; the
// main window gives the help key its command). Stand-ins of one kind nest: the previous one comes
// back when this one goes. `Kind`, a type declared for the purpose, tells the kinds apart. The
// program runs its windows on one thread, and so do the stand-ins.
template <typename Kind, typename Function>
class ScopedStandIn {
 public:
  explicit ScopedStandIn(Function function)
      : function_(std::move(function)), previous_(innermost_) {
    innermost_ = this;
  }
  ScopedStandIn(const ScopedStandIn&) = delete;
  ScopedStandIn& operator=(const ScopedStandIn&) = delete;
  ~ScopedStandIn() { innermost_ = previous_; }

  // The function of the innermost stand-in alive; nullptr when none is.
  static const Function* Current() {
    return innermost_ == nullptr ? nullptr : &innermost_->function_;
  }

 private:
  Function function_;
  ScopedStandIn* previous_;
  static inline ScopedStandIn* innermost_ = nullptr;
};

}  // namespace lintavo::base
