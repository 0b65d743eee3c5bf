#pragma once

#include "platform/base/Result.h"
#include "platform/window/PrepareError.h"
#include "platform/window/RuntimeTypes.h"

namespace keldwick {

// The shape every window procedure follows: prepare the window from its
// stored definition, open it (hidden in hidden mode), run its event loop with
// the handling both windows share, and close it on the way out. A window adds
// its definition, its opening work and its accepted-control work.
class WindowProcedure {
  public:
    virtual ~WindowProcedure() = default;

    // Fails, having done nothing else, when the window could not be prepared.
    rt::Result<void, rt::PrepareError> run();

  protected:
    virtual rt::Result<void, rt::PrepareError> prepare(rt::Window& window) = 0;
    virtual void openingWork() = 0;
    virtual void acceptedWork() = 0;
    virtual bool releasesDefinition() const = 0;

  private:
    void sharedTurn(bool& windowShown);
};

// Says on standard error why a window could not be prepared: nothing on the
// screen could, and the person who starts the program needs to know.
void reportUnpreparedWindow(const rt::PrepareError& error);

}  // namespace keldwick
