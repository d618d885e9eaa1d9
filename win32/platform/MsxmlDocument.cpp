#include "win32/platform/MsxmlDocument.h"

#include "core/text/Decode.h"
#include "core/xml/DocumentType.h"
#include "core/xml/XmlNamespaces.h"
#include "win32/platform/WideText.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <utility>

namespace meltemix {
namespace {

// Owns one reference to a dispatch interface.
class Dispatch {
public:
    Dispatch() = default;
    explicit Dispatch(IDispatch* adopted) : p_(adopted) {}
    ~Dispatch() { reset(); }
    Dispatch(Dispatch&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Dispatch& operator=(Dispatch&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;

    IDispatch* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_)
            p_->Release();
        p_ = nullptr;
    }

private:
    IDispatch* p_ = nullptr;
};

// A VARIANT that is always cleared, whatever it ends up holding.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    static Variant text(const std::string& utf8) {
        Variant result;
        const std::wstring wide = Widen(utf8);
        BSTR value = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        if (value) {
            result.v_.vt = VT_BSTR;
            result.v_.bstrVal = value;
        }
        return result;
    }
    static Variant boolean(bool value) {
        Variant result;
        result.v_.vt = VT_BOOL;
        result.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return result;
    }
    static Variant integer(long value) {
        Variant result;
        result.v_.vt = VT_I4;
        result.v_.lVal = value;
        return result;
    }
    Variant(Variant&& other) noexcept {
        v_ = other.v_;
        VariantInit(&other.v_);
    }

    VARIANT* get() { return &v_; }
    const VARIANT& value() const { return v_; }

    // Hands the dispatch reference over to the caller, or null when there is none.
    Dispatch takeDispatch() {
        if (v_.vt == VT_DISPATCH && v_.pdispVal) {
            Dispatch taken(v_.pdispVal);
            v_.vt = VT_EMPTY;
            v_.pdispVal = nullptr;
            return taken;
        }
        return Dispatch();
    }

private:
    VARIANT v_;
};

// Calls a member by name; `args` in the natural order. Returns false when the object
// does not know the name or the call fails.
bool Call(IDispatch* object, const wchar_t* name, WORD kind, Variant* args, UINT count,
          Variant& result) {
    if (!object)
        return false;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 0;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return false;
    // IDispatch takes its arguments last first.
    VARIANTARG reversed[2];
    if (count > 2)
        return false;
    for (UINT i = 0; i < count; ++i)
        reversed[count - 1 - i] = *args[i].get();
    DISPPARAMS params = {count ? reversed : nullptr, nullptr, count, 0};
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params,
                                    result.get(), nullptr, nullptr));
}

bool PutProperty(IDispatch* object, const wchar_t* name, Variant value) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 0;
    if (!object || FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return false;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {value.get(), &named, 1, 1};
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                    &params, nullptr, nullptr, nullptr));
}

std::optional<bool> BooleanOf(Variant& value) {
    if (FAILED(VariantChangeType(value.get(), value.get(), 0, VT_BOOL)))
        return std::nullopt;
    return value.value().boolVal != VARIANT_FALSE;
}

// The DOM of Windows' MSXML 3 loads what a document names by default: external entities
// and DTDs from any address or local file, and it expands entities without bound. A
// document from a plain-HTTP service must reach nothing outside itself. A property the DOM
// refuses is left as it is; documents with a DTD are refused before they get here anyway.
void MakeSafe(IDispatch* document) {
    PutProperty(document, L"async", Variant::boolean(false));
    PutProperty(document, L"validateOnParse", Variant::boolean(false));
    PutProperty(document, L"resolveExternals", Variant::boolean(false));
    Variant args[] = {Variant::text("ProhibitDTD"), Variant::boolean(true)};
    Variant ignored;
    Call(document, L"setProperty", DISPATCH_METHOD, args, 2, ignored);
}

Dispatch GetObject(IDispatch* object, const wchar_t* name) {
    Variant result;
    if (!Call(object, name, DISPATCH_PROPERTYGET, nullptr, 0, result))
        return Dispatch();
    return result.takeDispatch();
}

Dispatch CallForObject(IDispatch* object, const wchar_t* name, Variant argument,
                       WORD kind = DISPATCH_METHOD) {
    Variant result;
    if (!Call(object, name, kind, &argument, 1, result))
        return Dispatch();
    return result.takeDispatch();
}

class MsxmlNodeList;

class MsxmlNode : public XmlNode {
public:
    explicit MsxmlNode(Dispatch node) : node_(std::move(node)) {}

