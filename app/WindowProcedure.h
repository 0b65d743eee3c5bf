#pragma once

#include <string>

#include "platform/window/Runtime.h"

namespace keldwick {

// The shape every window procedure follows: prepare the window from its
// stored definition, open it (hidden in hidden mode), run its event loop with
// the handling both windows share, and close it on the way out. A window adds
// its definition, its opening work and its accepted-control work.
class WindowProcedure {
  public:
    virtual ~WindowProcedure() = default;

    // False when the window could not be prepared; the reason went to standard error.
    bool run();

  protected:
    [[nodiscard]] virtual std::string prepare(rt::Window& window) = 0;
    virtual void openingWork() = 0;
    virtual void acceptedWork() = 0;
    virtual bool releasesDefinition() const = 0;

  private:
    void sharedTurn(bool& windowShown);
};

}  // namespace keldwick
