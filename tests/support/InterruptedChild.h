// A process interrupted at a chosen moment of its work: killed there, or
// gone while a copy of it still holds what it had open and locked (as a
// module in another pid namespace would, whose process id nobody here
// sees).
//
//   vntest::InterruptedChild writer(
//       vntest::Interrupt::Kill, [](auto moment) { vntest::AtNextFlush(moment); },
//       [&] { store.WriteValue(key, "x", "1"); });
//   ASSERT_TRUE(writer.Caught());  // its process is gone; writer.Pid() names it
#pragma once

#include <sys/types.h>

#include <functional>

namespace vntest {

enum class Interrupt {
  Kill,      // the process is killed at the moment
  HandOver,  // it ends there, leaving a stopped copy until the object goes
};

// The object's end kills the copy and returns once it has ended.

class InterruptedChild {
 public:
  using Moment = std::function<void()>;
  // Forks a child that passes `arm` the moment's action (for `arm` to run at
  // that moment), then does `work` and ends. Returns once the child is gone.
  InterruptedChild(Interrupt how, const std::function<void(Moment)>& arm,
                   const std::function<void()>& work);
  ~InterruptedChild();
  InterruptedChild(const InterruptedChild&) = delete;
  InterruptedChild& operator=(const InterruptedChild&) = delete;

  // The moment came and the child was interrupted there.
  bool Caught() const { return caught_; }
  // The child's process id (its process is gone).
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  pid_t copy_ = -1;  // the stopped copy
  bool caught_ = false;
};

}  // namespace vntest
