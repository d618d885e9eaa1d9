// The real MSAA object of a skinned window, asked as assistive technology asks it: through
// WM_GETOBJECT's LRESULT, by child id, in screen pixels at the window's density; and after
// its window has gone.
#include "core/access/MainAccess.h"
#include "win32/platform/AccessibleServer.h"

#include <oleacc.h>

#include <gtest/gtest.h>

using namespace meltemix;
using namespace meltemix::MainAccessId;

namespace {

struct FakeHost : AccessibleHost {
    HWND window = nullptr;
    Dpi dpi{144};
    AccessTree tree;
    int focus = NoChild;
    std::vector<int> actions;

    HWND AccessibleWindow() const override { return window; }
    POINT AccessibleOrigin() const override { return {100, 50}; }
    bool AccessibleShown() const override { return true; }
    Dpi AccessibleDpi() const override { return dpi; }
    const AccessTree& AccessibleParts() override { return tree; }
    int AccessibleFocus() const override { return focus; }
    void AccessibleDefaultAction(int child) override { actions.push_back(child); }
    bool AccessibleTakeFocus(int child) override {
        if (!tree.IsChild(child) || !tree.Node(child)->Shown)
            return false;
        focus = child;
        return true;
    }
};

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring Name(IAccessible* object, long id, HRESULT* result = nullptr) {
    BSTR name = nullptr;
    const HRESULT hr = object->get_accName(Child(id), &name);
    if (result)
        *result = hr;
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

class AccessibleServerTest : public testing::Test {
protected:
    void SetUp() override {
        // A window at (100, 50) at 144 dpi; its handle only names it.
        host.window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host.window, nullptr);
        MainAccessInputs in;
        in.Report.CityName = "İzmir";
        in.Report.Temperature = "-3";
        in.Report.ConditionCode = "32";
        in.Report.Sunrise = "7:14 am";
        in.Report.Forecast[1] = {"Tue", "-8", "2", "16"};
        in.OptionsShown = in.ExitShown = true;
        host.tree = MainAccessTree(in);
    }
    void TearDown() override { DestroyWindow(host.window); }

    FakeHost host;
};

TEST_F(AccessibleServerTest, AnswersOnlyForTheClientAreaInEitherWidth) {
    AccessibleServer server(host);
    EXPECT_FALSE(server.Answer(0, static_cast<LPARAM>(OBJID_WINDOW)));
    EXPECT_FALSE(server.Answer(0, 0));
    // OBJID_CLIENT is -4: a 64-bit caller may send it sign-extended or as 0xFFFFFFFC.
    for (LPARAM id : {static_cast<LPARAM>(OBJID_CLIENT),
                      static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT))}) {
        const std::optional<LRESULT> answer = server.Answer(0, id);
        ASSERT_TRUE(answer);
        ASSERT_GT(*answer, 0);
        IAccessible* object = nullptr;
        ASSERT_EQ(ObjectFromLresult(*answer, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object)),
                  S_OK);
        EXPECT_EQ(Name(object, CHILDID_SELF), L"Meltemix! - \u0130zmir");
        object->Release();
    }
}

TEST_F(AccessibleServerTest, NamesRolesAndStatesOfTheParts) {
    WindowAccessible* made = MakeWindowAccessible(host);
    IAccessible* object = nullptr;
    ASSERT_EQ(AsUnknown(made)->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object)), S_OK);
    long count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 10);
    EXPECT_EQ(Name(object, Condition), L"\u0130zmir, eksi 3 derece, A\u00e7\u0131k");
    EXPECT_EQ(Name(object, FirstTile + 1),
              L"Yar\u0131n: Kar ya\u011f\u0131\u015fl\u0131, en y\u00fcksek 2, en d\u00fc\u015f\u00fck eksi 8 derece");
    HRESULT hr = S_OK;
    EXPECT_EQ(Name(object, 11, &hr), L"");
    EXPECT_EQ(hr, E_INVALIDARG);
    IDispatch* child = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(object->get_accChild(Child(Condition), &child), S_FALSE); // a simple element
    EXPECT_EQ(child, nullptr);

    VARIANT v;
    ASSERT_EQ(object->get_accRole(Child(ExitBtn), &v), S_OK);
    EXPECT_EQ(v.lVal, ROLE_SYSTEM_PUSHBUTTON);
    ASSERT_EQ(object->get_accRole(Child(CHILDID_SELF), &v), S_OK);
    EXPECT_EQ(v.lVal, ROLE_SYSTEM_PANE);
    ASSERT_EQ(object->get_accState(Child(ExitBtn), &v), S_OK);
    EXPECT_EQ(v.lVal, STATE_SYSTEM_FOCUSABLE);
    ASSERT_EQ(object->get_accState(Child(HideBtn), &v), S_OK); // not drawn
    EXPECT_EQ(v.lVal, STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(object->get_accFocus(&v), S_FALSE); // the window lacks the focus
    EXPECT_EQ(v.vt, VT_EMPTY);
    host.focus = Moon;
    ASSERT_EQ(object->get_accFocus(&v), S_OK);
    EXPECT_EQ(v.lVal, Moon);
    ASSERT_EQ(object->get_accState(Child(Moon), &v), S_OK);
    EXPECT_EQ(v.lVal, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_READONLY);

    BSTR action = nullptr;
    ASSERT_EQ(object->get_accDefaultAction(Child(ExitBtn), &action), S_OK);
    EXPECT_STREQ(action, L"Bas");
    SysFreeString(action);
    EXPECT_EQ(object->accDoDefaultAction(Child(ExitBtn)), S_OK);
    EXPECT_EQ(object->accDoDefaultAction(Child(HideBtn)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(object->accDoDefaultAction(Child(Moon)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(host.actions, std::vector<int>{ExitBtn});
    EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, Child(OptionsBtn)), S_OK);
    EXPECT_EQ(host.focus, OptionsBtn);
    EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, Child(HideBtn)), S_FALSE);

    IOleWindow* window = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)), S_OK);
    HWND hwnd = nullptr;
    EXPECT_EQ(window->GetWindow(&hwnd), S_OK);
    EXPECT_EQ(hwnd, host.window);
    window->Release();
    object->Release();
    AsUnknown(made)->Release();
}

