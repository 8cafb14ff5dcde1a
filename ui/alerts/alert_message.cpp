#include "ui/alerts/alert_message.h"

#include <new>
#include <string>
#include <vector>

#include "platform/runtime/winmem.h"
#include "platform/system/winmessage.h"
#include "platform/system/winsys.h"
#include "platform/window/winuser.h"
#include "platform/window/winuser_styles.h"
#include "settings/context/context_names.h"
#include "ui/alerts/format_arguments.h"
#include "ui/resource_dll.h"

namespace {

constexpr std::size_t kBaseBytes = 2048;
constexpr std::size_t kListValueBytes = 32;
constexpr int kCaptionChars = 261;
constexpr int kMessageChars = 1024;
constexpr std::u16string_view kBreak = u"\r\n\r\n";

std::size_t TextBytes(LPCWSTR text) {
  return text == nullptr ? 0 : (std::char_traits<char16_t>::length(text) + 1) * sizeof(WCHAR);
}

// The room the whole text may take: the fixed part and each piece given
// (a string argument only where the message reads one).
std::size_t BufferChars(const ALERTMSGREQUEST& r, std::u16string_view message) {
  std::size_t bytes = kBaseBytes + TextBytes(r.pszHead) + TextBytes(r.pszTail);
  if (r.pArg != nullptr && r.wArgKind == kAlertArgOne && FirstConversionTakesString(message)) {
    bytes += TextBytes(static_cast<LPCWSTR>(r.pArg));
  }
  if (r.pArg != nullptr && r.wArgKind == kAlertArgList) bytes += kListValueBytes * r.wArgCount;
  return bytes / sizeof(WCHAR);
}

std::u16string LoadText(UCB* ucb, UINT id, int chars) {
  std::vector<WCHAR> buffer(static_cast<std::size_t>(chars) + 1, 0);
  LoadStringFromResDll(ucb, id, buffer.data(), chars + 1, TRUE);
  return std::u16string(buffer.data());
}

bool Refused(const ALERTMSGREQUEST& r) {
  if (r.pArg != nullptr && r.wArgKind == kAlertArgNone) return true;
  return r.wArgKind == kAlertArgList && r.wArgCount == 0;
}

std::u16string BuildText(UCB* ucb, const ALERTMSGREQUEST& r) {
  const std::u16string message = LoadText(ucb, r.wMessageId, kMessageChars);
  const std::size_t room = BufferChars(r, message);
  std::u16string text;
  if (r.pszHead != nullptr) {
    text += r.pszHead;
    text += kBreak;
  }
  if (r.pArg == nullptr) {
    text += message;
  } else if (r.wArgKind == kAlertArgOne) {
    text += FormatOne(message, r.pArg, room);
  } else {
    const auto* values = static_cast<const WORD*>(r.pArg);
    const int count = r.wArgCount <= kAlertArgListMax ? r.wArgCount : 1;
    text += FormatList(message, values, count, room);
  }
  if (r.pszTail != nullptr) {
    text += kBreak;
    text += r.pszTail;
    text += kBreak;
  }
  if (text.size() >= room) text.resize(room - 1);
  return text;
}

HWND OwnerOrActive(HWND owner) { return owner != nullptr ? owner : GetActiveWindow(); }

}  // namespace

int ShowAlertMsgEx(UCB* ucb, const ALERTMSGREQUEST* request, HWND owner) {
  if (request == nullptr || Refused(*request)) return 0;
  try {
    const std::u16string text = BuildText(ucb, *request);
    const std::u16string caption = request->wCaptionId != 0 ? LoadText(ucb, request->wCaptionId, kCaptionChars - 1)
                                                            : std::u16string(ucb != nullptr ? GetPrinterName(ucb) : u"");
    return MessageBoxW(owner, text.c_str(), caption.c_str(),
                       static_cast<UINT>(request->wButtonStyle) | request->wIconStyle);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int _ShowAlertMsgEx10(UCB* ucb, HWND owner, UINT messageId, UINT buttonStyle) {
  const ALERTMSGREQUEST request{static_cast<WORD>(messageId), 0, static_cast<WORD>(MB_ICONWARNING),
                                static_cast<WORD>(buttonStyle), nullptr, kAlertArgOne, 0, nullptr, nullptr};
  return ShowAlertMsgEx(ucb, &request, OwnerOrActive(owner));
}

int _ShowAlertMsgEx11(UCB* ucb, HWND owner, UINT messageId) { return _ShowAlertMsgEx10(ucb, owner, messageId, MB_OK); }

int _ShowAlertMsgEx12(UCB* ucb, HWND owner, UINT messageId) {
  return _ShowAlertMsgEx10(ucb, owner, messageId, MB_OKCANCEL);
}

int _ShowAlertMsgEx21(UCB* ucb, HWND owner, UINT messageId, LPCWSTR text) {
  const ALERTMSGREQUEST request{static_cast<WORD>(messageId), 0, static_cast<WORD>(MB_ICONWARNING),
                                static_cast<WORD>(MB_OK), nullptr, kAlertArgOne, 0, text, nullptr};
  return ShowAlertMsgEx(ucb, &request, OwnerOrActive(owner));
}

int ShowAlertMessage(UCB* ucb, HWND owner, UINT messageId, UINT iconStyle, UINT buttonStyle) {
  const ALERTMSGREQUEST request{static_cast<WORD>(messageId), 0, static_cast<WORD>(iconStyle),
                                static_cast<WORD>(buttonStyle), nullptr, kAlertArgNone, 0, nullptr, nullptr};
  return ShowAlertMsgEx(ucb, &request, OwnerOrActive(owner));
}

int ShowAlertOSMsg(UCB* ucb, DWORD errorCode, HWND owner) {
  LPWSTR text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                     nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text),
                     0, nullptr);
  if (length != 0 && text != nullptr) {
    MessageBoxW(owner, text, ucb != nullptr ? GetPrinterName(ucb) : u"", MB_ICONWARNING);
  }
  if (text != nullptr) LocalFree(text);
  return 1;
}
