#pragma once

/* What the program and a presenter module hand each other, in plain C. The
 * program links its own copy of the C++ runtime and the module links the
 * shared one, so nothing of either runtime may cross: no C++ library type, no
 * exception, no allocation that the other side frees. Only these structs,
 * texts given as a pointer and a length, arrays given with their counts,
 * integers and function pointers cross, in both directions.
 *
 * The program loads the module by file name and finds one entry point in it.
 * The interface number changes whenever anything here changes, so that a
 * module of another version is refused instead of misread; each table also
 * carries its size, set by the side that made it.
 *
 * Who owns what:
 * - Everything the program hands in (views, texts, the offer) is the
 *   program's and valid only during the call; the module copies what it
 *   keeps.
 * - The user-action table handed to attach() is the program's; the module
 *   copies the struct, and the context it names stays valid until the
 *   presenter's destroy() has returned.
 * - The presenter table is copied by the program; the `self` it names is the
 *   module's and stays valid until destroy(self), which the program calls
 *   once, last, from the first thread.
 * - No function of either table lets an exception out: each side catches
 *   what its own code throws. A text's `data` may be null when `length` is 0,
 *   and holds no terminating NUL that the reader may rely on. */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KELDWICK_MODULE_INTERFACE 4
#define KELDWICK_MODULE_FILE_NAME "keldwick-qt.so"
#define KELDWICK_MODULE_ENTRY_NAME "keldwickMakePresenter"
/* Room for the one-line reason a module gives no presenter, its NUL included. */
#define KELDWICK_MODULE_ERROR_SIZE 256

typedef struct KwText {
    const char* data;
    size_t length;
} KwText;

/* Colours as the stored definitions hold them: -1 not given; top bit set: a
 * system colour's index; otherwise 0x00BBGGRR. Sizes and positions in the
 * window layer's units, INT32_MIN where not given. */
typedef struct KwFont {
    KwText face;  /* empty: not given */
    int32_t size; /* 0: not given */
    int32_t textColour;
} KwFont;

typedef struct KwControl {
    int32_t kind; /* 2 static text, 8 value display, 9 push button */
    int32_t id;
    int32_t flags;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    KwText text;
    int32_t hasOwnFont;
    KwFont ownFont;
    KwFont font; /* resolved against the window's */
    KwText picture;
    int32_t background;
    int32_t variableType;
    int32_t variableLength;
} KwControl;

typedef struct KwMenuEntry {
    int32_t id;
    int32_t flags;
    KwText text;
    KwText message;
    int32_t actionCode;
    const struct KwMenuEntry* items;
    size_t itemCount;
} KwMenuEntry;

typedef struct KwWindowDescription {
    KwText moduleKey;
    KwText windowKey;
    KwText title;
    int32_t flags;
    int32_t windowFlags;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    int32_t hasFont;
    KwFont font;
    const int32_t* zoneWidths;
    size_t zoneCount;
    const KwControl* controls; /* chain order */
    size_t controlCount;
    int32_t hasMenuBar;
    const KwMenuEntry* menus;
    size_t menuCount;
} KwWindowDescription;

typedef struct KwControlText {
    int32_t control;
    KwText text;
} KwControlText;

/* A window the moment it is first shown. */
typedef struct KwWindowView {
    int32_t id;
    int32_t isFrame;
    const KwWindowDescription* description;
    const KwControlText* texts; /* the current text of every control */
    size_t textCount;
    int32_t focus; /* 0: none */
} KwWindowView;

/* The program's side: what a person did. Each call only queues an event. */
typedef struct KwUserActions {
    size_t size; /* sizeof(KwUserActions) of the program; another size is ignored */
    void* context;
    void (*pressed)(void* context, int32_t window, int32_t control);
    void (*chose)(void* context, int32_t window, int32_t entry);
    void (*activated)(void* context, int32_t window);
    void (*closeRequested)(void* context, int32_t window);
    void (*inputRejected)(void* context, int32_t window, int32_t control);
    void (*exitRequested)(void* context);
} KwUserActions;

/* The module's side: the presenter's calls, with the rules of the program's
 * presenter contract (requests are queued and carried out in order). */
typedef struct KwPresenter {
    size_t size; /* sizeof(KwPresenter) of the module */
    void* self;
    void (*attach)(void* self, const KwUserActions* actions);
    void (*show)(void* self, const KwWindowView* view);
    void (*setText)(void* self, int32_t window, int32_t control, KwText text);
    void (*focus)(void* self, int32_t window, int32_t control);
    void (*close)(void* self, int32_t window);
    void (*beep)(void* self);
    void (*tellUser)(void* self, KwText text);
    void (*setZone)(void* self, int32_t zone, KwText text, KwText tip);
    void (*setAbout)(void* self, KwText text);
    void (*waitForWork)(void* self);
    void (*wakeUp)(void* self);
    void (*shutdown)(void* self);
    void (*destroy)(void* self);
} KwPresenter;

/* Filled by the entry point: a presenter (`presenter.self` not null), or the
 * reason there is none. */
typedef struct KwModuleOffer {
    size_t size; /* sizeof(KwModuleOffer) of the program */
    KwPresenter presenter;
    char error[KELDWICK_MODULE_ERROR_SIZE]; /* NUL-terminated */
} KwModuleOffer;

/* Returns the module's interface number, and fills `offer` only when that
 * equals `hostInterface`; returns 0 when the offer's size is not the
 * module's. Call on the first thread, which becomes the presenter's own. */
typedef int (*KwModuleEntry)(int hostInterface, KwModuleOffer* offer);

#ifdef __cplusplus
}
#endif
