#include "win32/platform/AccessibleServer.h"

#include "win32/platform/WideText.h"

#include <oleacc.h>

#include <new>

namespace meltemix {

// The IAccessible of a skinned window's client area. The parts are simple elements (child
// ids, no objects of their own). Every call runs on the window's thread, a single-threaded
// apartment; one from another process arrives through COM's message loop there.
class WindowAccessible final : public IAccessible, public IOleWindow {
public:
    explicit WindowAccessible(AccessibleHost& host) : host_(&host) {}

    void Disconnect() { host_ = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible))
            *object = static_cast<IAccessible*>(this);
        else if (riid == IID_IOleWindow)
            *object = static_cast<IOleWindow*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: screen readers call IAccessible directly; there is no type library.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        return E_NOTIMPL;
    }

    // IOleWindow: the window behind the object, for the system's proxies.
    STDMETHODIMP GetWindow(HWND* window) override {
        if (!window)
            return E_POINTER;
        *window = nullptr;
        if (!host_)
            return CO_E_OBJNOTCONNECTED;
        *window = host_->AccessibleWindow();
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override {
        return Guarded(parent, [&] {
            return AccessibleObjectFromWindow(host_->AccessibleWindow(), static_cast<DWORD>(OBJID_WINDOW),
                                              IID_IDispatch, reinterpret_cast<void**>(parent));
        });
    }
    STDMETHODIMP get_accChildCount(long* count) override {
        return Guarded(count, [&] {
            *count = host_->AccessibleParts().ChildCount();
            return S_OK;
        });
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
        return Guarded(object, [&] {
            const int id = ChildOf(child);
            // Simple elements: a part is no object of its own.
            return host_->AccessibleParts().IsChild(id) ? S_FALSE : E_INVALIDARG;
        });
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
        return Text(child, name, [](const AccessNode& node) { return node.Name; });
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
        return Unsupported(child, value);
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override {
        return Unsupported(child, description);
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
        return Guarded(role, [&] {
            const AccessNode* node = NodeOf(child);
            if (!node)
                return E_INVALIDARG;
            role->vt = VT_I4;
            role->lVal = RoleOf(node->Role);
            return S_OK;
        });
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
        return Guarded(state, [&] {
            const int id = ChildOf(child);
            const AccessNode* node = host_->AccessibleParts().Node(id);
            if (!node)
                return E_INVALIDARG;
            state->vt = VT_I4;
            state->lVal = static_cast<LONG>(StateOf(*node, id));
            return S_OK;
        });
    }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override { return Unsupported(child, help); }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file)
            *file = nullptr;
        if (topic)
            *topic = 0;
        return host_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Unsupported(child, shortcut);
    }
    STDMETHODIMP get_accFocus(VARIANT* focus) override {
        return Guarded(focus, [&] {
            const int id = host_->AccessibleFocus();
            if (id == NoChild)
                return S_FALSE;
            focus->vt = VT_I4;
            focus->lVal = id;
            return S_OK;
        });
    }
    STDMETHODIMP get_accSelection(VARIANT* selection) override {
        return Guarded(selection, [&] {
            // In a list the line with the focus is the one selected.
            const int id = host_->AccessibleFocus();
            if (host_->AccessibleParts().Root.Role != AccessRole::List || id < 1)
                return S_FALSE;
            selection->vt = VT_I4;
            selection->lVal = id;
            return S_OK;
        });
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Text(child, action, [](const AccessNode& node) { return node.DefaultAction; });
    }
    STDMETHODIMP accSelect(long flags, VARIANT child) override {
        return Call([&] {
            const int id = ChildOf(child);
            if (!host_->AccessibleParts().Node(id))
                return E_INVALIDARG;
            if (!(flags & SELFLAG_TAKEFOCUS))
                return DISP_E_MEMBERNOTFOUND;
            return host_->AccessibleTakeFocus(id) ? S_OK : S_FALSE;
        });
    }
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                             VARIANT child) override {
        if (!left || !top || !width || !height)
            return E_POINTER;
        *left = *top = *width = *height = 0;
        return Call([&] {
            const AccessNode* node = NodeOf(child);
            if (!node)
                return E_INVALIDARG;
            const POINT origin = host_->AccessibleOrigin();
            const PixelRect r = host_->AccessibleDpi().Scale(node->Rect);
            *left = origin.x + r.Left;
            *top = origin.y + r.Top;
            *width = r.Width;
            *height = r.Height;
            return S_OK;
        });
    }
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return Guarded(end, [&] {
            const int from = ChildOf(start);
            const AccessTree& tree = host_->AccessibleParts();
            if (!tree.Node(from))
                return E_INVALIDARG;
            NavDirection way;
            switch (direction) {
            case NAVDIR_UP: way = NavDirection::Up; break;
            case NAVDIR_DOWN: way = NavDirection::Down; break;
            case NAVDIR_LEFT: way = NavDirection::Left; break;
            case NAVDIR_RIGHT: way = NavDirection::Right; break;
            case NAVDIR_NEXT: way = NavDirection::Next; break;
            case NAVDIR_PREVIOUS: way = NavDirection::Previous; break;
            case NAVDIR_FIRSTCHILD: way = NavDirection::First; break;
            case NAVDIR_LASTCHILD: way = NavDirection::Last; break;
            default: return E_INVALIDARG;
            }
            const int reached = Navigate(tree, from, way);
            if (reached == NoChild)
                return S_FALSE;
            end->vt = VT_I4;
            end->lVal = reached;
            return S_OK;
        });
    }
    STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override {
        return Guarded(child, [&] {
            const POINT origin = host_->AccessibleOrigin();
            const POINT p = {x - origin.x, y - origin.y};
            const Dpi dpi = host_->AccessibleDpi();
            const int id = HitTest(host_->AccessibleParts(), dpi.Unscale(p.x), dpi.Unscale(p.y));
            if (id == NoChild)
                return S_FALSE;
            child->vt = VT_I4;
            child->lVal = id;
            return S_OK;
        });
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override {
        return Call([&] {
            const int id = ChildOf(child);
            const AccessNode* node = host_->AccessibleParts().Node(id);
            if (!node)
                return E_INVALIDARG;
            if (node->Action == AccessAction::None || !node->Shown || !node->Enabled)
                return DISP_E_MEMBERNOTFOUND;
            host_->AccessibleDefaultAction(id);
            return S_OK;
        });
    }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~WindowAccessible() = default;

    static int ChildOf(const VARIANT& child) {
        if (child.vt == VT_I4)
            return static_cast<int>(child.lVal);
        if (child.vt == VT_I2)
            return child.iVal;
        return NoChild;
    }

    const AccessNode* NodeOf(const VARIANT& child) {
        return host_->AccessibleParts().Node(ChildOf(child));
    }

    static LONG RoleOf(AccessRole role) {
        switch (role) {
        case AccessRole::Pane: return ROLE_SYSTEM_PANE;
        case AccessRole::List: return ROLE_SYSTEM_LIST;
        case AccessRole::ListItem: return ROLE_SYSTEM_LISTITEM;
        case AccessRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
        case AccessRole::StaticText: break;
        }
        return ROLE_SYSTEM_STATICTEXT;
    }

    DWORD StateOf(const AccessNode& node, int id) {
        DWORD state = 0;
        const bool windowShown = host_->AccessibleShown();
        const bool focused = host_->AccessibleFocus() == id;
        if (!windowShown || !node.Shown)
            return STATE_SYSTEM_INVISIBLE;
        state |= STATE_SYSTEM_FOCUSABLE;
        if (focused)
            state |= STATE_SYSTEM_FOCUSED;
        if (!node.Enabled)
            state |= STATE_SYSTEM_UNAVAILABLE;
        switch (node.Role) {
        case AccessRole::StaticText:
            state |= STATE_SYSTEM_READONLY;
            break;
        case AccessRole::ListItem:
            state |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_READONLY |
                     (focused ? STATE_SYSTEM_SELECTED : 0);
            break;
        default:
            break;
        }
        return state;
    }

    // Runs a call once the link to the window is checked; no error crosses COM.
    template <typename Body>
    HRESULT Call(Body&& body) {
        if (!host_)
            return CO_E_OBJNOTCONNECTED;
        try {
            return body();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }

    // The same for a call with an out value, which is emptied first.
    template <typename Out, typename Body>
    HRESULT Guarded(Out* out, Body&& body) {
        if (!out)
            return E_POINTER;
        Clear(out);
        return Call(body);
    }

    static void Clear(VARIANT* v) { VariantInit(v); }
    static void Clear(long* v) { *v = 0; }
    template <typename T>
    static void Clear(T** p) { *p = nullptr; }

    template <typename Select>
    HRESULT Text(const VARIANT& child, BSTR* out, Select select) {
        return Guarded(out, [&] {
            const AccessNode* node = NodeOf(child);
            if (!node)
                return E_INVALIDARG;
            const std::string text = select(*node);
            if (text.empty())
                return S_FALSE;
            *out = SysAllocString(Widen(text).c_str());
            return *out ? S_OK : E_OUTOFMEMORY;
        });
    }

    HRESULT Unsupported(const VARIANT& child, BSTR* out) {
        return Guarded(out, [&] { return NodeOf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG; });
    }

    AccessibleHost* host_;
    LONG references_ = 1;
};

WindowAccessible* MakeWindowAccessible(AccessibleHost& host) {
    return new WindowAccessible(host);
}

IUnknown* AsUnknown(WindowAccessible* object) { return static_cast<IAccessible*>(object); }

void DisconnectAccessible(WindowAccessible* object) {
    object->Disconnect();
    // References held across processes end here; those in this process meet the cut link.
    CoDisconnectObject(static_cast<IAccessible*>(object), 0);
}

AccessibleServer::AccessibleServer(AccessibleHost& host) : host_(host) {}

AccessibleServer::~AccessibleServer() { Disconnect(); }

std::optional<LRESULT> AccessibleServer::Answer(WPARAM wParam, LPARAM lParam) {
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) || disconnected_)
        return std::nullopt;
    if (!object_)
        object_ = new (std::nothrow) WindowAccessible(host_);
    if (!object_)
        return std::nullopt;
    return LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
}

void AccessibleServer::Disconnect() {
    disconnected_ = true;
    if (!object_)
        return;
    DisconnectAccessible(object_);
    static_cast<IAccessible*>(object_)->Release();
    object_ = nullptr;
}

void AccessibleServer::Raise(DWORD event, int child) const {
    if (disconnected_)
        return;
    NotifyWinEvent(event, host_.AccessibleWindow(), static_cast<LONG>(OBJID_CLIENT),
                   child == ChildSelf ? CHILDID_SELF : child);
}

void AccessibleServer::Tell(const AccessChanges& changes, int childCount, bool reordered) const {
    if (reordered)
        Raise(EVENT_OBJECT_REORDER, ChildSelf);
    for (int child : changes.Vanished)
        if (child <= childCount) // a part past the end is gone, not hidden
            Raise(EVENT_OBJECT_HIDE, child);
    for (int child : changes.Appeared)
        Raise(EVENT_OBJECT_SHOW, child);
    for (int child : changes.Renamed)
        Raise(EVENT_OBJECT_NAMECHANGE, child);
}

} // namespace meltemix
