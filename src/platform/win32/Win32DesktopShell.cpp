#include "platform/win32/Win32DesktopShell.h"

#include "platform/win32/Handles.h"

#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shobjidl.h>

namespace win32 {

namespace {

// As ShellExecuteA reads its arguments: in the system's ANSI code page.
std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

// A VARIANT that only lends the string: the callee copies what it keeps.
VARIANT Text(const SystemString& s) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = s.Get();
  return v;
}

// The automation object of the shell that shows the desktop: found among the
// shell's windows, through the desktop's browser and the view of its folder.
HRESULT FindDesktopShell(ComPtr<IShellDispatch2>& out) {
  ComPtr<IShellWindows> windows;
  HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.Put());
  if (FAILED(hr)) return hr;
  VARIANT none;
  VariantInit(&none);
  LONG window = 0;
  ComPtr<IDispatch> desktop;
  hr = windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                             reinterpret_cast<IDispatch**>(desktop.Put()));
  if (hr != S_OK || !desktop.Get()) return E_FAIL;  // S_FALSE: no desktop window
  ComPtr<IServiceProvider> services;
  hr = desktop->QueryInterface(IID_IServiceProvider, services.Put());
  if (FAILED(hr)) return hr;
  ComPtr<IShellBrowser> browser;
  hr = services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.Put());
  if (FAILED(hr)) return hr;
  ComPtr<IShellView> view;
  hr = browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.Put()));
  if (FAILED(hr) || !view.Get()) return FAILED(hr) ? hr : E_FAIL;
  ComPtr<IDispatch> background;
  hr = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.Put());
  if (FAILED(hr)) return hr;
  ComPtr<IShellFolderViewDual> folderView;
  hr = background->QueryInterface(IID_IShellFolderViewDual, folderView.Put());
  if (FAILED(hr)) return hr;
  ComPtr<IDispatch> application;
  hr = folderView->get_Application(reinterpret_cast<IDispatch**>(application.Put()));
  if (FAILED(hr) || !application.Get()) return FAILED(hr) ? hr : E_FAIL;
  return application->QueryInterface(IID_IShellDispatch2, out.Put());
}

}  // namespace

bool Win32DesktopShell::Elevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  UniqueHandle owner(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

bool Win32DesktopShell::Execute(const std::string& file, const std::string& parameters, const std::string& folder) {
  ComPtr<IShellDispatch2> shell;
  if (FAILED(FindDesktopShell(shell))) return false;
  SystemString path(Wide(file)), arguments(Wide(parameters)), directory(Wide(folder));
  // The default verb and a normal window, as the direct start has them.
  VARIANT verb;
  VariantInit(&verb);
  VARIANT show;
  VariantInit(&show);
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  return SUCCEEDED(shell->ShellExecute(path.Get(), Text(arguments), Text(directory), verb, show));
}

}  // namespace win32
