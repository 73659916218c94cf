#include "install/win/system_path.h"

#include "install/path_list.h"

#include <windows.h>

#include <vector>

namespace tarvelon::install {
namespace {

constexpr wchar_t kMachineKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr wchar_t kUserKey[] = L"Environment";

std::wstring systemMessage(LONG code)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring out = text ? text : L"error " + std::to_wstring(code);
    if (text)
        LocalFree(text);
    while (!out.empty() && (out.back() == L'\n' || out.back() == L'\r' || out.back() == L'.'))
        out.pop_back();
    return out;
}

std::wstring scopeName(PathScope scope)
{
    return scope == PathScope::Machine ? L"the system PATH" : L"the user's PATH";
}

struct PathValue {
    bool exists = false;
    DWORD type = REG_EXPAND_SZ;
    std::wstring text;
};

// Reads the value whole, however long, growing the buffer while the registry says it is short.
LONG readValue(HKEY key, PathValue& value)
{
    std::vector<BYTE> buffer(4096);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD type = 0;
        const LONG status = RegQueryValueExW(key, L"Path", nullptr, &type, buffer.data(), &size);
        if (status == ERROR_MORE_DATA) {
            buffer.resize(size + 2);
            continue;
        }
        if (status == ERROR_FILE_NOT_FOUND) {
            value.exists = false;
            return ERROR_SUCCESS;
        }
        if (status != ERROR_SUCCESS)
            return status;
        value.exists = true;
        value.type = type;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return ERROR_SUCCESS;
        value.text.assign(reinterpret_cast<const wchar_t*>(buffer.data()), size / sizeof(wchar_t));
        while (!value.text.empty() && value.text.back() == L'\0')
            value.text.pop_back();
        return ERROR_SUCCESS;
    }
}

LONG writeValue(HKEY key, DWORD type, const std::wstring& text)
{
    return RegSetValueExW(key, L"Path", 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring expanded(std::wstring_view entry)
{
    const std::wstring in(entry);
    const DWORD size = ExpandEnvironmentStringsW(in.c_str(), nullptr, 0);
    if (size == 0)
        return in;
    std::wstring out(size, L'\0');
    ExpandEnvironmentStringsW(in.c_str(), out.data(), size);
    out.resize(size - 1);
    return out;
}

// Tells running programs (Explorer first) that the environment changed, so a new command
// prompt sees the new PATH without logging off.
void broadcast()
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"),
                        SMTO_ABORTIFHUNG, 5000, &result);
}

PathResult change(PathScope scope, const std::wstring& folder, bool add, std::wstring& message)
{
    const HKEY root = scope == PathScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const wchar_t* subkey = scope == PathScope::Machine ? kMachineKey : kUserKey;
    HKEY key = nullptr;
    LONG status = scope == PathScope::Machine
        ? RegOpenKeyExW(root, subkey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key)
        : RegCreateKeyExW(root, subkey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        message = scopeName(scope) + L" cannot be opened (" + systemMessage(status) + L"): it was left as it was.";
        return PathResult::Refused;
    }
    struct Closer {
        HKEY key;
        ~Closer() { RegCloseKey(key); }
    } closer{key};

    PathValue before;
    status = readValue(key, before);
    if (status != ERROR_SUCCESS) {
        message = scopeName(scope) + L" cannot be read (" + systemMessage(status) + L"): it was left as it was.";
        return PathResult::Refused;
    }
    if (before.exists && before.type != REG_SZ && before.type != REG_EXPAND_SZ) {
        message = scopeName(scope) + L" is not text in the registry: it was left as it was.";
        return PathResult::Refused;
    }
    // A machine without a system PATH is broken; writing the folder alone would hide that.
    if (!before.exists && scope == PathScope::Machine) {
        message = L"The registry holds no system PATH: it was left as it was.";
        return PathResult::Refused;
    }

    std::wstring after;
    if (add) {
        if (containsFolder(before.text, folder, expanded))
            return PathResult::Unchanged;
        after = withFolder(before.text, folder);
        if (after.size() > kMaxVariableLength) {
            message = scopeName(scope) + L" would grow past the " + std::to_wstring(kMaxVariableLength) +
                      L" characters Windows allows: it was left as it was.";
            return PathResult::Refused;
        }
    } else {
        after = withoutFolder(before.text, folder);
        if (after == before.text)
            return PathResult::Unchanged;
    }

    status = writeValue(key, before.exists ? before.type : REG_EXPAND_SZ, after);
    PathValue written;
    if (status == ERROR_SUCCESS)
        status = readValue(key, written);
    if (status != ERROR_SUCCESS || written.text != after) {
        // Whatever reached the registry, the value it held goes back.
        if (before.exists)
            writeValue(key, before.type, before.text);
        message = scopeName(scope) + L" cannot be written (" +
                  (status != ERROR_SUCCESS ? systemMessage(status) : std::wstring(L"it read back otherwise")) +
                  L"): it was left as it was.";
        return PathResult::Refused;
    }
    broadcast();
    return PathResult::Changed;
}

} // namespace

PathResult addToPath(PathScope scope, const std::wstring& folder, std::wstring& message)
{
    return change(scope, folder, true, message);
}

PathResult removeFromPath(PathScope scope, const std::wstring& folder, std::wstring& message)
{
    return change(scope, folder, false, message);
}

} // namespace tarvelon::install
