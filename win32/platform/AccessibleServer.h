#pragma once

#include "core/access/AccessTree.h"
#include "win32/platform/Dpi.h"

#include <windows.h>
#include <unknwn.h>

#include <optional>

namespace meltemix {

// What a skinned window answers for the object that describes it: its handle, place and density,
// its parts as they stand now, where the keyboard focus is, and what to do when a screen
// reader acts on a part.
class AccessibleHost {
public:
    virtual ~AccessibleHost() = default;
    virtual HWND AccessibleWindow() const = 0;
    // Where the client area's top-left corner is on the screen, and whether it is shown.
    virtual POINT AccessibleOrigin() const = 0;
    virtual bool AccessibleShown() const = 0;
    virtual Dpi AccessibleDpi() const = 0;
    virtual const AccessTree& AccessibleParts() = 0;
    // The part with the keyboard focus while the window has it (ChildSelf for the window
    // itself); NoChild while the window lacks the focus.
    virtual int AccessibleFocus() const = 0;
    // A screen reader's default action on a part that has one. Called inside the reader's
    // request: the window does it from its message loop, not from here.
    virtual void AccessibleDefaultAction(int child) = 0;
    // A screen reader moves the keyboard focus to a part; false when it cannot have it.
    virtual bool AccessibleTakeFocus(int child) = 0;
};

class WindowAccessible;

// A window's MSAA server: the IAccessible object it hands out for OBJID_CLIENT, made at the
// first request and kept until the window goes, and the events that tell screen readers of
// a change. The object holds only a weak link to the window: once the window has gone
// (Disconnect, at WM_DESTROY or with this owner), clients still holding it, in this process
// or another, get CO_E_OBJNOTCONNECTED and nothing else.
class AccessibleServer {
public:
    explicit AccessibleServer(AccessibleHost& host);
    ~AccessibleServer();
    AccessibleServer(const AccessibleServer&) = delete;
    AccessibleServer& operator=(const AccessibleServer&) = delete;

    // The answer to WM_GETOBJECT: the object for OBJID_CLIENT (whose identifier arrives
    // zero- or sign-extended), nothing for any other request, which the system's default
    // handling answers.
    std::optional<LRESULT> Answer(WPARAM wParam, LPARAM lParam);
    void Disconnect();

    // NotifyWinEvent for a part of the client area (ChildSelf: the window's own object).
    void Raise(DWORD event, int child) const;
    // The events of a change to a tree of `childCount` parts: names, parts that appeared or
    // went, and, where the count changed (`reordered`), the new order of the whole.
    void Tell(const AccessChanges& changes, int childCount, bool reordered) const;

private:
    AccessibleHost& host_;
    WindowAccessible* object_ = nullptr; // one reference held while connected
    bool disconnected_ = false;
};

// The object alone, for the platform's own tests: made with one reference, which the caller
// releases; `Disconnect` cuts its link to the host.
WindowAccessible* MakeWindowAccessible(AccessibleHost& host);
IUnknown* AsUnknown(WindowAccessible* object);
void DisconnectAccessible(WindowAccessible* object);

} // namespace meltemix
