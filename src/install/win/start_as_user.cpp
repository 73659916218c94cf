#include "install/win/start_as_user.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shellapi.h>

namespace tarvelon::install {
namespace {

bool elevated()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool ok = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    return ok && elevation.TokenIsElevated != 0;
}

template <typename T>
struct Com {
    T* p = nullptr;
    ~Com()
    {
        if (p)
            p->Release();
    }
    T** out() { return &p; }
};

std::wstring folderOf(const std::wstring& program)
{
    const auto slash = program.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : program.substr(0, slash);
}

// The desktop's shell runs as the logged-in user: asked through its automation object, it
// starts the program with its own rights (the documented way from an elevated process).
HRESULT startThroughDesktop(const std::wstring& program)
{
    Com<IShellWindows> windows;
    HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                  reinterpret_cast<void**>(windows.out()));
    if (FAILED(hr))
        return hr;
    VARIANT location;
    VariantInit(&location);
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    VARIANT empty;
    VariantInit(&empty);
    LONG hwnd = 0;
    Com<IDispatch> desktop;
    hr = windows.p->FindWindowSW(&location, &empty, SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH, desktop.out());
    if (hr != S_OK || !desktop.p)
        return FAILED(hr) ? hr : E_FAIL;
    Com<IServiceProvider> services;
    hr = desktop.p->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(services.out()));
    if (FAILED(hr))
        return hr;
    Com<IShellBrowser> browser;
    hr = services.p->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, reinterpret_cast<void**>(browser.out()));
    if (FAILED(hr))
        return hr;
    Com<IShellView> view;
    hr = browser.p->QueryActiveShellView(view.out());
    if (FAILED(hr))
        return hr;
    Com<IDispatch> background;
    hr = view.p->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, reinterpret_cast<void**>(background.out()));
    if (FAILED(hr))
        return hr;
    Com<IShellFolderViewDual> folderView;
    hr = background.p->QueryInterface(IID_IShellFolderViewDual, reinterpret_cast<void**>(folderView.out()));
    if (FAILED(hr))
        return hr;
    Com<IDispatch> application;
    hr = folderView.p->get_Application(application.out());
    if (FAILED(hr))
        return hr;
    Com<IShellDispatch2> shell;
    hr = application.p->QueryInterface(IID_IShellDispatch2, reinterpret_cast<void**>(shell.out()));
    if (FAILED(hr))
        return hr;

    BSTR file = SysAllocString(program.c_str());
    VARIANT arguments, directory, operation, show;
    VariantInit(&arguments);
    VariantInit(&directory);
    directory.vt = VT_BSTR;
    directory.bstrVal = SysAllocString(folderOf(program).c_str());
    VariantInit(&operation);
    VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    hr = shell.p->ShellExecute(file, arguments, directory, operation, show);
    SysFreeString(file);
    VariantClear(&directory);
    return hr;
}

// Without the shell's automation object: a process with the desktop shell's own token, which
// an administrator may start (the impersonation right that elevation brings).
bool startWithShellToken(const std::wstring& program)
{
    const HWND shellWindow = GetShellWindow();
    DWORD shellProcessId = 0;
    if (!shellWindow || !GetWindowThreadProcessId(shellWindow, &shellProcessId) || shellProcessId == 0)
        return false;
    const HANDLE shellProcess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shellProcessId);
    if (!shellProcess)
        return false;
    HANDLE shellToken = nullptr;
    HANDLE token = nullptr;
    bool started = false;
    if (OpenProcessToken(shellProcess, TOKEN_DUPLICATE, &shellToken) &&
        DuplicateTokenEx(shellToken, TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY | TOKEN_DUPLICATE | TOKEN_ADJUST_DEFAULT |
                                         TOKEN_ADJUST_SESSIONID,
                         nullptr, SecurityImpersonation, TokenPrimary, &token)) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::wstring commandLine = L"\"" + program + L"\"";
        const std::wstring folder = folderOf(program);
        started = CreateProcessWithTokenW(token, 0, program.c_str(), commandLine.data(), 0, nullptr,
                                          folder.empty() ? nullptr : folder.c_str(), &startup, &process);
        if (started) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }
    if (token)
        CloseHandle(token);
    if (shellToken)
        CloseHandle(shellToken);
    CloseHandle(shellProcess);
    return started;
}

} // namespace

bool startAsUser(const std::wstring& program, std::wstring& message)
{
    if (!elevated()) {
        const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, nullptr, program.c_str(), nullptr,
                                                                    folderOf(program).c_str(), SW_SHOWNORMAL));
        if (result > 32)
            return true;
        message = L"\"" + program + L"\" cannot be started (error " + std::to_wstring(result) + L").";
        return false;
    }
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HRESULT hr = startThroughDesktop(program);
    if (SUCCEEDED(init))
        CoUninitialize();
    if (SUCCEEDED(hr) || startWithShellToken(program))
        return true;
    message = L"Tarvelon Manager was not started, so that it does not run with the installer's rights: "
              L"start it from the Start menu.";
    return false;
}

} // namespace tarvelon::install
