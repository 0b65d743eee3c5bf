#pragma once

namespace keldwick {

// True when the program runs unseen. Set once on the first thread before any
// window or second thread exists; only read afterwards, so it needs no lock.
extern bool HiddenMode;

}  // namespace keldwick