    XmlNodePtr selectSingleNode(const std::string& path) const override {
        Dispatch found = CallForObject(node_.get(), L"selectSingleNode", Variant::text(path));
        return wrap(std::move(found));
    }
    XmlNodeListPtr selectNodes(const std::string& path) const override;
    XmlAttributesPtr attributes() const override;
    std::string text() const override {
        Variant result;
        if (!Call(node_.get(), L"text", DISPATCH_PROPERTYGET, nullptr, 0, result))
            return std::string();
        if (result.value().vt != VT_BSTR || !result.value().bstrVal)
            return std::string();
        return Narrow(result.value().bstrVal,
                      static_cast<int>(SysStringLen(result.value().bstrVal)));
    }

    static XmlNodePtr wrap(Dispatch node) {
        if (!node)
            return nullptr;
        return std::make_unique<MsxmlNode>(std::move(node));
    }

private:
    Dispatch node_;
};

class MsxmlNodeList : public XmlNodeList {
public:
    explicit MsxmlNodeList(Dispatch list) : list_(std::move(list)) {}

    long length() const override {
        Variant result;
        if (!Call(list_.get(), L"length", DISPATCH_PROPERTYGET, nullptr, 0, result))
            return 0;
        if (FAILED(VariantChangeType(result.get(), result.get(), 0, VT_I4)))
            return 0;
        return result.value().lVal;
    }
    XmlNodePtr item(long index) const override {
        if (index < 0)
            return nullptr;
        return MsxmlNode::wrap(CallForObject(list_.get(), L"item", Variant::integer(index),
                                             DISPATCH_METHOD | DISPATCH_PROPERTYGET));
    }

private:
    Dispatch list_;
};

class MsxmlAttributes : public XmlAttributes {
public:
    explicit MsxmlAttributes(Dispatch map) : map_(std::move(map)) {}

    XmlNodePtr getNamedItem(const std::string& name) const override {
        return MsxmlNode::wrap(CallForObject(map_.get(), L"getNamedItem", Variant::text(name)));
    }

private:
    Dispatch map_;
};

XmlNodeListPtr MsxmlNode::selectNodes(const std::string& path) const {
    Dispatch list = CallForObject(node_.get(), L"selectNodes", Variant::text(path));
    if (!list)
        return nullptr;
    return std::make_unique<MsxmlNodeList>(std::move(list));
}

XmlAttributesPtr MsxmlNode::attributes() const {
    Dispatch map = GetObject(node_.get(), L"attributes");
    if (!map)
        return nullptr;
    return std::make_unique<MsxmlAttributes>(std::move(map));
}

class MsxmlDocument : public XmlDocument {
public:
    explicit MsxmlDocument(Dispatch document) : document_(std::move(document)) {}

    bool loadXml(const std::string& text) override {
        loaded_ = false;
        const std::string prepared = PrepareXmlText(text);
        if (DeclaresDocumentType(prepared))
            return false;
        Variant argument = Variant::text(prepared);
        if (argument.value().vt != VT_BSTR)
            return false;
        Variant result;
        if (!Call(document_.get(), L"LoadXML", DISPATCH_METHOD, &argument, 1, result))
            return false;
        if (FAILED(VariantChangeType(result.get(), result.get(), 0, VT_BOOL)))
            return false;
        // Wine's DOM takes an undeclared prefix that the real one refuses.
        loaded_ = result.value().boolVal != VARIANT_FALSE && DeclaresEveryPrefix(prepared);
        return loaded_;
    }
    XmlNodePtr documentElement() const override {
        if (!loaded_)
            return nullptr;
        return MsxmlNode::wrap(GetObject(document_.get(), L"documentElement"));
    }

    MsxmlSafety safety() const {
        const auto read = [this](const wchar_t* name) {
            Variant result;
            if (!Call(document_.get(), name, DISPATCH_PROPERTYGET, nullptr, 0, result))
                return std::optional<bool>();
            return BooleanOf(result);
        };
        MsxmlSafety s;
        s.Async = read(L"async");
        s.ValidateOnParse = read(L"validateOnParse");
        s.ResolveExternals = read(L"resolveExternals");
        Variant name = Variant::text("ProhibitDTD");
        Variant result;
        if (Call(document_.get(), L"getProperty", DISPATCH_METHOD, &name, 1, result))
            s.ProhibitDTD = BooleanOf(result);
        return s;
    }

private:
    Dispatch document_;
    bool loaded_ = false;
};

} // namespace

std::unique_ptr<XmlDocument> CreateMsxmlDocument() {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"Microsoft.XMLDOM", &clsid)))
        throw XmlDomError("Microsoft.XMLDOM bileşeni bulunamadı");
    IDispatch* raw = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&raw))) ||
        !raw)
        throw XmlDomError("Microsoft.XMLDOM bileşeni oluşturulamadı");
    Dispatch document(raw);
    MakeSafe(document.get());
    return std::make_unique<MsxmlDocument>(std::move(document));
}

MsxmlSafety ReadMsxmlSafety(const XmlDocument& document) {
    const auto* msxml = dynamic_cast<const MsxmlDocument*>(&document);
    return msxml ? msxml->safety() : MsxmlSafety();
}

} // namespace meltemix
