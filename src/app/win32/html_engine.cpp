#include "app/win32/html_engine.h"

#include <windows.h>

#include <objbase.h>

#include "app/win32/com_ptr.h"
#include "platform/win32/com_apartment.h"

namespace fw::win32 {

namespace {

// The HTML document class of the system's engine (mshtml). Not every
// toolchain's uuid library carries it, so it is spelled out here.
constexpr CLSID kHtmlDocumentClass = {
    0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

}  // namespace

bool HtmlEngineUsable() {
    const ComApartment apartment;
    if (!apartment.Entered()) {
        return false;
    }
    ComPtr<IUnknown> document;
    const HRESULT made = ::CoCreateInstance(kHtmlDocumentClass, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IUnknown, document.ReceiveVoid());
    return SUCCEEDED(made) && document;
}

}  // namespace fw::win32
