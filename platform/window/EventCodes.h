#pragma once

namespace rt {

// Event codes that window procedures test for.
inline constexpr int ControlAccepted = 1;
inline constexpr int InputRejected = 0x1A;
inline constexpr int CloseRequested = 0x201;
inline constexpr int WindowOpened = 0x203;
inline constexpr int FocusGained = 0x206;
// The layer's own: a procedure that this thread started ended by an error
// before its work was done. The control is the ended thread's number.
inline constexpr int ThreadFailed = 0x7C01;

// Set to "1", the window is never shown.
inline constexpr int HiddenProperty = 0x7C65;

// Thread numbers that rt::post understands besides real ones.
inline constexpr int OwnThread = 0;
inline constexpr int FirstThread = 1;

struct Event {
    int code = 0;
    int control = 0;  // the control or menu entry the event concerns; 0: none
    friend bool operator==(const Event&, const Event&) = default;
};

}  // namespace rt
