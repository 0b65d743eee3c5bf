// A window module built for an older program: its entry answers with its own
// interface number and, as every module must then, leaves the offer alone.
extern "C" __attribute__((visibility("default"))) int keldwickMakePresenter(int /*hostInterface*/,
                                                                            void* /*offer*/) {
    return 2;
}