TEST_F(AccessibleServerTest, PlacesInScreenPixelsAtTheWindowsDensity) {
    WindowAccessible* made = MakeWindowAccessible(host);
    IAccessible* object = nullptr;
    ASSERT_EQ(AsUnknown(made)->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object)), S_OK);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(object->accLocation(&left, &top, &width, &height, Child(FirstTile)), S_OK);
    // The first tile's layout rectangle (36, 112, 61 × 57) at 1.5 times, from (100, 50).
    EXPECT_EQ(left, 100 + 54);
    EXPECT_EQ(top, 50 + 168);
    EXPECT_EQ(width, 92);
    EXPECT_EQ(height, 86); // edges scaled one by one: 168 to 254
    VARIANT hit;
    for (long id = 1; id <= 10; ++id) {
        if (!host.tree.Node(id)->Shown)
            continue;
        ASSERT_EQ(object->accLocation(&left, &top, &width, &height, Child(id)), S_OK);
        ASSERT_EQ(object->accHitTest(left + width / 2, top + height / 2, &hit), S_OK) << id;
        EXPECT_EQ(hit.lVal, id);
    }
    EXPECT_EQ(object->accHitTest(100 + 10, 50 + 10, &hit), S_OK); // on no part
    EXPECT_EQ(hit.lVal, CHILDID_SELF);
    EXPECT_EQ(object->accHitTest(99, 50, &hit), S_FALSE); // outside
    EXPECT_EQ(hit.vt, VT_EMPTY);

    VARIANT end; // the directions as the core's navigation has them
    ASSERT_EQ(object->accNavigate(NAVDIR_RIGHT, Child(FirstTile), &end), S_OK);
    EXPECT_EQ(end.lVal, FirstTile + 1);
    ASSERT_EQ(object->accNavigate(NAVDIR_NEXT, Child(OptionsBtn), &end), S_OK);
    EXPECT_EQ(end.lVal, ExitBtn); // past the hidden one
    EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, Child(ExitBtn), &end), S_FALSE);
    EXPECT_EQ(object->accNavigate(99, Child(ExitBtn), &end), E_INVALIDARG);
    object->Release();
    AsUnknown(made)->Release();
}

TEST_F(AccessibleServerTest, AnObjectHeldPastItsWindowFailsCleanly) {
    auto server = std::make_unique<AccessibleServer>(host);
    const std::optional<LRESULT> answer = server->Answer(0, static_cast<LPARAM>(OBJID_CLIENT));
    ASSERT_TRUE(answer);
    IAccessible* object = nullptr;
    ASSERT_EQ(ObjectFromLresult(*answer, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&object)), S_OK);
    server->Disconnect();
    EXPECT_FALSE(server->Answer(0, static_cast<LPARAM>(OBJID_CLIENT))); // gone: the default answers
    server.reset();
    host.tree = AccessTree(); // what the window held is gone too
    HRESULT hr = S_OK;
    EXPECT_EQ(Name(object, CHILDID_SELF, &hr), L"");
    EXPECT_EQ(hr, CO_E_OBJNOTCONNECTED);
    long count = 5;
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(count, 0);
    long l, t, w, h;
    EXPECT_EQ(object->accLocation(&l, &t, &w, &h, Child(1)), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->accDoDefaultAction(Child(1)), CO_E_OBJNOTCONNECTED);
    VARIANT v;
    EXPECT_EQ(object->accHitTest(0, 0, &v), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->Release(), 0u);
}

} // namespace
