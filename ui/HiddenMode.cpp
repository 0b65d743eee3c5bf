#include "HiddenMode.h"

namespace keldwick {

bool HiddenMode = false;

}  // namespace keldwick
