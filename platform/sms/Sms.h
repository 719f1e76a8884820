#pragma once
// The built-in "sms.dll": the SMS transport of the emulated handheld. A send
// writes one file into the outbox folder (MessageFile.h); there is no radio.

#include <cstdint>
#include <string>

#include "platform/sms/HResult.h"
#include "platform/system/WinTypes.h"

namespace wce {

struct SmsSession;
using SMS_HANDLE = SmsSession*;
using SMS_MESSAGE_ID = DWORD;

inline constexpr std::size_t SMS_MAX_ADDRESS_LENGTH = 256;
inline constexpr DWORD SMSAT_UNKNOWN = 0;
inline constexpr DWORD SMSAT_INTERNATIONAL = 1;

inline constexpr DWORD SMS_MODE_RECEIVE = 1;
inline constexpr DWORD SMS_MODE_SEND = 2;
inline constexpr DWORD SMSDE_OPTIMAL = 0;
inline constexpr DWORD SMS_OPTION_DELIVERY_NONE = 0;

inline constexpr const char16_t* SMS_MSGTYPE_TEXT = u"Microsoft Text SMS Protocol";

inline constexpr HRESULT SMS_E_INVALIDADDRESS = makeResult(0x82000107u);
inline constexpr HRESULT SMS_E_NETWORKACCESS = makeResult(0x82000203u);
inline constexpr HRESULT SMS_E_NETWORK = makeResult(0x82000204u);
inline constexpr HRESULT SMS_E_BADPARAM = makeResult(0x82000208u);
inline constexpr HRESULT SMS_E_RADIOUNAVAILABLE = makeResult(0x8200020Du);

// An address: its type and up to 256 units of text, terminated unless full.
struct SmsAddress {
  DWORD addressType = SMSAT_UNKNOWN;
  char16_t address[SMS_MAX_ADDRESS_LENGTH] = {};
};
static_assert(sizeof(SmsAddress) == 516);

// The provider data of a text message.
struct TextProviderData {
  DWORD messageOptions = 0;
  DWORD messageClass = 0;
  DWORD replaceOption = 0;
  DWORD headerDataSize = 0;
  std::uint8_t headerData[148] = {};
};
static_assert(sizeof(TextProviderData) == 164);

// Only SMS_MSGTYPE_TEXT in SMS_MODE_SEND opens; the event must be null.
// E_FAIL while the device has no message folder.
HRESULT SmsOpen(const char16_t* protocol, DWORD mode, SMS_HANDLE* handle, void** messageAvailableEvent);
// Writes the message to the outbox: the destination's text and type, the
// text from the UTF-16 data and the message class from the provider data.
// The destination must hold 1 to 256 digits, '*' or '#'
// (SMS_E_INVALIDADDRESS); the data an even byte count and the provider data
// a whole TextProviderData (SMS_E_BADPARAM). A failed write answers
// SMS_E_NETWORK.
HRESULT SmsSendMessage(SMS_HANDLE handle, const SmsAddress* serviceCentre, const SmsAddress* destination,
                       const void* validityPeriod, const std::uint8_t* data, DWORD dataSize,
                       const std::uint8_t* providerData, DWORD providerDataSize, DWORD dataEncoding, DWORD options,
                       SMS_MESSAGE_ID* messageId);
// E_INVALIDARG for a handle that is not open.
HRESULT SmsClose(SMS_HANDLE handle);
// The service centre set with setSmsServiceCentre; E_FAIL when none is set.
HRESULT SmsGetSMSC(SmsAddress* serviceCentre);

using SmsOpenFunction = decltype(&SmsOpen);
using SmsSendMessageFunction = decltype(&SmsSendMessage);
using SmsCloseFunction = decltype(&SmsClose);
using SmsGetSMSCFunction = decltype(&SmsGetSMSC);

// Adds the four entries to "sms.dll" in the module table.
void registerSmsEntries();

void setSmsServiceCentre(std::u16string address);

}  // namespace wce
