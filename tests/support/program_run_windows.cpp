#include "tests/support/program_run.h"

#include <windows.h>

#include "records/file_bytes.h"
#include "tests/support/temporary_folder.h"

namespace {

// One argument as the C library of the program started splits its command line: in quotes, with
// each quote and the backslashes before one doubled up.
std::wstring quotedArgument(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

// Arguments are bytes in the system's code page, as a program started here receives them.
std::wstring wide(const std::string& bytes)
{
    if (bytes.empty()) return {};
    const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

HANDLE inheritable(const std::filesystem::path& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder)
{
    const TemporaryFolder caught;
    const std::filesystem::path out = caught / "out", error = caught / "error";
    // The path as a command line finds it: with its drive, and ".exe" when no extension is given.
    std::filesystem::path executable = std::filesystem::absolute(program);
    if (!executable.has_extension()) executable += ".exe";
    std::wstring commandLine = quotedArgument(executable.native());
    for (const std::string& argument : arguments) commandLine += L" " + quotedArgument(wide(argument));

    ProgramRun run;
    const HANDLE input = inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE output = inheritable(out, GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE errors = inheritable(error, GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = errors;
    PROCESS_INFORMATION process{};
    const bool started = input != INVALID_HANDLE_VALUE && output != INVALID_HANDLE_VALUE
                         && errors != INVALID_HANDLE_VALUE
                         && ::CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                             0, nullptr, folder.c_str(), &startup, &process) != 0;
    for (const HANDLE handle : {input, output, errors})
        if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    if (!started) return run;
    DWORD status = 0;
    if (::WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0
        && ::GetExitCodeProcess(process.hProcess, &status) != 0)
        run.status = static_cast<int>(status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    run.out = caught.read("out").value_or("");
    run.error = caught.read("error").value_or("");
    return run;
}
