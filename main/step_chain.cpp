#include "main/step_chain.h"

#include <QPointer>

#include <memory>

namespace zarvo {

void StepChain::Run() { RunNext(); }

void StepChain::RunNext() {
  if (steps_.empty()) {
    waiting_ = false;
    deleteLater();
    return;
  }
  const Step step = std::move(steps_.front());
  steps_.pop_front();
  const QPointer<StepChain> self(this);
  // A step that answers twice must not run the rest twice.
  auto called = std::make_shared<bool>(false);
  waiting_ = true;
  step([self, called] {
    if (!self || *called)
      return;
    *called = true;
    self->RunNext();
  });
}

} // namespace zarvo
