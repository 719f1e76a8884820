#include "platform/sms/Sms.h"

#include <algorithm>
#include <memory>

#include "platform/sms/MessageFile.h"
#include "platform/sms/MessageFolders.h"
#include "platform/sms/SmsTransport.h"
#include "platform/system/Clock.h"
#include "platform/system/ModuleTable.h"

namespace wce {

SmsTransport& smsTransport() {
  static SmsTransport instance;
  return instance;
}

namespace {

std::optional<HRESULT> injected(SmsCall call) { return hookedResult(smsTransport().resultHook, call); }

std::optional<std::filesystem::path> outboxOf(SMS_HANDLE handle) {
  SmsTransport& state = smsTransport();
  std::lock_guard lock(state.guard);
  if (!state.sessions.count(handle)) return std::nullopt;
  return handle->outbox;
}

std::optional<std::u16string> destinationText(const SmsAddress& destination) {
  const char16_t* begin = destination.address;
  const char16_t* end = std::find(begin, begin + SMS_MAX_ADDRESS_LENGTH, u'\0');
  std::u16string text(begin, end);
  const bool dialable = !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'*' || c == u'#';
  });
  if (!dialable) return std::nullopt;
  return text;
}

}  // namespace

HRESULT SmsOpen(const char16_t* protocol, DWORD mode, SMS_HANDLE* handle, void** messageAvailableEvent) {
  if (auto result = injected(SmsCall::Open)) return *result;
  if (!handle || !protocol || std::u16string_view(protocol) != SMS_MSGTYPE_TEXT || messageAvailableEvent) {
    return E_INVALIDARG;
  }
  if (mode != SMS_MODE_SEND) return E_NOTIMPL;
  const auto outbox = outboxFolder();
  if (!outbox) return E_FAIL;
  auto session = std::make_unique<SmsSession>(SmsSession{*outbox});
  SmsTransport& state = smsTransport();
  std::lock_guard lock(state.guard);
  *handle = session.get();
  state.sessions.insert(session.release());
  return S_OK;
}

HRESULT SmsSendMessage(SMS_HANDLE handle, const SmsAddress*, const SmsAddress* destination, const void*,
                       const std::uint8_t* data, DWORD dataSize, const std::uint8_t* providerData,
                       DWORD providerDataSize, DWORD, DWORD, SMS_MESSAGE_ID* messageId) {
  if (auto result = injected(SmsCall::SendMessage)) return *result;
  const auto outbox = outboxOf(handle);
  if (!outbox) return E_INVALIDARG;
  if (!destination) return SMS_E_INVALIDADDRESS;
  const auto address = destinationText(*destination);
  if (!address) return SMS_E_INVALIDADDRESS;
  if (dataSize % 2 != 0 || (dataSize > 0 && !data) || !providerData || providerDataSize != sizeof(TextProviderData)) {
    return SMS_E_BADPARAM;
  }
  TextProviderData provider;
  std::copy_n(providerData, sizeof provider, reinterpret_cast<std::uint8_t*>(&provider));
  std::u16string text(dataSize / 2, u'\0');
  std::copy_n(data, dataSize, reinterpret_cast<std::uint8_t*>(text.data()));

  const OutboxMessage message{
      *address, destination->addressType == SMSAT_INTERNATIONAL, provider.messageClass, text, WallClockMillis()};
  const auto bytes = formatOutboxMessage(message);
  if (!bytes || !writeMessageFile(*outbox, *bytes)) return SMS_E_NETWORK;
  SmsTransport& state = smsTransport();
  std::lock_guard lock(state.guard);
  ++state.lastMessageId;
  if (messageId) *messageId = state.lastMessageId;
  return S_OK;
}

HRESULT SmsClose(SMS_HANDLE handle) {
  if (auto result = injected(SmsCall::Close)) return *result;
  SmsTransport& state = smsTransport();
  std::lock_guard lock(state.guard);
  if (!state.sessions.erase(handle)) return E_INVALIDARG;
  delete handle;
  return S_OK;
}

HRESULT SmsGetSMSC(SmsAddress* serviceCentre) {
  if (auto result = injected(SmsCall::GetSMSC)) return *result;
  if (!serviceCentre) return E_INVALIDARG;
  SmsTransport& state = smsTransport();
  std::lock_guard lock(state.guard);
  if (state.serviceCentre.empty()) return E_FAIL;
  *serviceCentre = SmsAddress{};
  std::u16string_view text = state.serviceCentre;
  serviceCentre->addressType = SMSAT_UNKNOWN;
  if (text.front() == u'+') {
    serviceCentre->addressType = SMSAT_INTERNATIONAL;
    text.remove_prefix(1);
  }
  std::copy_n(text.begin(), std::min(text.size(), SMS_MAX_ADDRESS_LENGTH - 1), serviceCentre->address);
  return S_OK;
}

void registerSmsEntries() {
  registerModuleEntry(u"sms.dll", u"SmsOpen", &SmsOpen);
  registerModuleEntry(u"sms.dll", u"SmsSendMessage", &SmsSendMessage);
  registerModuleEntry(u"sms.dll", u"SmsClose", &SmsClose);
  registerModuleEntry(u"sms.dll", u"SmsGetSMSC", &SmsGetSMSC);
}

void setSmsServiceCentre(std::u16string address) {
  SmsTransport& state = smsTransport();
  std::lock_guard lock(state.guard);
  state.serviceCentre = std::move(address);
}

}  // namespace wce
