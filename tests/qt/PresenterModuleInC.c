/* The module interface as a C compiler reads it; the sizes let the C++ side
 * see that both lay the structs out alike. */
#include "platform/window/PresenterModule.h"

size_t keldwickOfferSizeInC(void) {
    return sizeof(KwModuleOffer);
}

size_t keldwickViewSizeInC(void) {
    return sizeof(KwWindowView) + sizeof(KwWindowDescription) + sizeof(KwControl) + sizeof(KwMenuEntry) +
           sizeof(KwUserActions);
}
