#include "wireless/messaging/SmsSender.h"

#include <algorithm>

#include "lang/DExceptionBase.h"
#include "platform/system/ModuleTable.h"

namespace qel::messaging {

namespace {

using qel::lang::DExceptionBase;
namespace Code = qel::lang::ExceptionCode;

template <typename Function>
Function entry(wce::HMODULE module, const char16_t* name) {
  return reinterpret_cast<Function>(wce::GetProcAddressW(module, name));
}

struct SendError {
  wce::HRESULT result;
  uint32_t code;
  const char16_t* message;
};

constexpr SendError kSendErrors[] = {
    {wce::SMS_E_BADPARAM, Code::IllegalArgument, u"Failed send SMS - error SMS_E_BADPARAM"},
    {wce::E_INVALIDARG, Code::IllegalArgument, u"Failed send SMS - error E_INVALIDARG"},
    {wce::SMS_E_INVALIDADDRESS, Code::IllegalArgument, u"Failed send SMS - error SMS_E_INVALIDADDRESS"},
    {wce::SMS_E_RADIOUNAVAILABLE, Code::IO, u"Failed send SMS - error SMS_E_RADIOUNAVAILABLE"},
    {wce::SMS_E_NETWORK, Code::IO, u"Failed send SMS - error SMS_E_NETWORK"},
    {wce::SMS_E_NETWORKACCESS, Code::IO, u"Failed send SMS - error SMS_E_NETWORKACCESS"},
};

[[noreturn]] void throwSendFailure(wce::HRESULT result) {
  for (const SendError& error : kSendErrors) {
    if (error.result == result) throw DExceptionBase(error.code, error.message);
  }
  throw DExceptionBase(Code::IO, u"Failed send SMS - error code %xh", static_cast<uint32_t>(result));
}

wce::SmsAddress destinationOf(std::u16string_view address) {
  wce::SmsAddress destination;
  destination.addressType = wce::SMSAT_UNKNOWN;
  if (!address.empty() && address.front() == u'+') {
    destination.addressType = wce::SMSAT_INTERNATIONAL;
    address.remove_prefix(1);
  }
  std::copy_n(address.begin(), std::min(address.size(), wce::SMS_MAX_ADDRESS_LENGTH), destination.address);
  return destination;
}

// Closes the handle when the send is over, whichever way it ends.
class OpenSms {
public:
  OpenSms(wce::SMS_HANDLE handle, wce::SmsCloseFunction close) : handle_(handle), close_(close) {}
  ~OpenSms() { close_(handle_); }
  OpenSms(const OpenSms&) = delete;
  OpenSms& operator=(const OpenSms&) = delete;
  wce::SMS_HANDLE get() const { return handle_; }

private:
  wce::SMS_HANDLE handle_;
  wce::SmsCloseFunction close_;
};

}  // namespace

void SmsSender::load() {
  module_ = wce::LoadLibraryW(u"sms.dll");
  if (!module_) return;
  open_ = entry<wce::SmsOpenFunction>(module_, u"SmsOpen");
  close_ = entry<wce::SmsCloseFunction>(module_, u"SmsClose");
  sendMessage_ = entry<wce::SmsSendMessageFunction>(module_, u"SmsSendMessage");
}

void SmsSender::unload() {
  open_ = nullptr;
  close_ = nullptr;
  sendMessage_ = nullptr;
  if (module_) wce::FreeLibrary(module_);
  module_ = nullptr;
}

void SmsSender::send(const qel::lang::DStringPtr& address, const qel::lang::DStringPtr& text) const {
  if (!open_ || !close_ || !sendMessage_ || !address || !text) throw DExceptionBase(Code::IllegalArgument);
  wce::SMS_HANDLE handle = nullptr;
  const wce::HRESULT opened = open_(wce::SMS_MSGTYPE_TEXT, wce::SMS_MODE_SEND, &handle, nullptr);
  if (wce::failed(opened)) {
    throw DExceptionBase(Code::IO, u"Failed open SMS in SMS_MODE_SEND - error code %x", static_cast<uint32_t>(opened));
  }
  const OpenSms sms(handle, close_);
  const wce::SmsAddress destination = destinationOf(address->view());
  wce::TextProviderData provider;
  provider.messageClass = 1;
  wce::SMS_MESSAGE_ID messageId = 0;
  const wce::HRESULT sent = sendMessage_(sms.get(),
                                         nullptr,
                                         &destination,
                                         nullptr,
                                         reinterpret_cast<const uint8_t*>(text->chars()),
                                         static_cast<wce::DWORD>(text->length() * 2),
                                         reinterpret_cast<const uint8_t*>(&provider),
                                         sizeof provider,
                                         wce::SMSDE_OPTIMAL,
                                         wce::SMS_OPTION_DELIVERY_NONE,
                                         &messageId);
  if (wce::failed(sent)) throwSendFailure(sent);
}

}  // namespace qel::messaging
