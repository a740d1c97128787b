#ifdef _WIN32

#include "SerialPortWin32.h"

#include <algorithm>
#include <cctype>

#include <windows.h>

namespace radio {

namespace {

HANDLE H(void* handle) {
    return static_cast<HANDLE>(handle);
}

// Ports above COM9 open only through the device namespace; the prefix does
// no harm to the others.
std::string DevicePath(const std::string& name) {
    if (name.size() > 3 && std::all_of(name.begin() + 3, name.end(),
                                       [](unsigned char c) { return std::isdigit(c); })) {
        std::string head = name.substr(0, 3);
        for (char& c : head)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (head == "com")
            return "\\\\.\\" + name;
    }
    return name;
}

std::string SystemMessage(DWORD error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
        reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message = length && text ? std::string(text, length) : std::string();
    if (text)
        ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    if (message.empty())
        message = "system error " + std::to_string(error);
    return message;
}

std::string DescribeOpenError(const std::string& name, DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return name + ": no such device";
    case ERROR_ACCESS_DENIED: // what an exclusive port held by another program gives
    case ERROR_SHARING_VIOLATION:
        return name + ": in use by another program";
    default:
        return name + ": " + SystemMessage(error);
    }
}

} // namespace

std::unique_ptr<Win32SerialPort> Win32SerialPort::Open(const std::string& name,
                                                       std::string& reason) {
    const HANDLE handle = ::CreateFileA(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = DescribeOpenError(name, ::GetLastError());
        return nullptr;
    }
    reason.clear();
    return std::unique_ptr<Win32SerialPort>(new Win32SerialPort(handle));
}

Win32SerialPort::~Win32SerialPort() {
    Close();
}

void Win32SerialPort::Configure() {
    if (!m_handle)
        return;
    ::SetupComm(H(m_handle), 1024, 512);
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 30;
    timeouts.ReadTotalTimeoutMultiplier = 500;
    timeouts.ReadTotalTimeoutConstant = 90;
    timeouts.WriteTotalTimeoutMultiplier = 50;
    timeouts.WriteTotalTimeoutConstant = 50;
    ::SetCommTimeouts(H(m_handle), &timeouts);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (::GetCommState(H(m_handle), &dcb)) {
        dcb.BaudRate = CBR_9600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        ::SetCommState(H(m_handle), &dcb);
    }
}

void Win32SerialPort::PurgeAll() {
    if (m_handle)
        ::PurgeComm(H(m_handle), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

void Win32SerialPort::PurgeBuffers() {
    if (m_handle)
        ::PurgeComm(H(m_handle), PURGE_TXCLEAR | PURGE_RXCLEAR);
}

bool Win32SerialPort::Write(const std::uint8_t* data, std::size_t n) {
    if (!m_handle)
        return false;
    const DWORD length = static_cast<DWORD>(std::min<std::size_t>(n, MAXDWORD));
    DWORD written = 0;
    return ::WriteFile(H(m_handle), data, length, &written, nullptr) && written == n;
}

bool Win32SerialPort::Read(std::uint8_t* buffer, std::size_t n, std::size_t& received) {
    received = 0;
    if (!m_handle)
        return false;
    const DWORD length = static_cast<DWORD>(std::min<std::size_t>(n, MAXDWORD));
    DWORD got = 0;
    const BOOL ok = ::ReadFile(H(m_handle), buffer, length, &got, nullptr);
    received = got;
    return ok != FALSE;
}

void Win32SerialPort::Close() {
    if (!m_handle)
        return;
    ::CloseHandle(H(m_handle));
    m_handle = nullptr;
}

} // namespace radio

#endif // _WIN32
