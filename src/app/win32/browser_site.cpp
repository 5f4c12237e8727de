#include "app/win32/browser_site.h"

#include <exdispid.h>

#include <utility>

#include "app/win32/com_ptr.h"

namespace fw::win32 {

namespace {

// The browser's event arguments come last to first.
VARIANT& Argument(DISPPARAMS& arguments, UINT index) {
    return arguments.rgvarg[arguments.cArgs - 1 - index];
}

// A text argument, given as a BSTR or as a reference to a VARIANT holding one.
std::wstring TextOf(const VARIANT& value) {
    if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr) {
        return TextOf(*value.pvarVal);
    }
    if (value.vt == VT_BSTR && value.bstrVal != nullptr) {
        return std::wstring(value.bstrVal, ::SysStringLen(value.bstrVal));
    }
    return {};
}

// Sets a "Cancel" argument, a reference to a VARIANT_BOOL.
void Cancel(VARIANT& value) {
    if (value.vt == (VT_BYREF | VT_BOOL) && value.pboolVal != nullptr) {
        *value.pboolVal = VARIANT_TRUE;
    }
}

}  // namespace

BrowserSite::BrowserSite(HWND pane, BrowserHost::Events events)
    : pane_(pane), events_(std::move(events)) {}

void BrowserSite::Detach() {
    events_ = {};
    topFrame_ = nullptr;
}

STDMETHODIMP BrowserSite::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (id == IID_IUnknown || id == IID_IOleClientSite) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (id == IID_IOleWindow || id == IID_IOleInPlaceSite) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (id == IID_IOleInPlaceUIWindow || id == IID_IOleInPlaceFrame) {
        *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (id == IID_IDocHostUIHandler) {
        *object = static_cast<IDocHostUIHandler*>(this);
    } else if (id == IID_IDispatch || id == DIID_DWebBrowserEvents2) {
        *object = static_cast<IDispatch*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) BrowserSite::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) BrowserSite::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

STDMETHODIMP BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker != nullptr) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetContainer(IOleContainer** container) {
    if (container != nullptr) {
        *container = nullptr;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP BrowserSite::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = pane_;
    return S_OK;
}

STDMETHODIMP BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           LPRECT position, LPRECT clip,
                                           LPOLEINPLACEFRAMEINFO frameInfo) {
    if (frame == nullptr || document == nullptr || position == nullptr || clip == nullptr ||
        frameInfo == nullptr) {
        return E_POINTER;
    }
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    ::GetClientRect(pane_, position);
    *clip = *position;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = ::GetAncestor(pane_, GA_ROOT);
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP BrowserSite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    // "Open in new window" and the like have no place in the news window.
    return S_OK;
}

STDMETHODIMP BrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DISABLE_HELP_MENU;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

STDMETHODIMP BrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key != nullptr) {
        *key = nullptr;
    }
    return S_FALSE;
}

STDMETHODIMP BrowserSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
    if (target != nullptr) {
        *target = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP BrowserSite::GetExternal(IDispatch** external) {
    if (external != nullptr) {
        *external = nullptr;
    }
    return S_FALSE;
}

STDMETHODIMP BrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
    if (translated != nullptr) {
        *translated = nullptr;
    }
    return S_FALSE;
}

STDMETHODIMP BrowserSite::FilterDataObject(IDataObject*, IDataObject** filtered) {
    if (filtered != nullptr) {
        *filtered = nullptr;
    }
    return S_FALSE;
}

STDMETHODIMP BrowserSite::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP BrowserSite::Invoke(DISPID event, REFIID, LCID, WORD, DISPPARAMS* arguments, VARIANT*,
                                 EXCEPINFO*, UINT*) {
    if (arguments == nullptr || arguments->rgvarg == nullptr) {
        return S_OK;
    }
    switch (event) {
        case DISPID_BEFORENAVIGATE2:
            BeforeNavigate(*arguments);
            break;
        case DISPID_NEWWINDOW3:
            NewWindow(*arguments);
            break;
        case DISPID_NAVIGATEERROR:
            NavigateError(*arguments);
            break;
        case DISPID_DOCUMENTCOMPLETE:
            DocumentComplete(*arguments);
            break;
        default:
            break;
    }
    return S_OK;
}

bool BrowserSite::IsTopFrame(const VARIANT& frame) const {
    if (topFrame_ == nullptr || frame.vt != VT_DISPATCH || frame.pdispVal == nullptr) {
        return false;
    }
    ComPtr<IUnknown> identity;
    frame.pdispVal->QueryInterface(IID_IUnknown, identity.ReceiveVoid());
    return identity.Get() == topFrame_;
}

// (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
void BrowserSite::BeforeNavigate(DISPPARAMS& arguments) {
    if (arguments.cArgs != 7 || !IsTopFrame(Argument(arguments, 0)) || !events_.mayStay) {
        return;
    }
    const std::wstring address = TextOf(Argument(arguments, 1));
    if (!events_.mayStay(address)) {
        Cancel(Argument(arguments, 6));
        if (events_.openOutside) {
            events_.openOutside(address);
        }
    }
}

// (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
void BrowserSite::NewWindow(DISPPARAMS& arguments) {
    if (arguments.cArgs != 5) {
        return;
    }
    Cancel(Argument(arguments, 1));
    const std::wstring address = TextOf(Argument(arguments, 4));
    if (!address.empty() && events_.openOutside) {
        events_.openOutside(address);
    }
}

// (pDisp, URL, Frame, StatusCode, Cancel)
void BrowserSite::NavigateError(DISPPARAMS& arguments) {
    if (arguments.cArgs != 5 || !IsTopFrame(Argument(arguments, 0))) {
        return;
    }
    // No error page of the browser's own: the window shows its own text.
    Cancel(Argument(arguments, 4));
    if (events_.navigationFailed) {
        events_.navigationFailed();
    }
}

// (pDisp, URL)
void BrowserSite::DocumentComplete(DISPPARAMS& arguments) {
    if (arguments.cArgs != 2 || !IsTopFrame(Argument(arguments, 0))) {
        return;
    }
    if (events_.pageComplete) {
        events_.pageComplete();
    }
}

}  // namespace fw::win32
