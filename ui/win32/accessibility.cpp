#include "ui/win32/accessibility.h"

// clang-format off
#include <initguid.h>
#include <oleacc.h>
// clang-format on

namespace qomdex::win32 {

void Annotate(HWND control, const std::wstring& name, const std::wstring& description) {
  IAccPropServices* services = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
    return;
  }
  const auto client = static_cast<DWORD>(OBJID_CLIENT);
  services->SetHwndPropStr(control, client, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
  services->SetHwndPropStr(control, client, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                           description.c_str());
  services->Release();
}

}  // namespace qomdex::win32
