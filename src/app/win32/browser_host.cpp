#include "app/win32/browser_host.h"

#include <exdisp.h>
#include <ocidl.h>
#include <ole2.h>

#include "app/win32/browser_site.h"
#include "app/win32/com_ptr.h"

namespace fw::win32 {

namespace {

// OLE for the window's thread while a control is hosted: in-place
// activation, drag and drop and the clipboard of the control need it.
class OleScope {
public:
    OleScope() : entered_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleScope() {
        if (entered_) {
            ::OleUninitialize();
        }
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

    bool Entered() const { return entered_; }

private:
    bool entered_;
};

class Bstr {
public:
    explicit Bstr(const std::wstring& text)
        : text_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~Bstr() { ::SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR Get() const { return text_; }

private:
    BSTR text_;
};

}  // namespace

// Declared in the order they are made: they go in the reverse one, after the
// destructor has closed the control.
struct BrowserHost::Parts {
    OleScope ole;
    ComPtr<BrowserSite> site;
    ComPtr<IOleObject> object;
    ComPtr<IOleInPlaceObject> inPlace;
    ComPtr<IWebBrowser2> browser;
    ComPtr<IConnectionPoint> events;
    DWORD eventsCookie = 0;
};

std::unique_ptr<BrowserHost> BrowserHost::Create(HWND pane, Events events) {
    auto parts = std::make_unique<Parts>();
    if (!parts->ole.Entered()) {
        return nullptr;
    }
    // The host owns the site's first reference from here on.
    parts->site = ComPtr<BrowserSite>(new BrowserSite(pane, std::move(events)));
    std::unique_ptr<BrowserHost> host(new BrowserHost(std::move(parts)));
    Parts& p = *host->parts_;
    IOleClientSite* site = p.site.Get();

    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  p.object.ReceiveVoid())) ||
        !p.object) {
        return nullptr;
    }
    if (FAILED(p.object->SetClientSite(site))) {
        return nullptr;
    }
    RECT area{};
    ::GetClientRect(pane, &area);
    if (FAILED(p.object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, pane, &area))) {
        return nullptr;
    }
    p.inPlace = p.object.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    p.browser = p.object.As<IWebBrowser2>(IID_IWebBrowser2);
    if (!p.inPlace || !p.browser) {
        return nullptr;
    }
    p.inPlace->SetObjectRects(&area, &area);
    // Script errors and the like must not open dialogs of their own.
    p.browser->put_Silent(VARIANT_TRUE);

    ComPtr<IUnknown> identity = p.browser.As<IUnknown>(IID_IUnknown);
    p.site->SetTopFrame(identity.Get());
    auto container = p.browser.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container ||
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, p.events.Receive())) ||
        !p.events ||
        FAILED(p.events->Advise(static_cast<IDispatch*>(p.site.Get()), &p.eventsCookie))) {
        // Without its events the window could never learn of a failed page.
        p.eventsCookie = 0;
        return nullptr;
    }
    return host;
}

BrowserHost::BrowserHost(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

BrowserHost::~BrowserHost() {
    Parts& p = *parts_;
    p.site->Detach();
    if (p.events && p.eventsCookie != 0) {
        p.events->Unadvise(p.eventsCookie);
    }
    if (p.browser) {
        p.browser->Stop();
    }
    if (p.inPlace) {
        p.inPlace->InPlaceDeactivate();
    }
    if (p.object) {
        p.object->Close(OLECLOSE_NOSAVE);
        p.object->SetClientSite(nullptr);
    }
}

bool BrowserHost::Navigate(const std::wstring& address) {
    Bstr target(address);
    if (target.Get() == nullptr) {
        return false;
    }
    VARIANT none;
    ::VariantInit(&none);
    return SUCCEEDED(parts_->browser->Navigate(target.Get(), &none, &none, &none, &none));
}

}  // namespace fw::win32
