// Steps carried out one after the other, where a step may wait for the system (a stand-by that
// returns after the wake-up, a sound file being opened) and hands over to the next when its answer
// comes: never in a nested event loop, so the clock and the countdown go on meanwhile. The chain
// deletes itself after its last step; destroyed early (the program ends), it runs no further step.
#pragma once

#include <QObject>

#include <deque>
#include <functional>

namespace zarvo {

class StepChain final : public QObject {
  Q_OBJECT
public:
  // Calls the next step; a step calls it exactly once, at once or later. Calling it after the
  // chain is gone does nothing.
  using Next = std::function<void()>;
  using Step = std::function<void(const Next& next)>;

  explicit StepChain(QObject* parent) : QObject(parent) {}

  void Add(Step step) { steps_.push_back(std::move(step)); }
  // Runs the first step; the chain then moves on by itself.
  void Run();
  // Whether a step is waiting for its answer.
  bool Waiting() const { return waiting_; }

private:
  void RunNext();

  std::deque<Step> steps_;
  bool waiting_ = false;
};

} // namespace zarvo
