#include "platform/win32/Win32ShellLinks.h"

#include <shlobj.h>

#include "platform/win32/ComStartup.h"
#include "platform/win32/SystemErrorMessage.h"

namespace win32 {
namespace {

// The start-up and end of the shell link unit, which every program that
// makes links links in: the thread that runs the constructors of static
// objects is the installer's only thread.
ComStartup programLifetime;

class Win32ShellLinkObject : public platform::ShellLinkObject {
public:
  explicit Win32ShellLinkObject(ComPtr<IShellLinkA> link) : link_(std::move(link)) {}

  void SetPath(const std::string& v) override { link_->SetPath(v.c_str()); }
  void SetWorkingDirectory(const std::string& v) override { link_->SetWorkingDirectory(v.c_str()); }
  void SetArguments(const std::string& v) override { link_->SetArguments(v.c_str()); }
  void SetDescription(const std::string& v) override { link_->SetDescription(v.c_str()); }
  void SetShowCmd(int32_t v) override { link_->SetShowCmd(v); }
  void SetHotkey(uint16_t v) override { link_->SetHotkey(v); }
  void SetIconLocation(const std::string& file, int index) override { link_->SetIconLocation(file.c_str(), index); }

  int32_t Save(const std::string& path) override {
    ComPtr<IPersistFile> file;
    HRESULT hr = link_->QueryInterface(IID_IPersistFile, file.Put());
    if (FAILED(hr)) return hr;
    int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(n > 0 ? n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    return file->Save(wide.c_str(), TRUE);
  }

private:
  ComPtr<IShellLinkA> link_;
};

}  // namespace

std::unique_ptr<platform::ShellLinkObject> Win32ShellLinks::Create(std::string& failure) {
  ComPtr<IUnknown> object;
  ComPtr<IShellLinkA> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                object.Put());
  if (SUCCEEDED(hr)) hr = object->QueryInterface(IID_IShellLinkA, link.Put());
  if (FAILED(hr)) {
    failure = SystemErrorMessage(static_cast<DWORD>(hr));
    return nullptr;
  }
  return std::make_unique<Win32ShellLinkObject>(std::move(link));
}

}  // namespace win32
