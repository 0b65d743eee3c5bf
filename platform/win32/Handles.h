#pragma once

#include <windows.h>

#include <utility>

namespace rt::win32 {

// One handle of the system, given back when its owner goes, so that no path
// (a failure half way through making something above all) frees by hand. A
// null handle owns nothing. release() hands the handle over to whoever frees
// it from then on: the system, once a menu is a window's or memory the
// clipboard's, or a dialog that may replace it.
template <typename Handle, typename Free>
class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle handle) : m_handle(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : m_handle(std::exchange(other.m_handle, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        reset(std::exchange(other.m_handle, Handle{}));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Handle{}; }
    [[nodiscard]] Handle release() { return std::exchange(m_handle, Handle{}); }
    // The old handle is let go only once it is no longer ours to reach:
    // freeing a window sends it messages, which may look here.
    void reset(Handle handle = Handle{}) {
        if (const Handle old = std::exchange(m_handle, handle); old != Handle{}) {
            Free{}(old);
        }
    }

  private:
    Handle m_handle{};
};

namespace detail {

// A window of ours carries its object; it forgets it first, so that the
// messages its destruction sends reach no object that is going away.
struct DestroyOwnWindow {
    void operator()(HWND window) const {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        ::DestroyWindow(window);
    }
};
struct FreeMenu {
    void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
struct FreeAcceleratorTable {
    void operator()(HACCEL table) const { ::DestroyAcceleratorTable(table); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
struct FreeGlobalMemory {
    void operator()(HGLOBAL memory) const { ::GlobalFree(memory); }
};

}  // namespace detail

using OwnWindow = Owned<HWND, detail::DestroyOwnWindow>;
using MenuHandle = Owned<HMENU, detail::FreeMenu>;
using AcceleratorTable = Owned<HACCEL, detail::FreeAcceleratorTable>;
// Stock objects ignore DeleteObject, so one may stand in for a made one.
template <typename Object>
using GdiObject = Owned<Object, detail::DeleteGdiObject>;
using KernelHandle = Owned<HANDLE, detail::CloseKernelHandle>;
using GlobalMemory = Owned<HGLOBAL, detail::FreeGlobalMemory>;

}  // namespace rt::win32
